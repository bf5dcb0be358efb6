// The things the player carries, throws and finds in item stands: dynamite,
// fish, the wool ball and the potion. The game scales them by 0.2 in the hand
// and on stands (0.3 for a thrown ball, 0.15 for the held potion). An item
// stand lifts each one by a fixed amount along its own y after turning it,
// which puts the lowest point of the turned mesh on the stand: dynamite
// (lying) has a radius of 0.5, a lying fish is 0.8 thick, the ball has a
// radius of 1, the potion's foot is 0.15 below its origin and the jetpack's
// nozzles end 3 below it.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"

namespace datagen {

namespace {

UvRect dynamiteUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::dynamite::size);
}
UvRect fishUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::fish::size);
}
UvRect potionUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::potion::size);
}

// Fins are flat ribbons drawn in the xy plane; this turns x into z so
// they run along the fish.
glm::mat4 alongFish()
{
    return rotationY(-90.0f);
}

} // namespace

Mesh dynamiteStick()
{
    // A stick 4 units long standing on y; its fuse burns down from y = 3.5
    // to the stick's top at y = 2, where the game draws the sparks.
    const UvRect fuse = dynamiteUv(atlas::dynamite::fuse);
    const glm::vec3 bend(0.06f, 2.8f, 0.04f);
    Mesh mesh;
    mesh.append(tube({ 0.0f, -2.0f, 0.0f }, { 0.0f, 2.0f, 0.0f }, 0.5f, 0.5f, 12,
        dynamiteUv(atlas::dynamite::paper), dynamiteUv(atlas::dynamite::end)));
    mesh.append(tube({ 0.0f, 1.9f, 0.0f }, bend, 0.07f, 0.065f, 6, fuse, fuse));
    mesh.append(ellipsoid(bend, glm::vec3(0.065f), 6, 4, fuse));
    mesh.append(tube(bend, { 0.2f, 3.5f, 0.1f }, 0.065f, 0.06f, 6, fuse, fuse));
    return mesh;
}

Mesh fish()
{
    // Nose at -z, tail fin at +z. The body is lathed round z: u runs round it
    // (flanks at 0 and 0.5, belly 0.25, back 0.75), v from mouth to tail.
    const UvRect fin = fishUv(atlas::fish::fin);
    const std::vector<glm::vec2> body = {
        { 0.0f, -1.0f },
        { 0.22f, -0.94f },
        { 0.42f, -0.7f },
        { 0.52f, -0.3f },
        { 0.5f, 0.05f },
        { 0.38f, 0.45f },
        { 0.2f, 0.75f },
        { 0.1f, 0.9f },
        { 0.0f, 0.92f },
    };
    Mesh mesh;
    mesh.append(lathe(body, 12, fishUv(atlas::fish::body), fishUv(atlas::fish::body)),
        scaling({ 0.73f, 1.0f, 1.0f }) * rotationX(90.0f));
    // A forked tail: an upper and a lower lobe.
    for (float lobe : { -1.0f, 1.0f }) {
        const std::vector<glm::vec2> outer = { { 0.8f, lobe * 0.1f }, { 1.55f, lobe * 0.62f } };
        const std::vector<glm::vec2> inner = { { 0.8f, -lobe * 0.03f }, { 1.4f, lobe * 0.06f } };
        mesh.append(ribbon(outer, inner, 0.05f, fin), alongFish());
    }
    const std::vector<glm::vec2> dorsalTop = { { -0.3f, 0.44f }, { 0.05f, 0.72f }, { 0.4f, 0.46f } };
    const std::vector<glm::vec2> dorsalBottom = { { -0.3f, 0.36f }, { 0.05f, 0.38f }, { 0.4f, 0.3f } };
    mesh.append(ribbon(dorsalTop, dorsalBottom, 0.05f, fin), alongFish());
    for (float side : { -1.0f, 1.0f }) {
        // Side fins behind the gills, and the eyes: a gold iris and a pupil.
        const std::vector<glm::vec2> front = { { -0.45f, -0.18f }, { -0.2f, -0.34f } };
        const std::vector<glm::vec2> back = { { -0.3f, -0.18f }, { -0.05f, -0.3f } };
        mesh.append(ribbon(front, back, 0.04f, fin),
            translation({ side * 0.25f, 0.0f, 0.0f }) * rotationZ(side * 15.0f) * alongFish());
        mesh.append(ellipsoid(
            { side * 0.28f, 0.12f, -0.66f }, { 0.06f, 0.08f, 0.08f }, 8, 5, fishUv(atlas::fish::eye)));
        mesh.append(ellipsoid(
            { side * 0.32f, 0.12f, -0.67f }, { 0.04f, 0.045f, 0.045f }, 6, 4, fishUv(atlas::fish::pupil)));
    }
    return mesh;
}

Mesh woolBall()
{
    return ellipsoid({}, glm::vec3(1.0f), 16, 10, atlas::uv(atlas::wool::yarn, atlas::wool::size));
}

Mesh potionBottle()
{
    // A round flask with a long neck, its foot 0.15 below the origin and its
    // mouth at y = 3, where the cork goes.
    const std::vector<glm::vec2> profile = {
        { 0.0f, -0.15f },
        { 0.55f, -0.15f },
        { 0.85f, 0.05f },
        { 1.0f, 0.45f },
        { 1.0f, 0.95f },
        { 0.85f, 1.4f },
        { 0.5f, 1.75f },
        { 0.3f, 1.95f },
        { 0.28f, 2.7f },
        { 0.36f, 2.8f },
        { 0.36f, 3.0f },
        { 0.0f, 3.0f },
    };
    return lathe(profile, 14, potionUv(atlas::potion::bottle), potionUv(atlas::potion::base));
}

Mesh potionCork()
{
    // The cork plugs the flask's mouth: its middle sits 3 units up the
    // bottle's y, tapering into the neck below and standing proud above.
    const UvRect cork = potionUv(atlas::potion::cork);
    return tube({ 0.0f, 2.72f, 0.0f }, { 0.0f, 3.4f, 0.0f }, 0.24f, 0.31f, 10, cork, cork);
}

} // namespace datagen
