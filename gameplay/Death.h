#pragma once

#include "gameplay/Character.h"

#include <memory>

class CreatureView;
class GameServices;
class Model;

// The approach step of a teleport for the player's cat count n (0: Death never attacks).
float approachStep(int n);
// Seconds between attacks for n cats with the interval jitter (0..1).
float attackInterval(int n, float jitter);

// The hunter: absent while the player has no cats, it comes for him the more
// often the more cats he found, teleports closer while unseen, walks towards
// him once seen, and catches him when its rage reaches 1.
class Death : public Character {
public:
    float timeSinceTeleport = 0.0f;
    bool seen = false; // the player saw Death since its last teleport
    bool attacking = false;
    float timeSinceAttack = 0.0f;
    bool aware = false; // the player noticed Death (rage passed 0.15)
    float timeAttacking = 0.0f;
    float intervalJitter = 0.0f;
    // When above 0, the seconds between attacks whenever the player has a cat
    // (a developer option, so a test need not wait two minutes for Death).
    float intervalOverride = 0.0f;
    float rage = 0.0f; // the player is caught at 1; also the screen's noise factor
    std::unique_ptr<Model> bodyModel;

    // Starts hidden under the world.
    explicit Death(const glm::vec3& position);
    ~Death() override;

    void update(float dt) override;
    // Only while attacking or during the death sequence.
    void draw(const FrameState& frame) override;

    // Gone until the next attack: under the world, rage and threat at 0.
    void vanish();
    // Moves closer to the player to a spot he cannot see; whether one was found.
    bool teleport();
    // The player's cat count changed to n.
    void onCatCount(int n);

    float attackInterval() const;

private:
    // Tries to start an attack; true when the step ends here.
    bool startAttack(GameServices& world);
    void face(CreatureView& world);
    float visibility(CreatureView& world);
    void growRage(float distance, float visible, float dt);
};
