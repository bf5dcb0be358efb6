#include "structures/Mineshaft.h"

#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "gameplay/ItemContainer.h"
#include "gameplay/StaticDynamite.h"
#include "structures/BoxShapes.h"
#include "structures/Placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <glm/geometric.hpp>

namespace {

constexpr glm::vec3 up(0, 1, 0);

float toThousandths(float v)
{
    return static_cast<float>(Random::roundHalfAway(v * 1000.0f)) / 1000.0f;
}

// The order in which a visit tries its neighbours: values of next() & 3,
// each kept the first time it comes up, until all four are there.
std::array<int, 4> shuffledDirections(Random& random)
{
    std::array<int, 4> order {};
    std::array<bool, 4> chosen {};
    int count = 0;
    while (count < 4) {
        const int d = static_cast<int>(random.next() & 3);
        if (!chosen[d]) {
            chosen[d] = true;
            order[count++] = d;
        }
    }
    return order;
}

constexpr std::array<std::array<int, 2>, 4> directionSteps = { { { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } } };

} // namespace

MineSegment::MineSegment(
    const glm::vec3& s, const glm::vec3& e, const glm::vec2& sc, const glm::vec2& ec, Mineshaft* o)
    : start(s)
    , end(e)
    , startCell(sc)
    , endCell(ec)
    , dir(glm::normalize(e - s))
    , side(-dir.z, 0, dir.x)
    , middle((s + e) / 2.0f)
    , owner(o)
{
    const glm::vec3 m = middle - glm::vec3(0, Mineshaft::tunnelHeight / 2, 0);
    floorMiddle = { toThousandths(m.x), toThousandths(m.y), toThousandths(m.z) };
}

Mineshaft::Mineshaft(const glm::vec3& p)
    : Location(p)
{
}

glm::vec3 Mineshaft::cellPoint(int u, int v) const
{
    const float half = cellSpacing * (gridSize - 1) / 2;
    return { position.x - half + cellSpacing * u, tunnelLevel, position.z - half + cellSpacing * v };
}

bool Mineshaft::addSegment(int u0, int v0, int u1, int v1)
{
    const glm::vec2 a(u0, v0);
    const glm::vec2 b(u1, v1);
    if (std::any_of(segments.begin(), segments.end(), [&](const MineSegment& s) { return s.joins(a, b); }))
        return false;
    segments.emplace_back(cellPoint(u0, v0), cellPoint(u1, v1), a, b, this);
    return true;
}

void Mineshaft::visit(int u, int v, std::vector<uint8_t>& visited, int& budget)
{
    visited[u * gridSize + v] = 1;
    if (--budget < 0)
        return;
    for (int d : shuffledDirections(random)) {
        const int nu = u + directionSteps[d][0];
        const int nv = v + directionSteps[d][1];
        if (nu < 0 || nv < 0 || nu >= gridSize || nv >= gridSize || visited[nu * gridSize + nv])
            continue;
        addSegment(u, v, nu, nv);
        visit(nu, nv, visited, budget);
    }
}

void Mineshaft::addExtraOpening(const std::vector<uint8_t>& visited)
{
    const uint32_t a = random.next();
    const uint32_t b = random.next();
    const uint32_t c = random.next();
    const int inner = gridSize - 2;
    const int u = static_cast<int>(b % inner) + 1;
    const int v = static_cast<int>(a % inner) + 1;
    int nu = u;
    int nv = v;
    if ((c & 3) == 0)
        nu = u + 1;
    else if ((random.next() & 3) == 1)
        nu = u - 1;
    else if ((random.next() & 3) == 2)
        nv = v + 1;
    else
        nv = v - 1;
    // Only between cells the walk reached: a tunnel into untouched rock would lead nowhere.
    if (visited[u * gridSize + v] && visited[nu * gridSize + nv])
        addSegment(u, v, nu, nv);
}

void Mineshaft::layOutTunnels()
{
    segments.clear();
    std::vector<uint8_t> visited(gridSize * gridSize, 0);
    int budget = visitBudget;
    visit(gridSize / 2, gridSize / 2, visited, budget);
    for (int i = 0; i < extraOpenings; ++i)
        addExtraOpening(visited);
}

