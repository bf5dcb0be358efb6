// Death: a hooded, robed figure with a skull face, bony hands and a scythe in
// its right hand. All five parts share one frame (they are drawn without part
// matrices of their own). The game scales Death by 0.24, so its human-sized
// body box of 0.9 x 1.7 x 0.9 is 3.75 x 7.08 x 3.75 units here, centred on
// the origin: the robe's hem stands on y = -3.54 and the hood's peak reaches
// +3.5; nothing sticks out more than 1.875 sideways or forwards.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"

namespace datagen {

namespace {

UvRect deathUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::death::size);
}

constexpr float kFloor = -3.54f;

// A sleeve from the shoulder through the elbow to a bell-shaped cuff.
Mesh sleeve(glm::vec3 shoulder, glm::vec3 elbow, glm::vec3 wrist)
{
    const UvRect robe = deathUv(atlas::death::robe);
    const UvRect shadow = deathUv(atlas::death::shadow);
    Mesh mesh;
    mesh.append(ellipsoid(shoulder, glm::vec3(0.34f), 8, 5, robe));
    mesh.append(tube(shoulder, elbow, 0.3f, 0.28f, 8, robe, robe));
    mesh.append(ellipsoid(elbow, glm::vec3(0.28f), 8, 5, robe));
    mesh.append(tube(elbow, wrist, 0.28f, 0.42f, 8, robe, shadow));
    return mesh;
}

// Bony fingers reaching out of a cuff: `palm` is the hand's centre and
// `reach` the way the fingers point.
Mesh bonyHand(glm::vec3 palm, glm::vec3 reach, glm::vec3 across)
{
    const UvRect bone = deathUv(atlas::death::bone);
    Mesh mesh;
    mesh.append(ellipsoid(palm, { 0.16f, 0.16f, 0.16f }, 8, 5, bone));
    for (int i = 0; i < 4; ++i) {
        const float offset = -0.15f + 0.1f * float(i);
        const glm::vec3 root = palm + across * offset + reach * 0.1f;
        const glm::vec3 knuckle = root + reach * 0.22f;
        const glm::vec3 tip = knuckle + reach * 0.16f + glm::vec3(0.0f, -0.12f, 0.0f);
        mesh.append(tube(root, knuckle, 0.045f, 0.04f, 5, bone, bone));
        mesh.append(tube(knuckle, tip, 0.04f, 0.025f, 5, bone, bone));
    }
    mesh.append(
        tube(palm - across * 0.12f, palm - across * 0.28f + reach * 0.18f, 0.05f, 0.035f, 5, bone, bone));
    return mesh;
}

} // namespace

Mesh deathBody()
{
    const UvRect robe = deathUv(atlas::death::robe);
    // A long robe flaring to the ground, slightly flattened front to back.
    const std::vector<glm::vec2> profile = {
        { 0.0f, kFloor },
        { 1.3f, kFloor },
        { 1.18f, -3.05f },
        { 0.98f, -1.6f },
        { 0.84f, 0.0f },
        { 0.86f, 1.0f },
        { 0.8f, 1.5f },
        { 0.45f, 1.85f },
        { 0.0f, 1.9f },
    };
    Mesh mesh;
    mesh.append(lathe(profile, 14, robe, deathUv(atlas::death::shadow)), scaling({ 1.0f, 1.0f, 0.8f }));
    mesh.append(ellipsoid({ 0.0f, 1.45f, 0.02f }, { 1.05f, 0.42f, 0.62f }, 12, 6, robe));
    // A knotted cord round the waist.
    mesh.append(tube({ 0.0f, -0.35f, 0.0f }, { 0.0f, -0.2f, 0.0f }, 0.9f, 0.9f, 14,
                    deathUv(atlas::death::bone), deathUv(atlas::death::bone)),
        scaling({ 1.0f, 1.0f, 0.8f }));
    mesh.append(tube({ -0.3f, -0.3f, -0.68f }, { -0.38f, -1.3f, -0.78f }, 0.06f, 0.05f, 5,
        deathUv(atlas::death::bone), deathUv(atlas::death::bone)));
    return mesh;
}

