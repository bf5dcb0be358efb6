#pragma once

// A player on the fake audio device, with the real sound table, a test item
// that records what the player asks of it, and a stand-in ball.
#include "audio/FakeAudioBackend.h"
#include "audio/SoundSystem.h"
#include "base/Settings.h"
#include "gameplay/Player.h"
#include "gui/AmmoOverlay.h"

#include <gtest/gtest.h>

constexpr float kStep = 1.0f / 60.0f;

class RecordingItem : public Item {
public:
    explicit RecordingItem(int itemType = 1)
        : Item(true)
    {
        type = itemType;
        name = "Recorder";
        cooldown = 1.0f;
    }
    void use() override { ++uses; }
    void select() override { ++selects; }
    void deselect() override { ++deselects; }
    void update(float dt) override
    {
        Item::update(dt);
        ++updates;
    }
    void setMatrix(const glm::mat4& hand) override { matrix = hand; }
    void draw(const FrameState&) override { ++draws; }

    int uses = 0, selects = 0, deselects = 0, updates = 0, draws = 0;
    glm::mat4 matrix { 0.0f };
};

class PlayerTest : public ::testing::Test {
protected:
    Settings settings;
    FakeAudioBackend* fake = nullptr;
    std::unique_ptr<SoundSystem> sound;
    AmmoOverlay overlay;
    std::unique_ptr<Player> player;

    void SetUp() override
    {
        auto backend = std::make_unique<FakeAudioBackend>();
        fake = backend.get();
        sound = std::make_unique<SoundSystem>(settings, std::move(backend));
        sound->init(MOSSGRAVE_RUN_DIR);
        player = std::make_unique<Player>(&overlay, *sound);
    }
    void TearDown() override
    {
        player.reset();
        currentBall = nullptr;
    }

    // The fake device's view of one of the player's sources.
    FakeSource& source(const SoundSource& s) { return fake->at(s.handle()); }
    // Steps as the World would, standing on the ground: the physics pass
    // lands him, so the vertical velocity and air time go back to zero.
    void stepOnGround(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            player->update(kStep);
            player->velocity.y = 0.0f;
            player->airTime = 0.0f;
        }
    }
    RecordingItem* hold(std::unique_ptr<RecordingItem> item)
    {
        RecordingItem* raw = item.get();
        item->owner = player.get();
        player->inventory.push_back(std::move(item));
        player->selectedIndex = int(player->inventory.size()) - 1;
        return raw;
    }
};
