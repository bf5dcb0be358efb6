#include "world/TerrainMesher.h"

#include "world/Octree.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr float kVoxel = 0.5f;
constexpr int kSide = 32; // voxels along a draw node's edge
constexpr int kPlanes = kSide + 1; // face planes along one axis

// The faces of one node laid out per direction and plane, one block type per voxel square,
// with a bit per occupied square so the merge visits only squares that hold a face. Kept per
// thread; a build leaves every bit clear again.
struct FaceGrid {
    static constexpr int kSlices = 6 * kPlanes;
    std::vector<uint8_t> types = std::vector<uint8_t>(size_t(kSlices) * kSide * kSide, 0);
    std::vector<uint32_t> rowBits = std::vector<uint32_t>(size_t(kSlices) * kSide, 0);
    std::bitset<kSlices> used;

    static int slice(int face, int plane) { return face * kPlanes + plane; }
    uint8_t* typesOf(int slice) { return &types[size_t(slice) * kSide * kSide]; }
    uint32_t* rowsOf(int slice) { return &rowBits[size_t(slice) * kSide]; }
};

static_assert(kPlanes == TERRAIN_PLANE_SLOTS);
// A vertex keeps its block type in the bits below the face direction.
static_assert(BLOCK_TYPE_COUNT - 1 <= TERRAIN_TYPE_MASK, "block types outgrow the terrain vertex");

// The drawing slot of a face plane (see TerrainFaceRanges): faces looking along +axis come from
// the top plane down, the others from the bottom up, so the faces nearest an eye in front of
// them come first.
int planeSlot(int face, int plane)
{
    return face >= 3 ? kPlanes - 1 - plane : plane;
}

// Bits u0 .. u1 - 1.
uint32_t span(int u0, int u1)
{
    const uint32_t below = u1 >= 32 ? ~0u : (1u << u1) - 1u;
    return below & ~((1u << u0) - 1u);
}

// Leaf corners lie on the voxel grid, so the quotient is a whole number exactly.
int voxelIndex(float value, float origin)
{
    return int((value - origin) * (1.0f / kVoxel));
}

struct LeafFaces {
    int lo[3], hi[3];
    uint8_t mask;
    uint8_t type;
};

template <class Fn> void forEachSolidLeaf(const Octree& node, const glm::vec3& origin, Fn&& fn)
{
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            forEachSolidLeaf(node.child(k), origin, fn);
        return;
    }
    const uint8_t mask = node.visibleFaces & ALL_TERRAIN_FACES;
    if (!blockDef(node.type).drawn() || mask == 0)
        return;
    LeafFaces leaf;
    for (int a = 0; a < 3; ++a) {
        leaf.lo[a] = std::clamp(voxelIndex(node.box.min[a], origin[a]), 0, kSide);
        leaf.hi[a] = std::clamp(voxelIndex(node.box.max[a], origin[a]), 0, kSide);
    }
    leaf.mask = mask;
    leaf.type = node.type;
    fn(leaf);
}

TerrainQuad leafQuad(const LeafFaces& leaf, int face)
{
    const int axis = face % 3;
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    TerrainQuad quad;
    quad.plane = uint8_t(face < 3 ? leaf.lo[axis] : leaf.hi[axis]);
    quad.u0 = uint8_t(leaf.lo[u]);
    quad.u1 = uint8_t(leaf.hi[u]);
    quad.v0 = uint8_t(leaf.lo[v]);
    quad.v1 = uint8_t(leaf.hi[v]);
    quad.type = leaf.type;
    return quad;
}

