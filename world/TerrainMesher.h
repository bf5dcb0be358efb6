#pragma once

#include "render/TerrainMesh.h"

#include <memory>

class Octree;

// Builds the mesh of one draw node from the face masks of its leaves. Every marked face of a
// solid leaf is drawn over the leaf's whole side; with `merge`, coplanar faces of one block
// type and direction that meet are joined into larger rectangles, which covers exactly the
// same surface with far fewer corners. Without it each leaf face is a quad of its own (the
// straightforward mesh that tests compare against). Null when no face shows.
// Runs on worker threads: it touches no GL state and only reads the subtree.
std::unique_ptr<TerrainMeshData> buildTerrainMesh(const Octree& node, bool merge = true);
