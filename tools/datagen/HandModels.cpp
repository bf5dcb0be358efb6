// What the player sees of himself: his hands, the flashlight in his right
// hand and the jetpack with its throttle. These meshes are drawn from the
// player's frame (front -z), so their geometry is placed where the camera,
// 0.6 above the body centre with a 70 degree vertical view, sees it.
#include "tools/datagen/HandShapes.h"
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"

namespace datagen {

namespace {

UvRect playerUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::player::size);
}
UvRect gloveUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::gloves::size);
}
UvRect lightUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::flashlight::size);
}
UvRect jetUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::jetpack::size);
}

// The flashlight's axis, in its own units (the game scales it by 0.15 and
// puts its origin 0.6 below and 0.75 ahead of the eye): raised so the
// lamp shows in the lower right of the view.
constexpr float kLampY = 2.1f;

// The gloved forearm from the wrist back to where it leaves the view.
Mesh glovedForearm(glm::vec3 wrist, glm::vec3 elbow, float radius)
{
    Mesh mesh;
    const glm::vec3 along = glm::normalize(elbow - wrist);
    mesh.append(tube(wrist, wrist + along * radius * 1.6f, radius * 1.25f, radius * 1.25f, 8,
        gloveUv(atlas::gloves::cuff), gloveUv(atlas::gloves::cuff)));
    mesh.append(tube(wrist + along * radius, elbow, radius * 1.1f, radius * 1.3f, 8,
        gloveUv(atlas::gloves::sleeve), gloveUv(atlas::gloves::sleeve)));
    return mesh;
}

} // namespace

Mesh playerHands()
{
    // Two forearms reaching forward from the shoulders, in world units of the
    // player's frame; they stay inside his 0.9 x 1.7 x 0.9 body box.
    const glm::vec3 elbow(0.3f, -0.02f, 0.04f);
    const glm::vec3 wrist(0.22f, 0.17f, -0.24f);
    const glm::vec3 forward = glm::normalize(wrist - elbow);
    Mesh right;
    right.append(tube(
        elbow, wrist, 0.065f, 0.055f, 8, playerUv(atlas::player::sleeve), playerUv(atlas::player::sleeve)));
    right.append(tube(wrist - forward * 0.04f, wrist + forward * 0.01f, 0.062f, 0.062f, 8,
        playerUv(atlas::player::cuff), playerUv(atlas::player::cuff)));
    right.append(openHand(playerUv(atlas::player::skin), playerUv(atlas::player::palm)),
        frameAt(wrist, forward, { 0.0f, 1.0f, 0.0f }, 0.13f));
    Mesh mesh;
    mesh.append(right);
    mesh.append(right, scaling({ -1.0f, 1.0f, 1.0f }));
    return mesh;
}

Mesh flashlight()
{
    const UvRect grip = lightUv(atlas::flashlight::grip);
    const UvRect chrome = lightUv(atlas::flashlight::chrome);
    Mesh mesh;
    mesh.append(tube({ 0.0f, kLampY, 1.2f }, { 0.0f, kLampY, 1.1f }, 0.26f, 0.26f, 12, chrome, chrome));
    mesh.append(tube({ 0.0f, kLampY, 1.1f }, { 0.0f, kLampY, -0.6f }, 0.24f, 0.24f, 12, grip, chrome));
    mesh.append(tube({ 0.0f, kLampY, -0.6f }, { 0.0f, kLampY, -1.3f }, 0.26f, 0.4f, 12, chrome, chrome));
    mesh.append(tube({ 0.0f, kLampY, -1.28f }, { 0.0f, kLampY, -1.33f }, 0.36f, 0.36f, 12, chrome,
        lightUv(atlas::flashlight::lens)));
    mesh.append(box({ -0.07f, kLampY + 0.2f, -0.35f }, { 0.07f, kLampY + 0.3f, -0.12f },
        BoxUv::all(lightUv(atlas::flashlight::button))));
    return mesh;
}

Mesh flashlightHand()
{
    // A gloved fist round the lamp's grip, the forearm running back and down
    // out of the view.
    const glm::vec3 grip(0.05f, kLampY, 0.45f);
    Mesh mesh;
    mesh.append(fist(gloveUv(atlas::gloves::leather), gloveUv(atlas::gloves::knuckles)),
        translation(grip) * rotationZ(-70.0f) * rotationX(-90.0f) * scaling(glm::vec3(0.8f)));
    mesh.append(glovedForearm(grip + glm::vec3(0.12f, -0.1f, 0.25f), { 0.9f, -0.6f, 3.4f }, 0.2f));
    return mesh;
}

Mesh jetpack()
{
    // Worn on the back: the tanks sit behind the wearer (+z), out of his own
    // view; their nozzles end at y = -3, the bottom the item stand expects.
    const UvRect tank = jetUv(atlas::jetpack::tank);
    const UvRect frame = jetUv(atlas::jetpack::frame);
    const UvRect nozzle = jetUv(atlas::jetpack::nozzle);
    const UvRect strap = jetUv(atlas::jetpack::strap);
    Mesh mesh;
    for (float x : { -0.65f, 0.65f }) {
        mesh.append(tube({ x, -2.2f, 1.5f }, { x, 0.6f, 1.5f }, 0.55f, 0.55f, 12, tank, frame));
        mesh.append(ellipsoid({ x, 0.6f, 1.5f }, { 0.55f, 0.45f, 0.55f }, 12, 6, tank));
        mesh.append(tube({ x, -2.2f, 1.5f }, { x, -3.0f, 1.5f }, 0.3f, 0.45f, 10, nozzle, nozzle));
        // A shoulder strap: over the shoulder from the plate, then down the chest.
        mesh.append(
            box({ x * 0.69f - 0.1f, 0.24f, 0.0f }, { x * 0.69f + 0.1f, 0.32f, 0.9f }, BoxUv::all(strap)));
        mesh.append(
            box({ x * 0.69f - 0.1f, -0.9f, -0.06f }, { x * 0.69f + 0.1f, 0.32f, 0.02f }, BoxUv::all(strap)));
    }
    mesh.append(box({ -0.7f, -1.8f, 0.85f }, { 0.7f, 0.3f, 1.05f }, BoxUv::all(frame)));
    // The throttle on its arm, reaching round to the front of the right hip.
    mesh.append(tube({ 0.75f, -0.9f, 1.0f }, { 0.3f, -0.45f, -1.9f }, 0.08f, 0.08f, 6, frame, frame));
    mesh.append(tube({ 0.05f, -0.45f, -2.2f }, { 0.05f, 0.45f, -2.2f }, 0.12f, 0.12f, 8, strap, frame));
    mesh.append(tube({ 0.3f, -0.45f, -1.9f }, { 0.05f, -0.45f, -2.2f }, 0.08f, 0.08f, 6, frame, frame));
    mesh.append(box({ -0.03f, 0.45f, -2.28f }, { 0.13f, 0.55f, -2.12f }, BoxUv::all(nozzle)));
    return mesh;
}

Mesh jetpackHand()
{
    // A gloved fist round the throttle grip, thumb on its button.
    const glm::vec3 grip(0.05f, 0.05f, -2.2f);
    Mesh mesh;
    mesh.append(fist(gloveUv(atlas::gloves::leather), gloveUv(atlas::gloves::knuckles)),
        translation(grip) * rotationY(-25.0f) * scaling(glm::vec3(0.5f)));
    mesh.append(glovedForearm(grip + glm::vec3(0.1f, -0.1f, 0.25f), { 0.8f, -1.6f, -0.2f }, 0.16f));
    return mesh;
}

} // namespace datagen
