// The world objects that structures place: the cage, the bonfire, the sign,
// the dynamite pack and the blasting machine with its handle. Each is sized
// against the box the game gives the object, divided by the scale its model
// matrix applies: cages, signs and bonfires 0.7, the blasting machine 0.3 and
// the dynamite pack 0.2.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"

#include <cmath>

namespace datagen {

namespace {

// Half of a unit box at scale 0.7: the cage's walls, and the floor of
// every 0.7-scaled object (its box starts 0.5 below its position).
constexpr float kHalf = 0.5f / 0.7f;

UvRect cageUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::cage::size);
}
UvRect logsUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::logs::size);
}
UvRect signUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::sign::size);
}
UvRect dynamiteUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::dynamite::size);
}
UvRect machineUv(PixelRect rect)
{
    return atlas::uv(rect, atlas::machine::size);
}

} // namespace

Mesh cage()
{
    // Fills the cage's unit box. The caged cat stands 0.4 below the cage's
    // centre, which is the top of the wooden floor here (0.4 / 0.7).
    const float floorTop = -0.4f / 0.7f;
    const float roof = 0.6f;
    const UvRect iron = cageUv(atlas::cage::iron);
    const BoxUv darkIron = BoxUv::all(cageUv(atlas::cage::darkIron));
    Mesh mesh;
    mesh.append(
        box({ -kHalf, -kHalf, -kHalf }, { kHalf, floorTop, kHalf }, BoxUv::all(cageUv(atlas::cage::planks))));
    mesh.append(box({ -0.62f, floorTop, -0.62f }, { 0.62f, floorTop + 0.02f, 0.62f },
        BoxUv::all(cageUv(atlas::cage::straw))));
    mesh.append(box({ -kHalf, roof, -kHalf }, { kHalf, kHalf, kHalf }, darkIron));
    const float post = kHalf - 0.08f;
    for (float x : { -1.0f, 1.0f })
        for (float z : { -1.0f, 1.0f })
            mesh.append(box(
                { x * kHalf - (x > 0 ? 0.08f : 0.0f), floorTop, z * kHalf - (z > 0 ? 0.08f : 0.0f) },
                { x * kHalf + (x < 0 ? 0.08f : 0.0f), roof, z * kHalf + (z < 0 ? 0.08f : 0.0f) }, darkIron));
    const float bars[] = { -0.45f, -0.225f, 0.0f, 0.225f, 0.45f };
    for (float t : bars)
        for (int side = 0; side < 4; ++side) {
            const float along = t;
            const float across = side < 2 ? -post + 0.04f : post - 0.04f;
            const glm::vec3 foot
                = side % 2 == 0 ? glm::vec3(along, floorTop, across) : glm::vec3(across, floorTop, along);
            mesh.append(
                tube(foot, foot + glm::vec3(0.0f, roof - floorTop, 0.0f), 0.028f, 0.028f, 6, iron, iron));
        }
    // A rail round the middle holds the bars apart.
    mesh.append(box({ -post, 0.0f, -post }, { post, 0.05f, -post + 0.06f }, darkIron));
    mesh.append(box({ -post, 0.0f, post - 0.06f }, { post, 0.05f, post }, darkIron));
    mesh.append(box({ -post, 0.0f, -post }, { -post + 0.06f, 0.05f, post }, darkIron));
    mesh.append(box({ post - 0.06f, 0.0f, -post }, { post, 0.05f, post }, darkIron));
    return mesh;
}

Mesh bonfire()
{
    // Logs leaning together over a bed of embers inside a ring of stones, on
    // the floor of the bonfire's box; the flames burn above the apex, one
    // unit over the bonfire's position.
    const UvRect bark = logsUv(atlas::logs::bark);
    const UvRect rings = logsUv(atlas::logs::rings);
    const float floor = -kHalf;
    Mesh mesh;
    mesh.append(ellipsoid(
        { 0.0f, floor + 0.06f, 0.0f }, { 0.42f, 0.06f, 0.42f }, 10, 4, logsUv(atlas::logs::charred)));
    constexpr float kTau = 6.2831853f;
    for (int i = 0; i < 9; ++i) {
        const float a = kTau * float(i) / 9.0f;
        const glm::vec3 centre(0.58f * std::cos(a), floor + 0.08f, 0.58f * std::sin(a));
        mesh.append(ellipsoid({}, { 0.13f, 0.08f, 0.1f }, 6, 4, logsUv(atlas::logs::stone)),
            translation(centre) * rotationY(-a * 57.29578f));
    }
    for (int i = 0; i < 6; ++i) {
        const float a = kTau * (float(i) + 0.3f) / 6.0f;
        const glm::vec3 foot(0.46f * std::cos(a), floor + 0.07f, 0.46f * std::sin(a));
        const glm::vec3 top(-0.08f * std::cos(a), 0.62f, -0.08f * std::sin(a));
        mesh.append(tube(foot, top, 0.075f, 0.06f, 8, bark, rings));
    }
    mesh.append(
        tube({ -0.4f, floor + 0.08f, -0.12f }, { 0.4f, floor + 0.08f, 0.16f }, 0.08f, 0.08f, 8, bark, rings));
    mesh.append(tube(
        { -0.1f, floor + 0.08f, 0.38f }, { 0.15f, floor + 0.08f, -0.38f }, 0.08f, 0.08f, 8, bark, rings));
    return mesh;
}

