#include "base/Shapes.h"

#include <cmath>
#include <utility>

int aabb::classify(const aabb& other) const
{
    for (int a = 0; a < 3; ++a) {
        if (min[a] >= other.max[a] || other.min[a] >= max[a])
            return OVERLAP_NONE;
    }
    bool inside = true;
    for (int a = 0; a < 3; ++a) {
        if (other.min[a] < min[a] || other.max[a] > max[a])
            inside = false;
    }
    return inside ? OVERLAP_CONTAINS : OVERLAP_PARTIAL;
}

bool aabb::intersects(const aabb& other) const
{
    return min.x < other.max.x && other.min.x < max.x && min.y < other.max.y && other.min.y < max.y
        && min.z < other.max.z && other.min.z < max.z;
}

aabb& aabb::boundingBox(aabb& out) const
{
    out.min = min;
    out.max = max;
    return out;
}

bool aabb::intersectsInclusive(const aabb& other) const
{
    for (int a = 0; a < 3; ++a) {
        if (min[a] > other.max[a] || other.min[a] > max[a])
            return false;
    }
    return true;
}

bool aabb::containsPoint(const glm::vec3& p) const
{
    return min.x <= p.x && p.x <= max.x && min.y <= p.y && p.y <= max.y && min.z <= p.z && p.z <= max.z;
}

glm::vec3 aabb::corner(int i) const
{
    if (i < 0 || i > 7)
        return min;
    return { (i & 4) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 1) ? max.z : min.z };
}

void aabb::normalize()
{
    for (int a = 0; a < 3; ++a) {
        if (min[a] > max[a])
            std::swap(min[a], max[a]);
    }
}

void aabb::scaleAboutCenter(const glm::vec3& s)
{
    const glm::vec3 c = center();
    translate(-c);
    min *= s;
    max *= s;
    translate(c);
}

uint8_t aabb::touchingFaces(const aabb& other) const
{
    constexpr float eps = 0.001f;
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3;
        const int c = (a + 2) % 3;
        const bool overlapBC = min[b] < other.max[b] && other.min[b] < max[b] && min[c] < other.max[c]
            && other.min[c] < max[c];
        if (!overlapBC)
            continue;
        if (std::fabs(max[a] - other.min[a]) < eps)
            return static_cast<uint8_t>(8 << a);
        if (std::fabs(min[a] - other.max[a]) < eps)
            return static_cast<uint8_t>(1 << a);
    }
    return NO_TOUCHING_FACE;
}

namespace {
// Two triangles per face, as vertex numbers of the box (x bit 0, y bit 1, z bit 2),
// wound counter-clockwise seen from outside.
constexpr uint32_t kFaceTriangles[6][6] = {
    { 4, 6, 2, 2, 0, 4 }, // -X
    { 4, 0, 1, 1, 5, 4 }, // -Y
    { 0, 2, 3, 3, 1, 0 }, // -Z
    { 1, 3, 7, 7, 5, 1 }, // +X
    { 2, 6, 7, 7, 3, 2 }, // +Y
    { 5, 7, 6, 6, 4, 5 }, // +Z
};
}

void aabb::appendMesh(float* vertices, int& vertexFloatCount, uint32_t* indices, int& indexCount,
                      uint8_t faceMask, int layer) const
{
    const float n = static_cast<float>(1.0 / std::sqrt(3.0));
    float* v = vertices + vertexFloatCount;
    for (int i = 0; i < 8; ++i) {
        const bool bx = i & 1, by = i & 2, bz = i & 4;
        *v++ = bx ? max.x : min.x;
        *v++ = by ? max.y : min.y;
        *v++ = bz ? max.z : min.z;
        *v++ = bx ? n : -n;
        *v++ = by ? n : -n;
        *v++ = bz ? n : -n;
        *v++ = static_cast<float>(layer);
        *v++ = static_cast<float>(i);
    }
    const uint32_t base = static_cast<uint32_t>(vertexFloatCount / 8);
    vertexFloatCount += 64;
    for (int f = 0; f < 6; ++f) {
        if (!(faceMask & (1 << f)))
            continue;
        for (int k = 0; k < 6; ++k)
            indices[indexCount++] = base + kFaceTriangles[f][k];
    }
}

int Sphere::classify(const aabb& box) const
{
    if (!intersects(box))
        return OVERLAP_NONE;
    for (int i = 0; i < 8; ++i) {
        const glm::vec3 d = box.corner(i) - center;
        if (!(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z) < radius))
            return OVERLAP_PARTIAL;
    }
    return OVERLAP_CONTAINS;
}

bool Sphere::intersects(const aabb& box) const
{
    float dist2 = 0.0f;
    for (int a = 0; a < 3; ++a) {
        if (center[a] < box.min[a]) {
            const float d = center[a] - box.min[a];
            dist2 += d * d;
        } else if (center[a] > box.max[a]) {
            const float d = center[a] - box.max[a];
            dist2 += d * d;
        }
    }
    return dist2 <= radius * radius;
}

aabb& Sphere::boundingBox(aabb& out) const
{
    const glm::vec3 r(radius + 1.0f);
    out.min = center - r;
    out.max = center + r;
    return out;
}
