// The cat: head, body, tail and one leg mesh (drawn four times). Sizes are in
// the cat's own units; the game scales the whole cat by size x 0.24, so its
// 0.5 x 0.4 x 0.5 body box is 2.08 x 1.67 x 2.08 units here, centred on the
// body's origin: paws reach y = -0.83 and ears +0.83, nose and tail tip
// about -1.04 and +1.04 on z.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"

namespace datagen {

namespace {

UvRect catUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::cat::size);
}

// A flat triangular ear standing on the head, pink inside.
Mesh ear(float side)
{
    const std::vector<glm::vec2> left = { { 0.0f, 0.0f }, { 0.09f, 0.18f } };
    const std::vector<glm::vec2> right = { { 0.19f, 0.0f }, { 0.1f, 0.18f } };
    Mesh flat = ribbon(left, right, 0.05f, catUv(atlas::cat::earInner));
    Mesh mesh;
    mesh.append(flat,
        translation({ side * 0.16f, 0.14f, -0.03f }) * rotationZ(-side * 12.0f)
            * translation({ -0.095f, 0.0f, 0.0f }));
    return mesh;
}

} // namespace

Mesh catHead()
{
    // The origin is the neck joint the head turns about; the skull sits a
    // little forward of it so the turning head does not swing the nose wide.
    Mesh mesh;
    mesh.append(box({ -0.25f, -0.24f, -0.17f }, { 0.25f, 0.17f, 0.15f },
        BoxUv::withFront(catUv(atlas::cat::furPlain), catUv(atlas::cat::face))));
    mesh.append(box({ -0.12f, -0.24f, -0.24f }, { 0.12f, -0.1f, -0.16f },
        BoxUv::withFront(catUv(atlas::cat::cream), catUv(atlas::cat::muzzle))));
    mesh.append(ear(-1.0f));
    mesh.append(ear(1.0f));
    return mesh;
}

Mesh catBody()
{
    Mesh mesh;
    // The torso's poles lie on z so the tabby stripes ring the body; its
    // back is at u = 0.75 of the fur, the belly at 0.25.
    mesh.append(ellipsoid({}, { 0.36f, 0.66f, 0.34f }, 12, 8, catUv(atlas::cat::fur)), rotationX(90.0f));
    mesh.append(tube({ 0.0f, 0.02f, -0.42f }, { 0.0f, 0.36f, -0.74f }, 0.17f, 0.14f, 10,
        catUv(atlas::cat::furPlain), catUv(atlas::cat::furPlain)));
    mesh.append(ellipsoid({ 0.0f, -0.1f, -0.38f }, { 0.27f, 0.24f, 0.28f }, 10, 6, catUv(atlas::cat::cream)));
    return mesh;
}

Mesh catLeg()
{
    // The origin is the hip: the leg swings about it and hangs 0.63 down.
    Mesh mesh;
    mesh.append(tube({ 0.0f, 0.05f, 0.0f }, { 0.0f, -0.57f, 0.0f }, 0.1f, 0.075f, 8,
        catUv(atlas::cat::furPlain), catUv(atlas::cat::furPlain)));
    mesh.append(ellipsoid({ 0.0f, -0.58f, -0.03f }, { 0.09f, 0.05f, 0.115f }, 8, 5, catUv(atlas::cat::paw)));
    return mesh;
}

Mesh catTail()
{
    // The origin is the tail's root. At rest it trails back (+z) and curls up
    // at the tip; the game raises it by turning it up to -90 degrees about x.
    const glm::vec3 points[] = { { 0.0f, 0.0f, 0.0f }, { 0.0f, 0.03f, 0.18f }, { 0.0f, 0.09f, 0.33f },
        { 0.0f, 0.19f, 0.44f }, { 0.0f, 0.31f, 0.48f } };
    const float radii[] = { 0.07f, 0.066f, 0.06f, 0.055f, 0.05f };
    Mesh mesh;
    for (int i = 0; i + 1 < 5; ++i) {
        mesh.append(tube(points[i], points[i + 1], radii[i], radii[i + 1], 8, catUv(atlas::cat::fur),
            catUv(atlas::cat::furPlain)));
        mesh.append(ellipsoid(points[i + 1], glm::vec3(radii[i + 1]), 8, 4, catUv(atlas::cat::furPlain)));
    }
    return mesh;
}

} // namespace datagen
