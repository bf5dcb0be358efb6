#include "world/Octree.h"

// PLACEHOLDER bodies: the mesh build, the upload to GPU buffers and the
// frustum cull of draw nodes arrive with the meshing and render work. Until
// then a draw node builds nothing, uploads nothing and counts as visible.

void Octree_draw_node::buildMesh(const aabb& region)
{
    (void)region;
}

void Octree_draw_node::uploadMesh(const aabb& region)
{
    (void)region;
}

void Octree_draw_node::dropMesh() { }

bool Octree_draw_node::cull(const Camera& camera)
{
    (void)camera;
    visible = true;
    return visible;
}

void Octree_draw_node::draw() { }