Mesh deathHead()
{
    const UvRect robe = deathUv(atlas::death::robe);
    const UvRect shadow = deathUv(atlas::death::shadow);
    Mesh mesh;
    // The cowl over the shoulders, the hood round the head and its peak.
    mesh.append(tube({ 0.0f, 1.7f, 0.1f }, { 0.0f, 2.25f, 0.14f }, 0.74f, 0.62f, 12, robe, shadow));
    mesh.append(ellipsoid({ 0.0f, 2.5f, 0.12f }, { 0.66f, 0.78f, 0.7f }, 12, 8, robe));
    mesh.append(tube({ 0.0f, 2.9f, 0.3f }, { 0.0f, 3.5f, 0.58f }, 0.42f, 0.0f, 10, robe, robe));
    // The dark opening, and the skull looking out of it.
    mesh.append(ellipsoid({ 0.0f, 2.42f, -0.5f }, { 0.47f, 0.57f, 0.14f }, 12, 6, shadow));
    mesh.append(
        frontEllipsoid({ 0.0f, 2.36f, -0.42f }, { 0.33f, 0.42f, 0.3f }, 14, 8, deathUv(atlas::death::skull)));
    return mesh;
}

Mesh deathLeftArm()
{
    // Reaches forward, fingers spread towards its prey.
    const glm::vec3 wrist(-1.12f, 0.72f, -1.05f);
    Mesh mesh;
    mesh.append(sleeve({ -0.9f, 1.45f, 0.0f }, { -1.25f, 0.6f, -0.3f }, wrist));
    mesh.append(bonyHand(wrist + glm::vec3(0.0f, 0.02f, -0.2f), { 0.0f, 0.0f, -1.0f }, { 1.0f, 0.0f, 0.0f }));
    return mesh;
}

Mesh deathRightArm()
{
    // Holds the scythe's staff at about waist height.
    const glm::vec3 wrist(1.25f, 0.2f, -0.62f);
    Mesh mesh;
    mesh.append(sleeve({ 0.9f, 1.45f, 0.0f }, { 1.25f, 0.55f, -0.2f }, wrist));
    mesh.append(bonyHand({ 1.25f, 0.18f, -0.88f }, { -1.0f, 0.0f, 0.0f }, { 0.0f, 0.0f, 1.0f }));
    return mesh;
}

Mesh deathScythe()
{
    const UvRect wood = deathUv(atlas::death::wood);
    const UvRect blade = deathUv(atlas::death::blade);
    const glm::vec3 foot(1.28f, -3.3f, -0.8f);
    const glm::vec3 top(1.22f, 3.1f, -1.05f);
    Mesh mesh;
    mesh.append(tube(foot, top, 0.07f, 0.065f, 8, wood, wood));
    mesh.append(tube(top + glm::vec3(0.0f, -0.35f, 0.0f), top + glm::vec3(0.0f, 0.12f, 0.0f), 0.1f, 0.1f, 8,
        blade, blade));
    // The second grip halfway up the staff.
    mesh.append(tube({ 1.25f, 1.1f, -0.95f }, { 1.25f, 1.2f, -1.4f }, 0.05f, 0.045f, 6, wood, wood));
    // The blade sweeps across Death's front and curves down to its point.
    const std::vector<glm::vec2> back = { { 1.26f, 3.22f }, { 0.8f, 3.4f }, { 0.2f, 3.42f }, { -0.4f, 3.22f },
        { -0.9f, 2.86f }, { -1.3f, 2.35f } };
    const std::vector<glm::vec2> edge = { { 1.26f, 2.9f }, { 0.8f, 3.08f }, { 0.22f, 3.08f },
        { -0.32f, 2.9f }, { -0.82f, 2.62f }, { -1.3f, 2.35f } };
    mesh.append(ribbon(back, edge, 0.06f, blade), translation({ 0.0f, 0.0f, top.z }));
    return mesh;
}

} // namespace datagen
