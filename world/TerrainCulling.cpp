#include "world/TerrainCulling.h"

#include "render/Camera.h"
#include "world/Octree.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/vector_relational.hpp>

void TerrainCullResult::clear()
{
    shaded.clear();
    silhouette.clear();
    nodesTested = 0;
    shadedTriangles = 0;
    silhouetteTriangles = 0;
    occludedNodes = 0;
    occludedTriangles = 0;
    outOfViewTriangles = 0;
    shownFirstTriangles = 0;
}

void grownNodeBox(const glm::vec3& eye, glm::vec3& min, glm::vec3& max)
{
    // The shaders grow each quad within its plane by 0.0005 of its distance (against cracks at
    // T-junctions); the farthest corner bounds that. A box flat along an axis holds only quads
    // in that plane, which grow within it: it stays flat, and so has half the corners to test.
    const glm::vec3 far = glm::max(glm::abs(min - eye), glm::abs(max - eye));
    const float grow = 0.0005f * glm::length(far) + 0.01f;
    for (int axis = 0; axis < 3; ++axis) {
        if (min[axis] != max[axis]) {
            min[axis] -= grow;
            max[axis] += grow;
        }
    }
}

namespace {

// Whether, for every plane of the camera, the box's corner farthest along the inward normal
// (`farthest`) or the one nearest along it lies on the inner side. The farthest lies outside
// only when the whole box does; the nearest lies inside only when the whole box does.
bool cornersInside(const Camera& camera, const glm::vec3& min, const glm::vec3& max, bool farthest)
{
    for (const Plane& plane : camera.planes) {
        const glm::bvec3 up = glm::greaterThanEqual(plane.normal, glm::vec3(0.0f));
        const glm::vec3 far(up.x ? max.x : min.x, up.y ? max.y : min.y, up.z ? max.z : min.z);
        if (plane.signedDistance(farthest ? far : min + max - far) < 0.0f)
            return false;
    }
    return true;
}

} // namespace

bool boxInFrustum(const Camera& camera, const glm::vec3& min, const glm::vec3& max)
{
    return cornersInside(camera, min, max, true);
}

bool boxWithinFrustum(const Camera& camera, const glm::vec3& min, const glm::vec3& max)
{
    return cornersInside(camera, min, max, false);
}

float boxDistance(const glm::vec3& p, const glm::vec3& min, const glm::vec3& max)
{
    const glm::vec3 nearest = glm::clamp(p, min, max);
    return glm::distance(p, nearest);
}

namespace {

// The box's bounding sphere against the cone: how far its centre lies out from the cone's side
// (negative inside), where it lies along the axis, and its radius.
struct SphereAndCone {
    float outside = 0.0f, along = 0.0f, radius = 0.0f;
};

SphereAndCone sphereAndCone(const LightCone& cone, const glm::vec3& min, const glm::vec3& max)
{
    const glm::vec3 centre = (min + max) * 0.5f;
    const glm::vec3 v = centre - cone.apex;
    SphereAndCone s;
    s.radius = glm::distance(centre, max);
    s.along = glm::dot(v, cone.axis);
    const float across = glm::length(v - s.along * cone.axis);
    // Inside the cone, and in front of its apex, this is exactly the distance to its side;
    // elsewhere never more than the true distance to the cone.
    s.outside = across * std::cos(cone.halfAngle) - s.along * std::sin(cone.halfAngle);
    return s;
}

} // namespace

bool boxInCone(const LightCone& cone, const glm::vec3& min, const glm::vec3& max)
{
    if (boxDistance(cone.apex, min, max) > cone.reach)
        return false;
    // A sphere this calls outside is outside.
    const SphereAndCone s = sphereAndCone(cone, min, max);
    return s.outside <= s.radius;
}

bool boxWithinCone(const LightCone& cone, const glm::vec3& min, const glm::vec3& max)
{
    const glm::vec3 far = glm::max(glm::abs(min - cone.apex), glm::abs(max - cone.apex));
    if (glm::length(far) > cone.reach)
        return false;
    const SphereAndCone s = sphereAndCone(cone, min, max);
    return s.along > 0.0f && -s.outside >= s.radius;
}

