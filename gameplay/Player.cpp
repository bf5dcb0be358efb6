#include "gameplay/Player.h"

#include "audio/SoundSystem.h"
#include "base/Log.h"
#include "gameplay/Hands.h"
#include "gui/AmmoOverlay.h"
#include "render/Flashlight.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat3x3.hpp>
#include <glm/matrix.hpp>

namespace {

constexpr float kWalkSpeed = 5.0f;
constexpr float kRunSpeed = 9.0f;
constexpr float kJumpImpulse = 0.3f;
constexpr float kEyeHeight = 0.6f;
constexpr float kPickUpDistance = 5.0f;
constexpr float kLeashDistance = 70.0f;

}

int catsLostOnRespawn(int catCount)
{
    if (catCount <= 0)
        return 0;
    if (catCount <= 3)
        return 1;
    return catCount <= 6 ? 2 : 3;
}

Player::Player(AmmoOverlay* overlay, SoundSystem& sound)
    : overlay(overlay)
    , sound(sound)
{
    for (SoundSource* source : { &footstepA, &footstepB, &heartbeat, &breathing, &noise }) {
        *source = sound.createSource();
        sound.makeRelative(*source);
    }
    sound.setLooping(heartbeat, true);
    sound.setLooping(noise, true);
    showBoxes = false;
    placeAt(glm::vec3(0.0f));

    auto hands = std::make_unique<Hands>(true);
    hands->owner = this;
    inventory.push_back(std::move(hands));
    selectedIndex = 0;
    inventory[0]->select();
    showHeldItem();
}

Player::Player(AmmoOverlay* overlay)
    : Player(overlay, gSoundSystem)
{
}

Player::~Player()
{
    // The overlay outlives the player and must not watch his items any more.
    if (overlay)
        overlay->showItem<Item>(nullptr);
}

Item* Player::heldItem() const
{
    if (selectedIndex < 0 || size_t(selectedIndex) >= inventory.size())
        return nullptr;
    return inventory[size_t(selectedIndex)].get();
}

void Player::showHeldItem()
{
    if (overlay)
        overlay->showItem(heldItem());
}

void Player::selectSlot(int slot)
{
    if (slot < 0 || size_t(slot) >= inventory.size())
        return;
    if (Item* held = heldItem())
        held->deselect();
    selectedIndex = slot;
    inventory[size_t(slot)]->select();
    showHeldItem();
}

void Player::addItem(int type, int count)
{
    for (const auto& item : inventory) {
        if (item->type == type) {
            item->addCount(count);
            return;
        }
    }
    std::unique_ptr<Item> item = makeItem(type, true);
    if (!item) {
        fatal(joinText("ITEM TYPE ", type, " NOT DEFINED"));
    }
    if (count > 1)
        item->addCount(count - 1);
    item->owner = this;
    inventory.push_back(std::move(item));
    if (Item* held = heldItem())
        held->deselect();
    selectedIndex = int(inventory.size()) - 1;
    inventory.back()->select();
    showHeldItem();
}

void Player::stopSounds()
{
    noiseLevel = 0.0f;
    sound.stop(noise);
    sound.stop(heartbeat);
    sound.stop(breathing);
}

void Player::setThreat(float level)
{
    if (level > 0.3f)
        timeSinceThreat = 0.0f;

    // From 3 s on the heartbeat is silent, so it is only started before that.
    const float beatGain = soundGain(SOUND_HEARTBEAT);
    if (timeSinceThreat < 3.0f && !sound.isPlaying(heartbeat))
        sound.play(heartbeat, SOUND_HEARTBEAT);
    sound.setGain(heartbeat, std::max(0.0f, std::min(beatGain, (4.0f - timeSinceThreat) * 0.25f * beatGain)));
    if (timeSinceThreat >= 3.0f)
        sound.stop(heartbeat);

    const float noiseGain = soundGain(SOUND_NOISE);
    if (level > 0.4f) {
        if (!sound.isPlaying(noise))
            sound.play(noise, SOUND_NOISE);
        noiseLevel = level;
        sound.setGain(noise, noiseGain * level);
    } else if (level < 0.3f && sound.isPlaying(noise)) {
        if (noiseLevel <= 0.0f) {
            sound.stop(noise);
        } else {
            noiseLevel -= 0.01f;
            // The last fade step may pass below zero; a gain never does.
            sound.setGain(noise, noiseGain * std::max(0.0f, noiseLevel));
        }
    }
}

glm::mat4 Player::viewMatrix() const
{
    glm::mat4 eye = model;
    eye[3].y += kEyeHeight;
    return glm::inverse(eye);
}