int Mineshaft::markDeadEnds(std::vector<MineSegment>& segments)
{
    int deadEnds = 0;
    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
            const glm::vec2 cell(i, j);
            MineSegment* only = nullptr;
            int touching = 0;
            for (MineSegment& s : segments) {
                if (s.startCell == cell || s.endCell == cell) {
                    ++touching;
                    only = &s;
                }
            }
            if (touching == 1 && only->endCell == cell) {
                only->deadEnd = true;
                ++deadEnds;
            }
        }
    }
    return deadEnds;
}

void Mineshaft::chooseCageSegment(std::vector<MineSegment>& segments, int deadEnds, uint32_t k)
{
    // Extra openings can join every leaf of the walk to another cell; then
    // there is no dead end, and the remainder below would divide by zero.
    if (deadEnds <= 0)
        return;
    uint32_t index = k % static_cast<uint32_t>(deadEnds);
    for (MineSegment& s : segments) {
        if (!s.deadEnd)
            continue;
        if (index == 0) {
            s.holdsCage = true;
            return;
        }
        --index;
    }
}

void Mineshaft::generate(VoxelOrders& orders)
{
    base = { position.x, tunnelLevel, position.z };
    railLength = 12.0f;
    layOutTunnels();
    buildTunnels(orders);
}

void Mineshaft::buildTunnels(VoxelOrders& orders)
{
    for (const MineSegment& s : segments)
        appendLine(orders, BLOCK_AIR, s.start, s.end, tunnelWidth, tunnelHeight);

    const int deadEnds = markDeadEnds(segments);
    chooseCageSegment(segments, deadEnds, random.next());

    for (MineSegment& s : segments)
        appendSegment(orders, s);
    appendEntrance(orders);
}

void Mineshaft::appendSegment(VoxelOrders& orders, MineSegment& s)
{
    const glm::vec3 fm = s.floorMiddle;
    const glm::vec3 railHalf = s.dir * ((railLength + 1.5f) / 2);
    const glm::vec3 below(0, -0.5f, 0);
    appendNormalisedBox(
        orders, BLOCK_METAL, fm - railHalf + s.side * 0.5f + below, fm + railHalf + s.side * 1.0f);
    appendNormalisedBox(
        orders, BLOCK_METAL, fm - railHalf - s.side * 1.0f + below, fm + railHalf - s.side * 0.5f);

    const float postOffset = tunnelWidth / 2 - 0.5f;
    for (float sign : { 1.0f, -1.0f })
        appendPlanBox(
            orders, BLOCK_WOOD_PLANKS2, fm + s.side * (postOffset * sign), 1, 1, fm.y, fm.y + tunnelHeight);
    const float lintelBottom = fm.y + tunnelHeight - 0.5f;
    appendOrientedBox(
        orders, BLOCK_WOOD_PLANKS2, fm, s.dir, 1, s.side, tunnelWidth, lintelBottom, lintelBottom + 1);

    if (!s.deadEnd) {
        if (random.next() % 5 == 0)
            appendCart(orders, s);
    } else if (s.holdsCage) {
        appendSealedRoom(orders, s);
    } else if ((random.next() & 3) == 0) {
        appendSealedRoom(orders, s);
    }
}

