// Drawing the world: the chunk meshes, the floor, the world objects and the bodies.
#include "world/World.h"

#include "gameplay/projectiles/Projectile.h"
#include "gameplay/Character.h"
#include "render/Camera.h"
#include "render/Shader.h"
#include "render/TerrainMesh.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <utility>
#include <vector>

TerrainDrawStats World::drawTerrain(const Camera& view, bool eyeCulling)
{
    // A forest seen through its trees is many layers of boxes deep, and a software
    // rasterizer pays for every shaded fragment: drawing near nodes first lets the
    // early depth test throw the far layers away unshaded.
    const glm::vec3 eye = view.eyePosition();
    std::vector<std::pair<float, Octree_draw_node*>> visible;
    visible.reserve(chunks.size() * 16);
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        chunk->root->cull(view);
        forEachDrawNode(*chunk->root, chunk->root->box, [&](Octree_draw_node& node) {
            if (node.visible && node.mesh) {
                const glm::vec3 d = node.box.center() - eye;
                visible.emplace_back(glm::dot(d, d), &node);
            }
        });
    }
    std::sort(visible.begin(), visible.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    TerrainDrawStats stats;
    for (const auto& entry : visible) {
        Octree_draw_node& node = *entry.second;
        const uint8_t faces
            = eyeCulling ? terrainFacesSeenFrom(eye, node.box.min, node.box.max) : ALL_TERRAIN_FACES;
        const size_t triangles = node.drawFaces(faces);
        stats.triangles += triangles;
        stats.drawCalls += triangles > 0 ? 1 : 0;
    }
    return stats;
}

TerrainDrawStats World::draw(const Camera& view, const Shader& worldShader, const FrameState& frame)
{
    // Culling first, so objects and meshes of one pass agree on what is in view.
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (auto& object : chunk->objects)
            object->cullTest(view);
    }
    const TerrainDrawStats terrain = drawTerrain(view);
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
    return terrain;
}
