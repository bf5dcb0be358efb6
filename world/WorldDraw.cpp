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
    // pays for every triangle sent and every pixel it covers, hidden or not. So the terrain
    // most likely to show goes first (what showed in this pass's last frame, else the nearest
    // nodes), its depth is read back once, and everything else is tested against that depth.
    TerrainDrawStats stats;
    const glm::vec3 eye = view.eyePosition();
    std::vector<TerrainDrawItem>& shaded = terrainCull.shaded;
    const DepthTiles* occluders = params.knownDepth;
    terrainOccluders = nullptr;

    // A near node is far larger than what the view volume or the lamp's cone takes of it: one
    // that reaches out of them is drawn less the quads outside.
    const bool quadsInView = params.cullByEye && !params.everything;
    auto reachesOutOfView = [&](const TerrainDrawItem& item) {
        glm::vec3 lo = item.lo, hi = item.hi;
        grownNodeBox(eye, lo, hi);
        return quadsInView
            && (!boxWithinFrustum(view, lo, hi) || (params.hasCone && !boxWithinCone(params.cone, lo, hi)));
    };
    auto inView = [&](const glm::vec3& lo, const glm::vec3& hi) {
        return boxInFrustum(view, lo, hi) && (!params.hasCone || boxInCone(params.cone, lo, hi));
    };
    auto send = [&](const TerrainMesh& mesh, const auto& what) {
        const size_t triangles = mesh.draw(what);
        stats.triangles += triangles;
        stats.drawCalls += triangles > 0 ? 1 : 0;
        return triangles;
    };

    // A record of what showed is kept only where every quad drawn is tested against the depth.
    // The frame with every node drawn goes by it too, for the order, and keeps it as it is.
    const bool occlusion = params.knownDepth || (params.occluderDistance > 0.0f && params.readDepth);
    const bool hasPass = params.shownPass >= 0 && size_t(params.shownPass) < TerrainMesh::SHOWN_PASSES;
    const bool record = quadsInView && occlusion && hasPass;
    const bool showFirst = hasPass && (record || params.everything);
    uint64_t lastFrame = 0, thisFrame = 0;
    if (showFirst)
        lastFrame = shownFrames[size_t(params.shownPass)];
    if (record)
        thisFrame = ++shownFrames[size_t(params.shownPass)];
    auto recordOf = [&](const TerrainDrawItem& item) -> TerrainQuadsShown& {
        return item.node->mesh->quadsShown(size_t(params.shownPass));
    };

    // Quads wholly outside the lamp's cone wait for the program without the lamp, in runs per
    // mesh; most nodes lie on one side of the cone's edge and need no test per quad. The frame
    // with every node drawn splits them alike: where two faces in one plane meet, the one drawn
    // first keeps the pixels both cover, and the order is the same.
    const bool splitByLamp = params.hasLampCone && params.outsideLamp;
    enum class LampSide { Inside, Outside, Both };
    auto lampSideOf = [&](const TerrainDrawItem& item) {
        if (!splitByLamp)
            return LampSide::Inside;
        glm::vec3 lo = item.lo, hi = item.hi;
        grownNodeBox(eye, lo, hi);
        if (!boxInCone(params.lampCone, lo, hi))
            return LampSide::Outside;
        return boxWithinCone(params.lampCone, lo, hi) ? LampSide::Inside : LampSide::Both;
    };
    outsideLampUsed = 0;
    TerrainDrawRuns* outsideRuns = nullptr; // the node's own, once it has a quad outside
    auto outsideRunsOf = [&](const TerrainMesh& mesh) -> TerrainDrawRuns& {
        if (!outsideRuns) {
            if (outsideLampUsed == outsideLamp.size())
                outsideLamp.emplace_back();
            OutsideLampRuns& o = outsideLamp[outsideLampUsed++];
            o.mesh = &mesh;
            o.runs.clear(mesh.indexBytes());
            outsideRuns = &o.runs;
        }
        return *outsideRuns;
    };
    auto beginNode = [&](const TerrainMesh& mesh) {
        quadRuns.clear(mesh.indexBytes());
        outsideRuns = nullptr;
    };
    // A quad to draw, given its grown box.
    auto keep = [&](const TerrainMesh& mesh, LampSide side, uint32_t q, const glm::vec3& lo, const glm::vec3& hi) {
        if (side == LampSide::Outside || (side == LampSide::Both && !boxInCone(params.lampCone, lo, hi)))
            outsideRunsOf(mesh).add(q * 6, 6);
        else
            quadRuns.add(q * 6, 6);
    };
    // Sends what the node keeps for this program; returns that and what waits for the other.
    auto endNode = [&](const TerrainMesh& mesh) {
        return send(mesh, quadRuns) + (outsideRuns ? outsideRuns->triangles : 0);
    };
    // All of `ranges`, split as quads are one by one.
    auto sendWhole = [&](const TerrainMesh& mesh, const TerrainDrawRanges& ranges, LampSide side) -> size_t {
        if (side == LampSide::Inside)
            return send(mesh, ranges);
        beginNode(mesh);
        if (side == LampSide::Outside) {
            TerrainDrawRuns& runs = outsideRunsOf(mesh);
            for (int i = 0; i < ranges.count; ++i)
                runs.add(ranges.first[size_t(i)], ranges.indices[size_t(i)]);
        } else {
            mesh.forEachQuad(ranges, [&](uint32_t q, glm::vec3 lo, glm::vec3 hi) {
                grownNodeBox(eye, lo, hi);
                keep(mesh, side, q, lo, hi);
            });
        }
        return endNode(mesh);
    };
    auto sendOutsideLamp = [&]() {
        bool any = false;
        for (size_t i = 0; i < outsideLampUsed; ++i)
            any = any || !outsideLamp[i].runs.offsets.empty();
        if (any) {
            params.outsideLamp(true);
            for (size_t i = 0; i < outsideLampUsed; ++i)
                send(*outsideLamp[i].mesh, outsideLamp[i].runs);
            params.outsideLamp(false);
        }
        outsideLampUsed = 0;
    };

    // Before the depth is read: the quads of a node that showed last frame, or all of a near one
    // that has no such record. Returns whether anything went out.
    auto drawFirst = [&](const TerrainDrawItem& item, FirstDraw& first) {
        const TerrainMesh& mesh = *item.node->mesh;
        const bool testView = reachesOutOfView(item);
        const TerrainQuadsShown& last = recordOf(item);
        const bool shown = last.madeIn(lastFrame);
        if (!shown && !(item.distance < params.occluderDistance))
            return false;
        const LampSide side = lampSideOf(item);
        if (!shown && !testView) {
            first = { FirstDraw::Whole, sendWhole(mesh, item.ranges, side), 0 };
            return true;
        }
        beginNode(mesh);
        size_t outside = 0;
        mesh.forEachQuad(item.ranges, [&](uint32_t q, glm::vec3 lo, glm::vec3 hi) {
            if (shown && !last.shows(q))
                return;
            if (testView || side == LampSide::Both)
                grownNodeBox(eye, lo, hi);
            if (testView && !inView(lo, hi)) {
                ++outside;
                return;
            }
            keep(mesh, side, q, lo, hi);
        });
        first = { shown ? FirstDraw::Shown : FirstDraw::Whole, endNode(mesh), shown ? 0 : outside };
        return first.triangles > 0;
    };

    // After it, or with the depth known: quad by quad. Besides those outside the view, a tree
    // crown behind another in the same node, or the far side of a hollow, is a run of quads
    // whose own boxes lie behind the depth. What went out first is not sent again, but tested
    // too for the record. `initial`: the node's triangles before any was left out.
    auto draw = [&](TerrainDrawItem& item, bool testDepth, const FirstDraw& first, size_t initial) {
        const TerrainMesh& mesh = *item.node->mesh;
        const bool testView = reachesOutOfView(item);
        const bool renew = record && testDepth;
        const LampSide side = lampSideOf(item);
        if (first.kind == FirstDraw::Nothing && !testView && !testDepth) {
            sendWhole(mesh, item.ranges, side);
            return;
        }
        if (first.kind == FirstDraw::Whole && !renew) {
            terrainCull.outOfViewTriangles += first.outside * 2;
            return;
        }
        const TerrainQuadsShown& last = recordOf(item);
        TerrainQuadsShown* next = renew ? &recordOf(item) : nullptr;
        if (next)
            next->begin(mesh.quadCount());
        beginNode(mesh);
        size_t outside = 0;
        mesh.forEachQuad(item.ranges, [&](uint32_t q, glm::vec3 lo, glm::vec3 hi) {
            grownNodeBox(eye, lo, hi);
            if (testView && !inView(lo, hi)) {
                outside += first.kind == FirstDraw::Whole ? 0 : 1;
                return;
            }
            if (testDepth && occluders->hides(view.projView, lo, hi, 0))
                return;
            if (next)
                next->markShowing(q);
            const bool sent = first.kind == FirstDraw::Whole || (first.kind == FirstDraw::Shown && last.shows(q));
            if (!sent)
                keep(mesh, side, q, lo, hi);
        });
        if (next)
            next->finish(thisFrame);
        outside += first.outside;
        const size_t sent = first.triangles + endNode(mesh);
        terrainCull.outOfViewTriangles += outside * 2;
        terrainCull.occludedTriangles += initial - std::min(initial, sent + outside * 2);
    };

    size_t next = 0;
    const FirstDraw nothingFirst;
    if (showFirst) {
        // What showed last frame is most of what shows now: drawn first, it leaves the depth
        // read back nearly whole, and the near nodes' hidden quads are left out too.
        firstDraws.assign(shaded.size(), FirstDraw {});
        bool any = false;
        for (size_t i = 0; i < shaded.size(); ++i) {
            any = drawFirst(shaded[i], firstDraws[i]) || any;
            if (firstDraws[i].kind == FirstDraw::Shown)
                terrainCull.shownFirstTriangles += firstDraws[i].triangles;
        }
        sendOutsideLamp();
        if (any && !occluders && params.readDepth)
            occluders = params.readDepth();
    } else if (!occluders && params.occluderDistance > 0.0f && params.readDepth) {
        for (; next < shaded.size() && shaded[next].distance < params.occluderDistance; ++next)
            draw(shaded[next], false, nothingFirst, shaded[next].ranges.triangles());
        sendOutsideLamp();
        const bool farther = next < shaded.size() || !terrainCull.silhouette.empty();
        if (next > 0 && farther)
            occluders = params.readDepth();
    }
    auto boxHidden = [&](const TerrainDrawItem& item) {
        glm::vec3 lo = item.lo, hi = item.hi;
        grownNodeBox(eye, lo, hi);
        return occluders->hides(view.projView, lo, hi);
    };
    // Of a node that shows, the planes farthest from the eye may still lie behind what is
    // drawn, its own nearer faces included when the depth is known: each is tested as a slice
    // of the node's box, from the farthest in, until one may show.
    auto trimHiddenPlanes = [&](TerrainDrawItem& item) {
        const TerrainMesh& mesh = *item.node->mesh;
        const TerrainPlacement& at = mesh.meshPlacement();
        item.ranges = mesh.faceRanges().seenFrom(eye, at.origin, at.step, [&](int face, float plane) {
            glm::vec3 lo = item.lo, hi = item.hi;
            lo[face % 3] = hi[face % 3] = plane;
            grownNodeBox(eye, lo, hi);
            return occluders->hides(view.projView, lo, hi);
        });
    };
    for (; next < shaded.size(); ++next) {
        TerrainDrawItem& item = shaded[next];
        const FirstDraw& first = showFirst ? firstDraws[next] : nothingFirst;
        const size_t initial = item.ranges.triangles();
        if (occluders && boxHidden(item)) {
            ++terrainCull.occludedNodes;
            terrainCull.occludedTriangles += initial - std::min(initial, first.triangles);
            if (record) {
                TerrainQuadsShown& none = recordOf(item);
                none.begin(0);
                none.finish(thisFrame);
            }
            continue;
        }
        const bool testDepth = occluders && params.cullByEye;
        if (testDepth)
            trimHiddenPlanes(item);
        draw(item, testDepth, first, initial);
    }
    sendOutsideLamp();
    terrainOccluders = occluders;
    stats.depthKnown = params.knownDepth != nullptr;
    if (params.afterShaded)
        params.afterShaded();
    if (occluders) {
        auto& far = terrainCull.silhouette;
        far.erase(std::remove_if(far.begin(), far.end(), [&](const TerrainDrawItem& item) {
            if (!boxHidden(item))
                return false;
            ++terrainCull.occludedNodes;
            terrainCull.occludedTriangles += item.ranges.triangles();
            return true;
        }), far.end());
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
    // Where terrain is drawn the floor lies behind it: only its patches in view that may show
    // go out.
    const DepthTiles* occluders = terrainOccluders;
    const glm::vec3 eye = view.eyePosition();
    worldFloor.draw(view, worldShader, !occluders ? WorldFloor::Hidden() : [&](const glm::vec3& lo, const glm::vec3& hi) {
        glm::vec3 a = lo, b = hi;
        grownNodeBox(eye, a, b);
        return !boxInFrustum(view, a, b) || occluders->hides(view.projView, a, b, 0);
    });
    terrainOccluders = nullptr; // it was this pass's alone
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
