#pragma once

#include "audio/SoundSource.h"
#include "gameplay/Character.h"

#include <array>
#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <memory>

class CatHold;
class CreatureView;
class FlyingFish;
class Model;
struct ParticleBurst;

// What a cat is doing.
enum CatState : int {
    CAT_FOLLOW = 2,
    CAT_CHASE_BALL = 4,
    CAT_CAGED = 5,
    CAT_GO_TO_FISH = 6,
    CAT_EAT = 7,
    CAT_CARRIED = 8,
};

// A cat the player found: it follows him, chases the ball, eats thrown fish,
// grows with each one and splits in two when it gets too big.
class Cat : public Character {
public:
    static constexpr int kPartCount = 7; // head, body, tail, four legs

    // Meows and the success sound, at the cat. Made on the first sound of a
    // free cat; caged cats, of which every loaded cage holds one, meow
    // through one-shots instead.
    SoundSource source;
    bool jumpRequest = false;
    float animationClock = 0.0f;
    float timeSinceJump = 0.0f;
    float replanTimer = 0.0f;
    float timeSinceTeleportTry = 0.0f;
    float eatingTimer = 0.0f;
    float meowTimer = 10.0f;
    float size = 1.0f;
    float pace = 1.0f;
    bool running = false;
    glm::vec3 target { 0.0f };
    int state = CAT_FOLLOW;
    bool moving = false;
    FlyingFish* fishTarget = nullptr; // never read while eating: the fish may be gone by then
    float jumpImpulse = 0.15f;
    std::array<glm::mat4, kPartCount> partMatrices;
    glm::mat3 inverseOrientation { 1.0f };
    bool golden = false;
    int sampleCount = 0;
    std::array<float, 5> progressRing;
    glm::vec4 lastSamplePosition;
    float sampleTimer = 0.0f;
    std::unique_ptr<Model> bodyModel;
    CatHold* hold = nullptr; // the hand carrying the cat, emptied when the cat goes

    Cat(const glm::vec3& position, bool golden);
    ~Cat() override;

    void update(float dt) override;
    // Asks for a jump over the ledge the cat walked into.
    void onBlocked(int axis) override;
    void draw(const FrameState& frame) override;

    // The cat has just been found: the count, the success sound, Death and the stings.
    void onFound();
    void meow();
    // A new target, or the sidestep of a stuck cat.
    void chooseTarget(bool stuck);

private:
    SoundSource& ownSource();
    bool takeProgressSample(float dt);
    void follow(CreatureView& world, float distance);
    void steer();
    void eatFish(CreatureView& world);
    void grow();
    void split();
    void pose(float playerDistance, const glm::vec3& playerPosition);
    void resetBox();
};

// A point drawn uniformly inside the ball of radius r (z, y, x drawn in that order).
glm::vec3 randomPointWithin(float r);

// The golden puff around a cat that splits in two: `count` points sized by the
// cat's size, thrown out and up, sinking at half gravity.
ParticleBurst catBurstParticles(int count, float size);
