#include "app/DebugOverlay.h"
#include "app/Game.h"
#include "gui/DebugItem.h"
#include "gui/Gui.h"

#include <gtest/gtest.h>

namespace {

const char* const LABELS[] = { "Fps", "In Desert", "Rain", "Lightning", "Time until Weather changes",
    "Fog Factor", "Flashlight Intensity", "Inside Building", "Outside Building(Smoothed)", "Cache Size",
    "Loaded Chunks", "Max Chunk Count", "Active Working Threads", "Player Position", "Player Chunkcoords",
    "Player #Cats", "Death | Time since Last Teleport", "Death | Seen since Last Teleport",
    "Death | Attacking", "Death | Time since Last Attack", "Death | Player aware of Presence",
    "Death | Rage Factor", "Death | Time attacking" };

DebugItemBase& row(Gui& gui, size_t k)
{
    return static_cast<DebugItemBase&>(*gui.debugItems[k]);
}

class DebugOverlay : public testing::Test {
protected:
    Game game; // no world, player or window: those rows read zero
    Gui gui;

    void SetUp() override { buildDebugOverlay(gui, game); }
    void TearDown() override { releaseTextResources(); }
};

}

TEST_F(DebugOverlay, BuildsTheRowsInOrderDownAColumn)
{
    ASSERT_EQ(gui.debugItems.size(), 23u);
    for (size_t k = 0; k < 23; ++k) {
        const DebugItemBase& item = row(gui, k);
        EXPECT_EQ(item.label, LABELS[k]);
        EXPECT_EQ(item.index, int(k));
        EXPECT_EQ(item.renderCount, 1);
        EXPECT_NEAR(item.modelMatrix[3].x, -0.1f, 1e-6f);
        EXPECT_NEAR(item.modelMatrix[3].y, 0.4f - 0.02f * float(k), 1e-6f);
        EXPECT_NEAR(item.modelMatrix[0].x, 0.6f, 1e-6f);
        EXPECT_NEAR(item.modelMatrix[1].y, 0.03f, 1e-6f);
    }
    // A new game rebuilds the same rows at the same places.
    buildDebugOverlay(gui, game);
    ASSERT_EQ(gui.debugItems.size(), 23u);
    EXPECT_EQ(row(gui, 22).index, 22);
    EXPECT_NEAR(row(gui, 22).modelMatrix[3].y, 0.4f - 0.02f * 22, 1e-6f);
}

TEST_F(DebugOverlay, OnlyRowsWhoseValueChangedAreRenderedAgain)
{
    gui.debugVisible = true;
    game.session.fogFactor = 0.5f;
    game.session.weather.rain = true;
    gui.update(1.0f / 60.0f);
    gui.update(1.0f / 60.0f);
    for (size_t k = 0; k < 23; ++k) {
        const bool changed = k == 2 || k == 5;
        EXPECT_EQ(row(gui, k).renderCount, changed ? 2 : 1) << LABELS[k];
    }
    ASSERT_NE(row(gui, 5).pendingImage(), nullptr);
    const TextImage expected = renderText("Fog Factor: 0.5", textStyle::debugItem);
    EXPECT_EQ(row(gui, 5).pendingImage()->pixels, expected.pixels);

    // Switched off, the rows are not updated; switched on again, the changed one catches up.
    gui.debugVisible = false;
    game.session.fogFactor = 0.25f;
    gui.update(1.0f / 60.0f);
    EXPECT_EQ(row(gui, 5).renderCount, 2);
    gui.debugVisible = true;
    gui.update(1.0f / 60.0f);
    EXPECT_EQ(row(gui, 5).renderCount, 3);
}

TEST(DebugItem, ValuesUseTheStreamsDefaultFormatting)
{
    EXPECT_EQ(debugValueText(true), "1");
    EXPECT_EQ(debugValueText(false), "0");
    EXPECT_EQ(debugValueText(0.1f), "0.1");
    EXPECT_EQ(debugValueText(1234567.0f), "1.23457e+06");
    EXPECT_EQ(debugValueText(-42), "-42");
    EXPECT_EQ(debugValueText(glm::vec3(1.5f, -2, 64)), "1.5, -2, 64");
    EXPECT_EQ(debugValueText(glm::vec2(3, -1)), "3, -1");
}

TEST(DebugItem, AVectorRowRendersAgainWhenAnyComponentChanges)
{
    glm::vec3 watched(1, 2, 3);
    DebugItem<glm::vec3> item("Player Position", 0, &watched);
    watched.z = 4;
    item.update(0.0f);
    EXPECT_EQ(item.renderCount, 2);
    EXPECT_EQ(item.lastValue, glm::vec3(1, 2, 4));
    item.update(0.0f);
    EXPECT_EQ(item.renderCount, 2);
    releaseTextResources();
}