Mesh sign()
{
    // A post with a painted board facing +z (the direction the structure
    // gives the sign); the sign's box rises 3 units above its floor, so the
    // board stands at head height.
    const float floor = -kHalf;
    BoxUv board = BoxUv::all(signUv(atlas::sign::wood));
    board.faces[5] = signUv(atlas::sign::board);
    Mesh mesh;
    mesh.append(
        box({ -0.08f, floor, -0.2f }, { 0.08f, 2.35f, -0.04f }, BoxUv::all(signUv(atlas::sign::post))));
    mesh.append(box({ -0.7f, 1.55f, -0.04f }, { 0.7f, 2.85f, 0.08f }, board));
    return mesh;
}

Mesh dynamitePack()
{
    // Nine long sticks taped together with a detonator on top, filling most
    // of the pack's 2 x 2 x 2 box (10 units across at scale 0.2).
    const UvRect paper = dynamiteUv(atlas::dynamite::paper);
    const UvRect end = dynamiteUv(atlas::dynamite::end);
    const BoxUv tape = BoxUv::all(dynamiteUv(atlas::dynamite::tape));
    const UvRect fuse = dynamiteUv(atlas::dynamite::fuse);
    Mesh mesh;
    for (float x : { -2.15f, 0.0f, 2.15f })
        for (float z : { -2.15f, 0.0f, 2.15f })
            mesh.append(tube({ x, -3.8f, z }, { x, 3.8f, z }, 1.05f, 1.05f, 10, paper, end));
    for (float y : { -2.5f, 2.5f })
        mesh.append(box({ -3.25f, y - 0.35f, -3.25f }, { 3.25f, y + 0.35f, 3.25f }, tape));
    mesh.append(box({ -0.8f, 3.7f, -0.8f }, { 0.8f, 4.5f, 0.8f }, tape));
    mesh.append(tube({ -0.4f, 4.4f, 0.0f }, { -1.2f, 4.85f, 0.7f }, 0.12f, 0.12f, 6, fuse, fuse));
    mesh.append(tube({ 0.4f, 4.4f, 0.0f }, { 1.2f, 4.85f, 0.7f }, 0.12f, 0.12f, 6, fuse, fuse));
    return mesh;
}

Mesh blastingMachine()
{
    // A wooden plunger box on the floor of the machine's box (0.5 below its
    // position, 1.667 units at scale 0.3), its label facing +z.
    const float floor = -0.5f / 0.3f;
    const UvRect brass = machineUv(atlas::machine::brass);
    BoxUv body = BoxUv::all(machineUv(atlas::machine::wood));
    body.faces[5] = machineUv(atlas::machine::label);
    const BoxUv metal = BoxUv::all(machineUv(atlas::machine::metal));
    Mesh mesh;
    mesh.append(box({ -1.3f, floor, -1.0f }, { 1.3f, 0.8f, 1.0f }, body));
    mesh.append(box({ -1.36f, 0.8f, -1.06f }, { 1.36f, 0.95f, 1.06f }, metal));
    mesh.append(box({ -1.36f, floor, -1.06f }, { 1.36f, floor + 0.15f, 1.06f }, metal));
    mesh.append(tube({ 0.0f, 0.95f, 0.0f }, { 0.0f, 1.2f, 0.0f }, 0.24f, 0.2f, 10,
        machineUv(atlas::machine::metal), brass));
    for (float x : { -0.85f, 0.85f }) {
        mesh.append(tube({ x, 0.95f, 0.65f }, { x, 1.3f, 0.65f }, 0.08f, 0.08f, 6, brass, brass));
        mesh.append(tube({ x, 1.1f, 0.65f }, { x, 1.2f, 0.65f }, 0.16f, 0.16f, 6, brass, brass));
        mesh.append(
            box({ x > 0 ? 1.3f : -1.5f, 0.1f, -0.35f }, { x > 0 ? 1.5f : -1.3f, 0.25f, 0.35f }, metal));
    }
    return mesh;
}

Mesh blastingMachineHandle()
{
    // The plunger rod and its T-bar, drawn pulled up; pushing it moves the
    // whole mesh 1.3 units down, which sinks the rod into the box.
    const UvRect metal = machineUv(atlas::machine::metal);
    const UvRect wood = machineUv(atlas::machine::wood);
    const UvRect brass = machineUv(atlas::machine::brass);
    Mesh mesh;
    mesh.append(tube({ 0.0f, 0.2f, 0.0f }, { 0.0f, 2.9f, 0.0f }, 0.1f, 0.1f, 8, metal, metal));
    mesh.append(tube({ -1.0f, 2.9f, 0.0f }, { 1.0f, 2.9f, 0.0f }, 0.14f, 0.14f, 8, wood, brass));
    for (float x : { -1.0f, 1.0f })
        mesh.append(tube({ x, 2.9f, 0.0f }, { x * 1.25f, 2.9f, 0.0f }, 0.17f, 0.17f, 8, wood, wood));
    return mesh;
}

} // namespace datagen