bool floorBehindBox(const glm::vec3& eye, const FloorRect& floor, const glm::vec3& min, const glm::vec3& max)
{
    const float height = eye.y - floor.y;
    if (max.y >= eye.y || height <= 0.0f)
        return false;
    for (int k = 0; k < 8; ++k) {
        const glm::vec3 c((k & 1) ? max.x : min.x, (k & 2) ? max.y : min.y, (k & 4) ? max.z : min.z);
        // Along the ray from the eye through the corner, down to the floor's plane.
        const float t = height / (eye.y - c.y);
        const glm::vec3 hit = eye + (c - eye) * t;
        if (hit.x < floor.minX || hit.x > floor.maxX || hit.z < floor.minZ || hit.z > floor.maxZ
            || !(glm::distance(hit, eye) < floor.maxDistance))
            return false;
    }
    return true;
}

namespace {

struct NodeMesh {
    const TerrainFaceRanges* ranges = nullptr;
    const TerrainPlacement* placement = nullptr;
};

NodeMesh meshOf(const Octree_draw_node& node, TerrainMeshSource source)
{
    if (source == TerrainMeshSource::Uploaded) {
        if (node.mesh)
            return { &node.mesh->faceRanges(), &node.mesh->meshPlacement() };
    } else if (node.meshData) {
        return { &node.meshData->ranges, &node.meshData->placement };
    }
    return {};
}

bool nearFire(const TerrainViewParams& params, const glm::vec3& min, const glm::vec3& max)
{
    return params.fireRadius > 0.0f && boxDistance(params.firePosition, min, max) < params.fireRadius;
}

} // namespace

void cullTerrain(const ChunkList& chunks, const Camera& camera, const TerrainViewParams& params,
    TerrainCullResult& out, TerrainMeshSource source)
{
    out.clear();
    const glm::vec3 eye = camera.eyePosition();
    for (const auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        // A chunk outside the view or the lamp's cone takes its 64 nodes with it.
        const aabb bounds = chunk->bounds();
        if (!params.everything
            && (!boxInFrustum(camera, bounds.min, bounds.max)
                || (params.hasCone && !boxInCone(params.cone, bounds.min, bounds.max)))) {
            forEachDrawNode(*chunk->root, chunk->root->box, [](Octree_draw_node& node) { node.visible = false; });
            continue;
        }
        forEachDrawNode(*chunk->root, chunk->root->box, [&](Octree_draw_node& node) {
            node.visible = false;
            const NodeMesh mesh = meshOf(node, source);
            if (!mesh.ranges)
                return;
            ++out.nodesTested;
            const glm::vec3& lo = mesh.placement->lo;
            const glm::vec3& hi = mesh.placement->hi;
            const float centre = glm::distance((lo + hi) * 0.5f, eye);
            if (params.everything) {
                TerrainDrawItem item { &node, lo, hi, centre, mesh.ranges->all() };
                out.shadedTriangles += item.ranges.triangles();
                out.shaded.push_back(item);
                node.visible = true;
                return;
            }
            if (!boxInFrustum(camera, lo, hi) || (params.hasCone && !boxInCone(params.cone, lo, hi)))
                return;
            TerrainDrawItem item;
            item.node = &node;
            item.lo = lo;
            item.hi = hi;
            item.ranges = params.cullByEye ? mesh.ranges->seenFrom(eye, mesh.placement->origin, mesh.placement->step)
                                           : mesh.ranges->all();
            if (item.ranges.count == 0)
                return;
            item.distance = centre;
            const float nearest = boxDistance(eye, lo, hi);
            const float horizon = nearFire(params, lo, hi) ? std::max(params.horizon, params.fireHorizon) : params.horizon;
            if (nearest <= horizon) {
                out.shadedTriangles += item.ranges.triangles();
                out.shaded.push_back(item);
            } else if (!(params.hasFloor && nearest > params.floorHorizon && floorBehindBox(eye, params.floor, lo, hi))) {
                out.silhouetteTriangles += item.ranges.triangles();
                out.silhouette.push_back(item);
            } else {
                return;
            }
            node.visible = true;
        });
    }
    const auto nearer = [](const TerrainDrawItem& a, const TerrainDrawItem& b) { return a.distance < b.distance; };
    std::sort(out.shaded.begin(), out.shaded.end(), nearer);
    std::sort(out.silhouette.begin(), out.silhouette.end(), nearer);
}
