// Drawing the world: the chunk meshes, the floor, the world objects and the bodies.
#include "world/World.h"

#include "gameplay/projectiles/Projectile.h"
#include "gameplay/Character.h"
#include "render/Camera.h"
#include "render/DepthTiles.h"
#include "render/Shader.h"
#include "render/TerrainMesh.h"

#include <algorithm>


TerrainDrawStats World::drawTerrain(const Camera& view, const TerrainViewParams& params)
{
    chooseTerrain(view, params);
    return drawChosenTerrain(view, params);
}

const TerrainCullResult& World::chooseTerrain(const Camera& view, const TerrainViewParams& params)
{
    cullTerrain(chunks, view, params, terrainCull);
    return terrainCull;
}

TerrainDrawStats World::drawChosenTerrain(const Camera& view, const TerrainViewParams& params)
{
    // A forest seen through its trees is many layers of boxes deep, and a software rasterizer
    // pays for every shaded fragment: drawing near nodes first lets the early depth test
    // throw the far layers away unshaded.
    TerrainDrawStats stats;
    const glm::vec3 eye = view.eyePosition();
    std::vector<TerrainDrawItem>& shaded = terrainCull.shaded;
    const DepthTiles* occluders = params.knownDepth;

    // A near node is far larger than what the view volume or the lamp's cone takes of it: one
    // that reaches out of them is drawn less the quads outside.
    const bool quadsInView = params.cullByEye && !params.everything;
    auto reachesOutOfView = [&](const TerrainDrawItem& item) {
        glm::vec3 lo = item.lo, hi = item.hi;
        grownNodeBox(eye, lo, hi);
        return quadsInView
            && (!boxWithinFrustum(view, lo, hi) || (params.hasCone && !boxWithinCone(params.cone, lo, hi)));
    };
    // Quad by quad: besides those outside the view, a tree crown behind another in the same
    // node, or the far side of a hollow, is a run of quads whose own boxes lie behind the depth.
    auto draw = [&](const TerrainDrawItem& item, bool testDepth) {
        const TerrainMesh& mesh = *item.node->mesh;
        const bool testView = reachesOutOfView(item);
        if (!testView && !testDepth) {
            const size_t triangles = mesh.draw(item.ranges);
            stats.triangles += triangles;
            stats.drawCalls += triangles > 0 ? 1 : 0;
            return;
        }
        size_t outside = 0;
        mesh.quadsNotHidden(item.ranges, [&](glm::vec3 lo, glm::vec3 hi) {
            grownNodeBox(eye, lo, hi);
            if (testView && (!boxInFrustum(view, lo, hi) || (params.hasCone && !boxInCone(params.cone, lo, hi)))) {
                ++outside;
                return true;
            }
            return testDepth && occluders->hides(view.projView, lo, hi, 0);
        }, quadRuns);
        terrainCull.outOfViewTriangles += outside * 2;
        terrainCull.occludedTriangles += item.ranges.triangles() - quadRuns.triangles - outside * 2;
        const size_t triangles = mesh.draw(quadRuns);
        stats.triangles += triangles;
        stats.drawCalls += triangles > 0 ? 1 : 0;
    };

    size_t next = 0;
    if (!occluders && params.occluderDistance > 0.0f && params.readDepth) {
        while (next < shaded.size() && shaded[next].distance < params.occluderDistance)
            draw(shaded[next++], false);
        const bool farther = next < shaded.size() || !terrainCull.silhouette.empty();
        if (next > 0 && farther)
            occluders = params.readDepth();
    }
    auto hidden = [&](const TerrainDrawItem& item) {
        glm::vec3 lo = item.lo, hi = item.hi;
        grownNodeBox(eye, lo, hi);
        if (!occluders->hides(view.projView, lo, hi))
            return false;
        ++terrainCull.occludedNodes;
        terrainCull.occludedTriangles += item.ranges.triangles();
        return true;
    };
    // Of a node that shows, the planes farthest from the eye may still lie behind what is
    // drawn, its own nearer faces included when the depth is known: each is tested as a slice
    // of the node's box, from the farthest in, until one may show.
    auto trimHiddenPlanes = [&](TerrainDrawItem& item) {
        const TerrainMesh& mesh = *item.node->mesh;
        const TerrainPlacement& at = mesh.meshPlacement();
        const size_t before = item.ranges.triangles();
        item.ranges = mesh.faceRanges().seenFrom(eye, at.origin, at.step, [&](int face, float plane) {
            glm::vec3 lo = item.lo, hi = item.hi;
            lo[face % 3] = hi[face % 3] = plane;
            grownNodeBox(eye, lo, hi);
            return occluders->hides(view.projView, lo, hi);
        });
        terrainCull.occludedTriangles += before - item.ranges.triangles();
    };
    for (; next < shaded.size(); ++next) {
        TerrainDrawItem& item = shaded[next];
        if (occluders && hidden(item))
            continue;
        const bool testDepth = occluders && params.cullByEye;
        if (testDepth)
            trimHiddenPlanes(item);
        draw(item, testDepth);
    }
    stats.depthKnown = params.knownDepth != nullptr;
    if (params.afterShaded)
        params.afterShaded();
    if (occluders) {
        auto& far = terrainCull.silhouette;
        far.erase(std::remove_if(far.begin(), far.end(), hidden), far.end());
    }
    return stats;
}

size_t World::drawSilhouettes()
{
    size_t triangles = 0;
    for (const TerrainDrawItem& item : terrainCull.silhouette)
        triangles += item.node->mesh->draw(item.ranges);
    return triangles;
}

FloorRect World::floorRect() const
{
    const aabb& b = worldFloor.box;
    return FloorRect { b.min.x, b.min.z, b.max.x, b.max.z, b.max.y };
}

TerrainDrawStats World::draw(const Camera& view, const Shader& worldShader, const FrameState& frame,
    const TerrainViewParams& terrain, bool terrainChosen)
{
    // Culling first, so objects and meshes of one pass agree on what is in view.
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (auto& object : chunk->objects)
            object->cullTest(view);
    }
    const TerrainDrawStats drawn = terrainChosen ? drawChosenTerrain(view, terrain) : drawTerrain(view, terrain);
    worldFloor.draw(view, worldShader);
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (auto& object : chunk->objects)
            object->draw(frame);
    }
    for (auto& body : entities) {
        if (body.get() == playerBody_)
            continue;
        if (auto* character = dynamic_cast<Character*>(body.get()))
            character->draw(frame);
    }
    for (auto& projectile : projectiles)
        projectile->draw(frame);
    return drawn;
}