// Greedy rectangles over one slice: grow along u while the type holds, then along v while
// the whole run does. Clears the bits of the squares it covers.
template <class Emit> void mergeSlice(const uint8_t* types, uint32_t* rows, int plane, Emit&& emit)
{
    for (int v = 0; v < kSide; ++v) {
        const uint8_t* row = types + v * kSide;
        while (rows[v] != 0) {
            const int u = std::countr_zero(rows[v]);
            const uint8_t type = row[u];
            int width = 1;
            while (u + width < kSide && (rows[v] >> (u + width) & 1u) && row[u + width] == type)
                ++width;
            const uint32_t run = span(u, u + width);
            int height = 1;
            for (; v + height < kSide; ++height) {
                if ((rows[v + height] & run) != run)
                    break;
                const uint8_t* next = types + (v + height) * kSide + u;
                if (std::any_of(next, next + width, [type](uint8_t t) { return t != type; }))
                    break;
            }
            for (int h = 0; h < height; ++h)
                rows[v + h] &= ~run;
            emit(TerrainQuad { uint8_t(plane), uint8_t(u), uint8_t(v), uint8_t(u + width),
                uint8_t(v + height), type });
        }
    }
}

}

std::unique_ptr<TerrainMeshData> buildTerrainMesh(const Octree& node, bool merge)
{
    const glm::vec3 origin = node.box.min;
    std::array<std::vector<TerrainQuad>, 6> quads;

    if (!merge) { // leaf order within each plane: the reference for tests, not tuned for drawing
        forEachSolidLeaf(node, origin, [&](const LeafFaces& leaf) {
            for (int f = 0; f < 6; ++f) {
                if (leaf.mask & (1 << f))
                    quads[size_t(f)].push_back(leafQuad(leaf, f));
            }
        });
        for (int f = 0; f < 6; ++f) {
            std::stable_sort(quads[size_t(f)].begin(), quads[size_t(f)].end(),
                [f](const TerrainQuad& a, const TerrainQuad& b) { return planeSlot(f, a.plane) < planeSlot(f, b.plane); });
        }
    } else {
        thread_local FaceGrid grid;
        forEachSolidLeaf(node, origin, [&](const LeafFaces& leaf) {
            for (int f = 0; f < 6; ++f) {
                if (!(leaf.mask & (1 << f)))
                    continue;
                const TerrainQuad q = leafQuad(leaf, f);
                const int slice = FaceGrid::slice(f, q.plane);
                grid.used.set(size_t(slice));
                uint8_t* types = grid.typesOf(slice);
                uint32_t* rows = grid.rowsOf(slice);
                const uint32_t run = span(q.u0, q.u1);
                for (int v = q.v0; v < q.v1; ++v) {
                    std::memset(types + v * kSide + q.u0, q.type, size_t(q.u1 - q.u0));
                    rows[v] |= run;
                }
            }
        });
        // A face is seen only from its front, where the planes further along its direction
        // lie nearer the eye: drawing those first lets the depth test reject the faces
        // behind them before they are shaded.
        for (int f = 0; f < 6; ++f) {
            for (int k = 0; k < kPlanes; ++k) {
                const int p = planeSlot(f, k); // the slot order is its own inverse
                const int slice = FaceGrid::slice(f, p);
                if (!grid.used.test(size_t(slice)))
                    continue;
                mergeSlice(grid.typesOf(slice), grid.rowsOf(slice), p,
                    [&](const TerrainQuad& q) { quads[size_t(f)].push_back(q); });
            }
        }
        grid.used.reset();
    }

    size_t total = 0;
    for (const auto& list : quads)
        total += list.size();
    if (total == 0)
        return nullptr;
    auto data = std::make_unique<TerrainMeshData>();
    data->placement.origin = origin;
    data->placement.step = glm::vec3(kVoxel);
    data->vertices.reserve(total * 4);
    std::array<uint32_t, 6> perFace {};
    std::array<std::array<uint16_t, TERRAIN_PLANE_SLOTS + 1>, 6> planeQuads {};
    for (int f = 0; f < 6; ++f) {
        const auto& list = quads[size_t(f)];
        size_t q = 0;
        for (int k = 0; k <= TERRAIN_PLANE_SLOTS; ++k) {
            while (q < list.size() && planeSlot(f, list[q].plane) < k)
                ++q;
            planeQuads[size_t(f)][size_t(k)] = uint16_t(q);
        }
        for (const TerrainQuad& quad : list)
            appendTerrainQuad(*data, f, quad);
        perFace[size_t(f)] = uint32_t(list.size());
    }
    finishTerrainIndices(*data, perFace, &planeQuads);
    return data;
}