void Player::draw(const FrameState& frame)
{
    if (Item* item = heldItem()) {
        item->setMatrix(glm::translate(model, bobOffset * item->bobFactor));
        item->draw(frame);
    }
    if (flashlight) {
        flashlight->placeModel(glm::translate(model, bobOffset));
        flashlight->draw(frame);
    }
}

void Player::update(float dt)
{
    timeSinceThreat += dt;
    useHeldItem();
    dropEmptyItem();
    pickUpOrLeashBall();
    walk(dt, staminaSpeed(dt));
    if (Item* item = heldItem())
        item->update(dt);
    sound.setListener(position(), velocity, -glm::vec3(model[2]), glm::vec3(0.0f, 1.0f, 0.0f));
    footstepsAndBob();
    footstepTimer += dt;
}

void Player::useHeldItem()
{
    if (!holds(InputBit::UseItem))
        return;
    if (Item* item = heldItem(); item && item->tryUse())
        item->use();
}

void Player::dropEmptyItem()
{
    Item* item = heldItem();
    if (!item || item->count > 0)
        return;
    inventory.erase(inventory.begin() + selectedIndex);
    if (inventory.empty()) {
        selectedIndex = -1;
    } else {
        selectedIndex = 0;
        inventory[0]->deselect();
        inventory[0]->select();
    }
    showHeldItem();
}

void Player::pickUpOrLeashBall()
{
    // A ball deleted by the world clears currentBall on its way out; the
    // player's own pointer must not outlive it.
    if (thrownBall && thrownBall != currentBall)
        thrownBall = nullptr;
    if (!thrownBall)
        return;
    const float distance = glm::distance(position(), thrownBall->position());
    if (holds(InputBit::PickUp) && distance < kPickUpDistance) {
        thrownBall->kill();
        thrownBall = nullptr;
        currentBall = nullptr;
        addItem(int(ItemType::BallItem), 1);
        return;
    }
    if (distance > kLeashDistance) {
        logLine("Ball: TOO FAR AWAY, DELETE");
        thrownBall->kill();
        thrownBall = nullptr;
        currentBall = nullptr;
    }
}

float Player::staminaSpeed(float dt)
{
    timeSinceExhausted += dt;
    stamina = std::clamp(stamina + 0.005f, 0.0f, 1.0f);
    if (!holds(InputBit::Run) || stamina <= 0.0f || timeSinceExhausted <= 2.0f)
        return kWalkSpeed;
    stamina -= 0.008f;
    if (stamina <= 0.0f) {
        timeSinceExhausted = 0.0f;
        if (!sound.isPlaying(breathing) && airTime <= 1.0f)
            sound.play(breathing, SOUND_BREATHING);
    }
    return kRunSpeed;
}

void Player::walk(float dt, float walkSpeed)
{
    glm::vec3 wish(0.0f);
    if (holds(InputBit::MoveLeft))
        wish.x = -1.0f;
    if (holds(InputBit::MoveRight))
        wish.x = 1.0f;
    if (holds(InputBit::MoveForward))
        wish.z = -1.0f;
    if (holds(InputBit::MoveBack))
        wish.z = 1.0f;
    const float impulse = holds(InputBit::Jump) && airTime == 0.0f ? kJumpImpulse : velocity.y;

    // Flattened before normalising: looking down does not slow the walk, and
    // looking straight down gives no direction at all rather than an invalid one.
    glm::vec3 direction = glm::mat3(model) * wish;
    direction.y = 0.0f;
    if (glm::length(direction) > 0.0f)
        direction = glm::normalize(direction);
    speed = walkSpeed;
    velocity = direction * walkSpeed * dt;
    velocity.y = impulse - gravity * dt * 0.1f;
}

void Player::playFootstep(SoundSource& source, int soundId)
{
    sound.play(source, soundId);
    footstepToggle = !footstepToggle;
}

void Player::footstepsAndBob()
{
    const float s = glm::length(velocity);
    if (s >= 0.05f && airTime == 0.0f) {
        if (footstepTimer > 0.5f - s) {
            if (!sound.isPlaying(footstepA) && footstepToggle)
                playFootstep(footstepA, SOUND_FOOTSTEP_GRASS);
            else if (!sound.isPlaying(footstepB) && !footstepToggle)
                playFootstep(footstepB, SOUND_FOOTSTEP_GRASS2);
            footstepTimer = 0.0f;
        }
        bobOffset.y += bobRising ? 0.003f : -0.003f;
        if (std::fabs(bobOffset.y) > 0.02f)
            bobRising = bobOffset.y < 0.0f;
    } else {
        if (std::fabs(bobOffset.y) > 0.01f)
            bobRising = bobOffset.y < 0.0f;
        bobOffset.y += bobRising ? 0.0002f : -0.0002f;
    }
}
