// Drawing the world: the chunk meshes, the floor, the world objects and the bodies.
#include "world/World.h"

#include "gameplay/projectiles/Projectile.h"
#include "gameplay/Character.h"
#include "render/Camera.h"
#include "render/Shader.h"

void World::draw(const Camera& view, const Shader& worldShader)
{
    // Culling first, so objects and meshes of one pass agree on what is in view.
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        chunk->root->cull(view);
        for (auto& object : chunk->objects)
            object->cullTest(view);
    }
    for (auto& chunk : chunks) {
        if (chunk->ready)
            chunk->root->draw();
    }
    worldFloor.draw(view, worldShader);
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (auto& object : chunk->objects)
            object->draw();
    }
    for (auto& body : entities) {
        if (body.get() == playerBody_)
            continue;
        if (auto* character = dynamic_cast<Character*>(body.get()))
            character->draw();
    }
    for (auto& projectile : projectiles)
        projectile->draw();
}
