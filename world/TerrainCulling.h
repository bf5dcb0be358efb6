#pragma once

#include "render/TerrainMesh.h"
#include "world/Chunk.h"

#include <functional>
#include <glm/vec3.hpp>
#include <limits>
#include <vector>

class Camera;
class DepthTiles;
class Octree_draw_node;

// Choosing what one pass draws of the terrain. A software rasterizer pays for every submitted
// triangle before its depth test can reject a single pixel, so what no pixel can show is
// left out here, on the main thread, from nothing but boxes, planes and the meshes' ranges:
//   - draw nodes outside the view volume (their boxes, not their bounding spheres, are tested);
//   - faces whose plane lies behind the eye, which can only turn away from it;
//   - for a lamp's shadow, nodes outside its cone or beyond its reach, which it cannot light;
//   - beyond the fog horizon (where the fog leaves less than half a colour step of any light),
//     nodes need no shading: they are drawn in the fog's colour only, for their outline
//     against the sky, or not at all where the world floor is certain to show behind them;
//   - nodes behind the terrain already drawn: the quads that showed in the pass's last frame go
//     first (or, without that record, the nearest nodes), their depth is read back, and a node
//     whose box lies behind it everywhere is left out (the depth test would have rejected every
//     one of its pixels); a view unchanged since the frame before tests every node against the
//     depth of all its terrain instead, read once;
//   - of a node drawn, the farthest planes of faces while they lie behind that depth, and then
//     each quad whose own box lies behind it;
//   - of a node reaching out of the view volume or the lamp's cone, the quads outside them.

// A lamp's light: a cone from its apex, dark outside `halfAngle` of its axis and beyond `reach`.
struct LightCone {
    glm::vec3 apex { 0.0f };
    glm::vec3 axis { 0.0f, 0.0f, -1.0f }; // unit: where the lamp points
    float halfAngle = 0.0f; // radians
    float reach = std::numeric_limits<float>::infinity();
};

// The top face of the world floor, which shows behind terrain that is not drawn. Only within
// `maxDistance` of the eye: farther, the sky's stars lie in front of it.
struct FloorRect {
    float minX = 0.0f, minZ = 0.0f, maxX = 0.0f, maxZ = 0.0f;
    float y = 0.0f;
    float maxDistance = std::numeric_limits<float>::infinity();
};

struct TerrainViewParams {
    // Every meshed node whole, shaded: the picture the culling must not change.
    bool everything = false;
    bool cullByEye = true; // a perspective view: faces turned away from its eye are left out
    float horizon = std::numeric_limits<float>::infinity(); // the fog horizon, from the eye
    // Nodes within `fireRadius` of the fire are lit by it: their horizon is `fireHorizon`.
    glm::vec3 firePosition { 0.0f, -1.0e9f, 0.0f };
    float fireRadius = 0.0f;
    float fireHorizon = 0.0f;
    bool hasCone = false;
    LightCone cone;
    bool hasFloor = false;
    FloorRect floor;
    // The horizon for what the floor shows: farther than `horizon` when the fire may light it.
    float floorHorizon = std::numeric_limits<float>::infinity();
    // Occlusion: once the nodes whose centres lie nearer than this are drawn, readDepth reads
    // the target's depth and the farther nodes behind it are left out. 0: no test.
    float occluderDistance = 0.0f;
    std::function<const DepthTiles*()> readDepth;
    // The depth of this same choice of terrain drawn from this same view in an earlier frame:
    // every node, the nearest too, is tested against it, and nothing is read.
    const DepthTiles* knownDepth = nullptr;
    // Quads wholly outside this cone (a lamp's light, whatever its reach) go out in batches with
    // outsideLamp(true) called first and outsideLamp(false) after: another program draws them,
    // one without the lamp.
    bool hasLampCone = false;
    LightCone lampCone;
    std::function<void(bool)> outsideLamp;
    // Which record of the quads shown in this pass's last frame the draw uses and renews (see
    // TerrainQuadsShown; one per pass that keeps one, below TerrainMesh::SHOWN_PASSES), or -1.
    // With a record and no known depth, the quads that showed last frame go out first, the depth
    // is read once, and every other quad, near ones too, is tested against it.
    int shownPass = -1;
    // Called once the shaded nodes are drawn (before the silhouettes are tested against the
    // depth), while the target holds the depth of the terrain alone.
    std::function<void()> afterShaded;
};

// A draw node to draw, with the ranges of its mesh that go out.
struct TerrainDrawItem {
    Octree_draw_node* node = nullptr;
    glm::vec3 lo { 0.0f }, hi { 0.0f }; // the box its mesh's corners fill
    float distance = 0.0f; // from the eye to that box's centre: the drawing order
    TerrainDrawRanges ranges;
};

struct TerrainCullResult {
    std::vector<TerrainDrawItem> shaded; // nearest first
    std::vector<TerrainDrawItem> silhouette; // beyond the horizon: fog colour only, nearest first
    size_t nodesTested = 0; // meshed draw nodes looked at
    size_t shadedTriangles = 0;
    size_t silhouetteTriangles = 0;
    size_t occludedNodes = 0; // left out behind nearer terrain (by the draw, see World)
    size_t occludedTriangles = 0;
    size_t outOfViewTriangles = 0; // of nodes reaching out of the view or the cone (by the draw)
    size_t shownFirstTriangles = 0; // sent before the depth was read, as shown last frame (by the draw)

    void clear();
};

// Which mesh of a node is drawn: the uploaded one (the game), or the one built and not uploaded
// (benchmarks and tests without a GL context).
enum class TerrainMeshSource { Uploaded, Built };

// Fills `out` with what `camera` sees of the ready chunks' meshes. Sets each draw node's
// `visible` to whether it is drawn at all. Main thread (it reads the uploaded meshes).
void cullTerrain(const ChunkList& chunks, const Camera& camera, const TerrainViewParams& params,
    TerrainCullResult& out, TerrainMeshSource source = TerrainMeshSource::Uploaded);

// Box tests, kept apart so they can be checked on their own.
// False when the box lies wholly behind one of the camera's planes.
bool boxInFrustum(const Camera& camera, const glm::vec3& min, const glm::vec3& max);
// False when the box lies wholly outside the cone or beyond its reach (tested with the box's
// bounding sphere, which never rejects a box the cone touches).
bool boxInCone(const LightCone& cone, const glm::vec3& min, const glm::vec3& max);
// True when the box lies wholly inside the camera's view volume.
bool boxWithinFrustum(const Camera& camera, const glm::vec3& min, const glm::vec3& max);
// True when the box lies wholly inside the cone and within its reach (its bounding sphere does).
bool boxWithinCone(const LightCone& cone, const glm::vec3& min, const glm::vec3& max);
// Distance from p to the nearest point of the box (0 inside).
float boxDistance(const glm::vec3& p, const glm::vec3& min, const glm::vec3& max);
// True when every ray from the eye through the box, past the box, meets the floor inside its
// rectangle and within its distance: all corners lie below the eye and their projections from
// it onto the floor's plane fall there (the projection of a box is the hull of its corners').
bool floorBehindBox(const glm::vec3& eye, const FloorRect& floor, const glm::vec3& min, const glm::vec3& max);
// The box that holds a node's quads as the shaders grow them seen from `eye`.
void grownNodeBox(const glm::vec3& eye, glm::vec3& min, glm::vec3& max);
