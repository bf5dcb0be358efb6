#include "world/BodyPasses.h"

#include "base/Log.h"
#include "gameplay/Character.h"

namespace {

constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kAxisZ = 2;

void climb(MovingObject& body)
{
    if (auto* character = dynamic_cast<Character*>(&body))
        character->stepUp();
}

void unclimb(MovingObject& body)
{
    if (auto* character = dynamic_cast<Character*>(&body))
        character->stepDown();
}

// The vertical move: landing on the ground or stopping under a ceiling.
void moveVertically(const CollisionScene& scene, MovingObject& body, float dt, bool& landed)
{
    body.move(1.0f, kAxisY);
    if (!scene.collidesWithAnything(body)) {
        body.airTime += dt;
        return;
    }
    body.move(-1.0f, kAxisY);
    if (body.velocity.y <= 0.0f) {
        landed = true;
        // Told after the move is undone, so a reaction that changes the velocity
        // cannot spoil the undo.
        body.onBlocked(kAxisY);
    } else {
        body.airTime += dt;
        body.velocity.y = 0.0f;
    }
}

// A horizontal move; a blocked body tries once more half a block higher, unless it
// already climbed this step.
void moveHorizontally(const CollisionScene& scene, MovingObject& body, int axis, bool& climbed)
{
    body.move(1.0f, axis);
    if (!scene.collidesWithAnything(body))
        return;
    body.move(-1.0f, axis);
    if (!climbed) {
        climb(body);
        body.move(1.0f, axis);
        if (!scene.collidesWithAnything(body)) {
            climbed = true;
            return;
        }
        body.move(-1.0f, axis);
        unclimb(body);
    }
    body.onBlocked(axis);
}

}

void moveCharacter(const CollisionScene& scene, MovingObject& body, float dt)
{
    bool landed = false;
    // One climb per step. When the first horizontal axis has climbed and the second is
    // blocked, the body keeps the height it climbed to: lowering it again would sink it
    // into the ledge it now stands on. The second axis climbs on a later step if it can.
    bool climbed = false;
    moveVertically(scene, body, dt, landed);
    moveHorizontally(scene, body, kAxisZ, climbed);
    moveHorizontally(scene, body, kAxisX, climbed);
    if (landed) {
        body.airTime = 0.0f;
        body.velocity.y = 0.0f;
    }
}

void respawnAtOrigin(MovingObject& player)
{
    player.alive = true;
    const glm::vec3 origin(0.0f, 100.0f, 0.0f);
    if (auto* character = dynamic_cast<Character*>(&player))
        character->placeAt(origin);
    else
        player.setPosition(origin);
}

void characterPass(CollisionScene& scene, const MovingObject* player, float dt)
{
    BodyList& characters = scene.characters;
    for (size_t i = 0; i < characters.size();) {
        MovingObject& body = *characters[i];
        if (!body.alive) {
            if (&body != player) {
                // The last entry takes the place and is moved next.
                if (i + 1 < characters.size())
                    characters[i] = std::move(characters.back());
                characters.pop_back();
                continue;
            }
            logError("Warning the player died!");
            logText("Respawning at origin...\n");
            respawnAtOrigin(body);
        }
        moveCharacter(scene, body, dt);
        ++i;
    }
}

void moveProjectile(const CollisionScene& scene, MovingObject& projectile)
{
    for (int axis = kAxisX; axis <= kAxisZ; ++axis) {
        projectile.move(1.0f, axis);
        if (scene.collidesWithVoxels(projectile)) {
            projectile.move(-1.0f, axis);
            projectile.onBlocked(axis);
        }
    }
}
