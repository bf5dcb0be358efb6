#include "structures/Placement.h"

#include "base/Log.h"
#include "base/Random.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

namespace {

// Longest line anyone could mean: a few chunks. Beyond it a caller is broken,
// and millions of orders would only exhaust memory.
constexpr float longestLine = 4096.0f;

float roundToThousandths(float v)
{
    return static_cast<float>(Random::roundHalfAway(v * 1000.0f)) / 1000.0f;
}

glm::vec3 roundToThousandths(const glm::vec3& v)
{
    return { roundToThousandths(v.x), roundToThousandths(v.y), roundToThousandths(v.z) };
}

// The turn about the vertical axis through pivot, with cosine and sine already snapped.
glm::vec3 turnAbout(const glm::vec3& p, const glm::vec3& pivot, float c, float s)
{
    const float dx = p.x - pivot.x;
    const float dz = p.z - pivot.z;
    return pivot + glm::vec3(c * dx + s * dz, p.y - pivot.y, -s * dx + c * dz);
}

} // namespace

void appendShape(VoxelOrders& orders, int type, std::unique_ptr<Geometric_Object> shape)
{
    if (!shape)
        return;
    orders.emplace_back(type, std::move(shape));
}

void appendBox(VoxelOrders& orders, int type, const glm::vec3& corner1, const glm::vec3& corner2)
{
    appendShape(orders, type, std::make_unique<aabb>(corner1, corner2));
}

void appendSphere(VoxelOrders& orders, int type, float cx, float cy, float cz, float radius)
{
    appendShape(orders, type, std::make_unique<Sphere>(glm::vec3(cx, cy, cz), radius));
}

void appendLine(
    VoxelOrders& orders, int type, const glm::vec3& from, const glm::vec3& to, float width, float height)
{
    const aabb shape({ 0.0f, 0.0f, 0.0f }, { width, height, width });
    const glm::vec3 d = to - from;
    const float length = glm::length(d);
    if (!std::isfinite(length) || length > longestLine) {
        logError(joinText("appendLine: ignoring a line of length ", length));
        return;
    }
    auto appendAt = [&](const glm::vec3& center) {
        auto box = std::make_unique<aabb>(shape);
        box->moveCenterTo(roundToThousandths(center));
        appendShape(orders, type, std::move(box));
    };
    if (length == 0.0f) {
        appendAt(from);
        return;
    }
    // Four samples per whole unit; a stub shorter than a unit still reaches both ends.
    const int n = std::max(1, 4 * static_cast<int>(std::trunc(length)));
    const glm::vec3 step = d / length * (length / static_cast<float>(n));
    for (int i = 0; i <= n; ++i)
        appendAt(from + step * static_cast<float>(i));
}

void rotateLastOrders(VoxelOrders& orders, float degrees, const glm::vec3& pivot, int count)
{
    const float radians = glm::radians(degrees);
    const float c = static_cast<float>(Random::roundHalfAway(std::cos(radians)));
    const float s = static_cast<float>(Random::roundHalfAway(std::sin(radians)));
    const size_t turned = count <= 0 ? 0 : std::min(orders.size(), static_cast<size_t>(count));
    for (size_t i = orders.size() - turned; i < orders.size(); ++i) {
        Geometric_Object* shape = orders[i].shape.get();
        if (auto* box = dynamic_cast<aabb*>(shape)) {
            box->min = turnAbout(box->min, pivot, c, s);
            box->max = turnAbout(box->max, pivot, c, s);
            box->normalize();
        } else if (auto* sphere = dynamic_cast<Sphere*>(shape)) {
            // Round about its own centre, so only the centre needs to move with the rest.
            sphere->center = turnAbout(sphere->center, pivot, c, s);
        }
    }
}

void appendBoxRun(VoxelOrders& orders, const glm::vec3& corner, const glm::vec3& step, const glm::vec3& size,
    int count, int type)
{
    aabb box(corner, corner + size);
    box.normalize();
    for (int i = 0; i < count; ++i) {
        appendShape(orders, type, std::make_unique<aabb>(box));
        box.translate(step);
    }
}
