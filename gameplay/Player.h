#pragma once

#include "audio/SoundSource.h"
#include "gameplay/Human.h"
#include "gameplay/Item.h"
#include "gameplay/projectiles/Ball.h"

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class AmmoOverlay;
class Flashlight;
class SoundSystem;

// The controls the player holds down: one bit of Player::inputFlags each.
enum class InputBit : int {
    MoveForward = 0,
    MoveBack = 1,
    MoveLeft = 2,
    MoveRight = 3,
    Jump = 4,
    Run = 6,
    UseItem = 7,
    PickUp = 8,
};

// Cats lost on respawn: 0 for none, 1 for 1 to 3, 2 for 4 to 6, 3 for 7 or more.
int catsLostOnRespawn(int catCount);

// The one Human the user steers: keyboard and mouse state become velocity, he
// carries the inventory, counts the cats he found, hears his own footsteps,
// breathing, heartbeat and noise, and holds the flashlight in his other hand.
class Player : public Human {
public:
    // `overlay` (may be null) is told which item is held and must outlive the
    // player; `sound` plays the player's sounds.
    explicit Player(AmmoOverlay* overlay, SoundSystem& sound);
    explicit Player(AmmoOverlay* overlay);
    ~Player() override;

    // One simulation step: item use, the ball, stamina, walking, jumping,
    // the listener, footsteps and the bob.
    void update(float dt) override;
    // The eye sits 0.6 above the body centre.
    glm::mat4 viewMatrix() const override;
    // The held item and the flashlight, both moved by the bob.
    void draw(const FrameState& frame) override;

    // Set / clear a held control; the input layer decides which key or button it is.
    void pressInput(InputBit bit) { inputFlags |= 1u << int(bit); }
    void releaseInput(InputBit bit) { inputFlags &= ~(1u << int(bit)); }
    bool holds(InputBit bit) const { return (inputFlags & (1u << int(bit))) != 0; }
    // Holds the item in the slot (0 is the hands), if the slot exists.
    void selectSlot(int slot);
    // Adds `count` of an ItemType; a new item becomes the held one. An unknown
    // type ends the program with exit code 1.
    void addItem(int type, int count);
    // Death's threat this step: heartbeat and noise grow with it.
    void setThreat(float level);
    // Silences noise, heartbeat and breathing.
    void stopSounds();

    // The held item, or nullptr.
    Item* heldItem() const;

    SoundSource footstepA;
    SoundSource footstepB;
    SoundSource heartbeat;
    SoundSource breathing;
    SoundSource noise;
    bool footstepToggle = false; // which footstep source plays next
    float footstepTimer = 0.0f; // seconds since the last footstep
    float timeSinceExhausted = 5.0f;
    float stamina = 1.0f; // running reserve, 0..1
    float timeSinceThreat = 5.0f; // seconds since the threat last exceeded 0.3
    float noiseLevel = 0.0f;
    uint32_t inputFlags = 0; // one bit per InputBit
    std::vector<std::unique_ptr<Item>> inventory;
    int selectedIndex = 0; // the held item, -1 for none
    AmmoOverlay* overlay = nullptr;
    Ball* thrownBall = nullptr; // the ball in flight; currentBall mirrors it
    glm::vec3 bobOffset { 0.0f }; // view and hand bob, local frame; only y changes
    bool bobRising = true;
    int catCount = 0;
    Flashlight* flashlight = nullptr; // the lamp draw() places; set by the game

private:
    void useHeldItem();
    void dropEmptyItem();
    void pickUpOrLeashBall();
    float staminaSpeed(float dt);
    void walk(float dt, float speed);
    void footstepsAndBob();
    void showHeldItem();
    void playFootstep(SoundSource& source, int sound);

    SoundSystem& sound;
};