void Mineshaft::appendCart(VoxelOrders& orders, const MineSegment& s)
{
    const glm::vec3 k = s.floorMiddle + s.dir * 4.0f + up * 0.5f;
    const glm::vec3 half = (s.dir * 3.0f + s.side * 2.0f) / 2.0f;
    aabb body(k - half, k + half);
    body.normalize();
    body.max.y += 1;
    appendBox(orders, BLOCK_METAL2, body.min, body.max);
    appendBox(orders, BLOCK_AIR, body.min + glm::vec3(0.5f), body.max - glm::vec3(0.5f, 0, 0.5f));

    const std::array<glm::vec2, 4> wheels = { { { -1, 1 }, { 1, 1 }, { -1, -1 }, { 1, -1 } } };
    for (const glm::vec2& w : wheels) {
        const glm::vec3 c = k + glm::vec3(0.75f * w.x, -0.25f, 0.75f * w.y);
        appendBox(orders, BLOCK_WHEEL, c - glm::vec3(0.25f), c + glm::vec3(0.25f));
    }

    // The load: two rows of four heaps of 0, 0, 0.5 or 1 unit, at random.
    const glm::vec3 corner = k - s.dir + up * 0.5f;
    aabb piece(corner, corner + (s.side + s.dir) * 0.5f);
    piece.normalize();
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 4; ++i) {
            aabb heap = piece;
            heap.translate(s.dir * (0.5f * i));
            heap.max.y += std::max(0.0f, static_cast<float>(random.next() & 3) * 0.5f - 0.5f);
            appendBox(orders, BLOCK_DIAMOND_STONE, heap.min, heap.max);
        }
        piece.translate(-s.side * 0.5f);
    }
}

void Mineshaft::appendSealedRoom(VoxelOrders& orders, const MineSegment& s)
{
    const glm::vec3 fm = s.floorMiddle;
    const glm::vec3 across = s.side * (tunnelWidth / 2);
    appendNormalisedBox(orders, BLOCK_STONE_CRACKS, fm - s.dir * 0.5f - across,
        fm + s.dir * 0.5f + across + up * tunnelHeight);

    auto charge = std::make_unique<StaticDynamite>(
        fm - s.dir * 3.0f, fm - s.dir * 0.5f + up * (tunnelHeight / 2), 2.0f);
    charge->setPackOrientation(s.side, -s.dir);
    charge->setMachineFacing(glm::normalize(glm::vec3(-0.9f, 0, 0.1f)));
    objects.push_back(std::move(charge));

    const glm::vec3 e = s.end - up * (tunnelHeight / 2);
    if (s.holdsCage)
        objects.push_back(std::make_unique<Cage>(e - glm::vec3(0, 0.11f, 0), false));
    else
        objects.push_back(std::make_unique<ItemContainer>(e, -1));
}

void Mineshaft::appendEntrance(VoxelOrders& orders)
{
    const float px = position.x;
    const float py = position.y;
    const float pz = position.z;
    const int f = 4 + static_cast<int>(std::trunc(2 * (py - tunnelLevel)));
    const float h = px + 5 - static_cast<float>(f) / 2;
    appendLine(orders, BLOCK_AIR, { h + 2, tunnelLevel, pz }, { h - 5, tunnelLevel, pz }, 9, 4);

    const glm::vec3 q(px + 7.5f, py - 1, pz - 2.5f);
    const glm::vec3 step(-0.5f, -0.5f, 0);
    appendBoxRun(orders, q + glm::vec3(3, 4, 0), step, { -0.5f, 5, 5 }, f + 6, BLOCK_AIR);
    appendBoxRun(orders, q + glm::vec3(0, 6, 0), step, { -0.5f, 1, 5 }, f, BLOCK_WOOD_PLANKS2);

    const glm::vec3 along(-1, 0, 0);
    const glm::vec3 across(-along.z, 0, along.x);
    const glm::vec3 treadSize(-0.5f, 1, 5);
    for (int i = 0; i < f; ++i) {
        aabb tread(q + step * static_cast<float>(i), q + step * static_cast<float>(i) + treadSize);
        tread.normalize();
        if (i % 12 == 0) {
            // A timber frame every six units of descent, so the long stair looks propped up.
            const glm::vec3 c = tread.center();
            appendPlanBox(orders, BLOCK_WOOD_PLANKS2, c + across * 2.0f, 1, 1, c.y, c.y + 6);
            appendPlanBox(orders, BLOCK_WOOD_PLANKS2, c - across * 2.0f, 1, 1, c.y, c.y + 6);
            appendOrientedBox(orders, BLOCK_WOOD_PLANKS2, c, along, 1, across, 5, c.y + 5.5f, c.y + 6.5f);
        }
        appendBox(orders, BLOCK_STONE, tread.min, tread.max);
    }
}
