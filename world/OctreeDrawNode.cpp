#include "world/Octree.h"

#include "render/Camera.h"
#include "render/TerrainMesh.h"
#include "world/TerrainMesher.h"

#include <glm/geometric.hpp>

// Only the faces the masks mark become quads, joined where they lie side by side in one
// plane; a node whose leaves show no face builds nothing.
void Octree_draw_node::buildMesh(const aabb& region)
{
    if (!box.intersects(region))
        return;
    meshData = buildTerrainMesh(*this);
    // A null result still waits for upload: the upload then clears the old mesh.
    pendingData = true;
}

Octree_draw_node::Octree_draw_node() = default;

Octree_draw_node::Octree_draw_node(BlockType type, int depth, const aabb& box, uint8_t visibleFaces)
    : Octree(type, depth, box, visibleFaces)
{
}

Octree_draw_node::~Octree_draw_node() = default;

void Octree_draw_node::uploadMesh(const aabb& region)
{
    if (!box.intersects(region) || !pendingData)
        return;
    mesh.reset();
    if (meshData && meshData->indexCount() > 0)
        mesh = std::make_unique<TerrainMesh>(*meshData);
    discardMesh(region);
}

void Octree_draw_node::discardMesh(const aabb& region)
{
    if (!box.intersects(region) || !pendingData)
        return;
    meshData.reset();
    pendingData = false;
}

// Runs while the chunk goes to the cache and every worker is kept off it; a mesh built but
// never uploaded goes too, since the chunk's meshes are rebuilt when it returns.
void Octree_draw_node::dropMesh()
{
    mesh.reset();
    meshData.reset();
    pendingData = false;
}

bool Octree_draw_node::cull(const Camera& camera)
{
    const glm::vec3 center = box.center();
    const float radius = glm::distance(center, box.max);
    visible = camera.classifySphere(center, radius) != 0;
    return visible;
}

void Octree_draw_node::draw()
{
    drawFaces(ALL_TERRAIN_FACES);
}

size_t Octree_draw_node::drawFaces(uint8_t faceMask)
{
    return visible && mesh ? mesh->draw(faceMask) : 0;
}
