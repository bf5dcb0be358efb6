#pragma once

#include "base/Shapes.h"
#include "physics/MovingObject.h"
#include "world/CollisionScene.h"

#include <memory>
#include <vector>

// The per-step collision passes. Bodies move axis by axis, and a move that
// ends inside something is undone.

// Removes dead characters (the player is respawned at the origin instead) and
// moves every character against the voxels and the other characters, in list order.
void characterPass(CollisionScene& scene, const MovingObject* player, float dt);

// One character's moves of a step: y, then z, then x. Humans climb a ledge of
// half a block on the way.
void moveCharacter(const CollisionScene& scene, MovingObject& body, float dt);

// The player's respawn after dying: alive again, at (0, 100, 0).
void respawnAtOrigin(MovingObject& player);

// One projectile's moves of a step: x, y, then z, against voxels only; it bounces on the blocked axis.
void moveProjectile(const CollisionScene& scene, MovingObject& projectile);

// Steps every projectile: its own update, hits on the characters it overlaps,
// the moves, and the removal of one that ended (a grenade's blast went off in
// its update). A projectile provides hitCharacter(position).
template <class Projectile>
void projectilePass(const CollisionScene& scene, std::vector<std::unique_ptr<Projectile>>& projectiles, float dt)
{
    for (size_t i = 0; i < projectiles.size();) {
        Projectile& projectile = *projectiles[i];
        projectile.update(dt);
        for (const auto& character : scene.characters) {
            if (character->box.intersects(projectile.box))
                projectile.hitCharacter(character->position());
        }
        moveProjectile(scene, projectile);
        if (projectile.alive) {
            ++i;
            continue;
        }
        // The last entry takes the place and is stepped next.
        if (i + 1 < projectiles.size())
            projectiles[i] = std::move(projectiles.back());
        projectiles.pop_back();
    }
}
