#include "structures/MazeStairwell.h"

#include "base/BlockType.h"
#include "base/Log.h"
#include "structures/Placement.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

// Largest grid anyone could mean; beyond it the caller is broken and the
// visited marks and orders would only exhaust memory.
constexpr int largestGrid = 256;
// Likewise for a stairwell: far more than the height of the world.
constexpr float tallestStairwell = 1024.0f;

// Direction d of the maze: 0 is +u, 1 is -u, 2 is +v, 3 is -v.
constexpr std::array<int, 4> stepU { 1, -1, 0, 0 };
constexpr std::array<int, 4> stepV { 0, 0, 1, -1 };

// All four directions in the order in which repeated two-bit draws first name them.
std::array<int, 4> drawDirectionOrder(Random& random)
{
    std::array<int, 4> order {};
    bool chosen[4] = { false, false, false, false };
    int count = 0;
    while (count < 4) {
        const int d = static_cast<int>(random.next() & 3u);
        if (!chosen[d]) {
            chosen[d] = true;
            order[count++] = d;
        }
    }
    return order;
}

struct MazeGrid {
    VoxelOrders& orders;
    glm::vec3 corner1, corner2;
    float width, height;
    int size;

    void carve(int u, int v, int toU, int toV) const
    {
        appendLine(orders, BLOCK_AIR, mazeCellPoint(corner1, corner2, size, u, v),
            mazeCellPoint(corner1, corner2, size, toU, toV), width, height);
    }
};

// The recursive visit, unrolled onto an explicit stack so a large grid cannot
// overflow the worker's stack. Draw order and carving order are those of the
// recursion: a cell draws its direction order when it is first entered.
void visitAll(const MazeGrid& grid, Random& random)
{
    struct Frame {
        int u, v;
        std::array<int, 4> order;
        int next;
    };
    const int l = grid.size;
    std::vector<unsigned char> visited(static_cast<size_t>(l) * static_cast<size_t>(l), 0);
    std::vector<Frame> stack;
    auto enter = [&](int u, int v) {
        visited[static_cast<size_t>(u) * static_cast<size_t>(l) + static_cast<size_t>(v)] = 1;
        stack.push_back({ u, v, drawDirectionOrder(random), 0 });
    };
    enter(l / 2, l / 2);
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == 4) {
            stack.pop_back();
            continue;
        }
        const int d = f.order[f.next++];
        const int nu = f.u + stepU[d];
        const int nv = f.v + stepV[d];
        if (nu < 0 || nu >= l || nv < 0 || nv >= l)
            continue;
        if (visited[static_cast<size_t>(nu) * static_cast<size_t>(l) + static_cast<size_t>(nv)])
            continue;
        grid.carve(f.u, f.v, nu, nv);
        enter(nu, nv); // invalidates f
    }
}

void addExtraOpening(const MazeGrid& grid, Random& random)
{
    const uint32_t inner = static_cast<uint32_t>(grid.size - 2);
    const uint32_t a = random.next();
    const uint32_t b = random.next();
    const uint32_t c = random.next();
    const int u = static_cast<int>(b % inner) + 1;
    const int v = static_cast<int>(a % inner) + 1;
    int d = 0;
    if ((c & 3u) != 0) {
        if ((random.next() & 3u) == 1)
            d = 1;
        else
            d = (random.next() & 3u) == 2 ? 2 : 3;
    }
    grid.carve(u, v, u + stepU[d], v + stepV[d]);
}

float snapToHalf(float v)
{
    return static_cast<float>(Random::roundHalfAway(2.0f * v)) / 2.0f;
}

} // namespace

glm::vec3 mazeCellPoint(const glm::vec3& corner1, const glm::vec3& corner2, int gridSize, int u, int v)
{
    const float last = static_cast<float>(gridSize - 1);
    const float tu = static_cast<float>(u) / last;
    const float tv = static_cast<float>(v) / last;
    return { corner1.x * (1.0f - tu) + corner2.x * tu, corner1.y, corner1.z * (1.0f - tv) + corner2.z * tv };
}

void carveMaze(VoxelOrders& orders, Random& random, const glm::vec3& corner1, const glm::vec3& corner2,
    float width, float height, int gridSize, int extraOpenings)
{
    if (gridSize < 2 || gridSize > largestGrid) {
        logError(joinText("carveMaze: ignoring a maze of grid size ", gridSize));
        return;
    }
    const MazeGrid grid { orders, corner1, corner2, width, height, gridSize };
    visitAll(grid, random);
    if (gridSize < 3)
        return;
    for (int i = 0; i < extraOpenings; ++i)
        addExtraOpening(grid, random);
}

void buildStairwell(VoxelOrders& orders, int type, float yFrom, float x, float yTo, float z, float stepOffset,
    float cornerLength)
{
    buildStairwell(
        orders, StairwellStyle { type, type, type, -1, 0 }, yFrom, x, yTo, z, stepOffset, cornerLength);
}

void buildStairwell(VoxelOrders& orders, const StairwellStyle& style, float yFrom, float x, float yTo,
    float z, float stepOffset, float cornerLength)
{
    if (!std::isfinite(x) || !std::isfinite(z) || !std::isfinite(yFrom) || !std::isfinite(yTo)
        || std::abs(yTo - yFrom) > tallestStairwell || !(stepOffset >= 0.0f) || !(cornerLength >= 0.0f)) {
        logError(joinText("buildStairwell: ignoring a stairwell from ", yFrom, " to ", yTo));
        return;
    }
    x = snapToHalf(x);
    yTo = snapToHalf(yTo);
    z = snapToHalf(z);
    const float s = stepOffset;
    const float g = cornerLength;

    // The shaft, then the column standing in it.
    appendLine(orders, BLOCK_AIR, { x, yTo, z }, { x, yFrom, z }, 7, 3);
    appendLine(orders, BLOCK_AIR, { x, yTo, z }, { x, yFrom, z }, 5, 3);
    appendLine(orders, style.columnType, { x, yTo - 2, z }, { x, yFrom, z }, 2, 3);

    const float L = s + g + 1.0f;
    appendBox(orders, style.landingType, { x - L, yTo - 2.0f, z - L }, { x + L, yTo - 1.5f, z + L });
    if (style.slabType >= 0)
        appendBox(orders, style.slabType, { x - L, yTo - 2.5f, z - L }, { x + L, yTo - 2.0f, z + L });

    static const glm::vec3 turnOrder[4] = { { 1, 0, 0 }, { 0, 0, 1 }, { -1, 0, 0 }, { 0, 0, -1 } };
    int side = ((style.firstSide % 4) + 4) % 4;
    int k = 0;
    const glm::vec3 centre(x, 0, z);
    for (float y = yFrom - 1.5f; y < yTo - 1.5f; y += 0.5f) {
        const glm::vec3 dir = turnOrder[side];
        const glm::vec3 across(-dir.z, 0, dir.x);
        const float h = k == 4 ? g : 0.5f;
        aabb tread(centre + glm::vec3(0, y, 0) + dir * s,
            centre + glm::vec3(0, y + 0.5f, 0) + dir * (s + g) + across * h);
        tread.translate(across * (static_cast<float>(k - 2) * 0.5f));
        tread.normalize();
        aabb headroom = tread;
        headroom.min.y += 0.5f;
        headroom.max.y += 3.0f;
        appendShape(orders, style.treadType, std::make_unique<aabb>(tread));
        appendShape(orders, BLOCK_AIR, std::make_unique<aabb>(headroom));
        if (++k == 5) {
            k = 0;
            side = (side + 1) % 4;
        }
    }
}
