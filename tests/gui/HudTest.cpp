// The heads-up objects' logic: frame rate, mouse-button hint with its blink
// and clearing, and the item overlay's watching.
#include "gui/AmmoOverlay.h"
#include "gui/ButtonHelper.h"
#include "gui/FpsCounter.h"

#include <gtest/gtest.h>

TEST(FpsCounterTest, RateAppearsAfterTheFirstSecondAndRestarts)
{
    double now = 5000;
    FpsCounter counter([&] { return now; });
    EXPECT_EQ(counter.pendingImage(), nullptr); // nothing to show yet

    // First frame at 5000 ms starts the count; 59 more within the second.
    for (int i = 0; i < 60; ++i) {
        EXPECT_FALSE(counter.countFrame());
        now += 16.0;
    }
    EXPECT_FALSE(counter.hasRate());
    now = 6250; // frame 61, 1250 ms after the start
    EXPECT_TRUE(counter.countFrame());
    EXPECT_TRUE(counter.hasRate());
    EXPECT_FLOAT_EQ(counter.rate(), 61 * 1000.0f / 1250.0f);
    ASSERT_NE(counter.pendingImage(), nullptr);
    EXPECT_EQ(counter.pendingImage()->pixels, renderText("48.80 fps", textStyle::fpsCounter).pixels);

    // The count restarted at 6250.
    now = 7249;
    EXPECT_FALSE(counter.countFrame());
    now = 7250;
    EXPECT_TRUE(counter.countFrame());
    EXPECT_FLOAT_EQ(counter.rate(), 2.0f);
}

TEST(ButtonHelperTest, HintBlinksToTheEmptyMouseEverySevenTenths)
{
    ButtonHelper helper;
    helper.update(5.0f); // no hint: nothing shown, no blink
    EXPECT_EQ(helper.currentImage(), nullptr);
    helper.setHint(1, -1.0f);
    EXPECT_EQ(helper.currentImage(), helper.rightImage.get());
    helper.update(0.69f);
    EXPECT_EQ(helper.currentImage(), helper.rightImage.get());
    helper.update(0.02f);
    EXPECT_EQ(helper.currentImage(), helper.noButtonImage.get());
    helper.update(0.7f);
    EXPECT_EQ(helper.currentImage(), helper.rightImage.get());
    helper.setHint(0, -1.0f);
    EXPECT_EQ(helper.currentImage(), helper.leftImage.get());

    // Use moved to the right button and activate to a key: the hints follow.
    helper.showHintAs(0, 1, "Mouse Right");
    EXPECT_EQ(helper.currentImage(), helper.rightImage.get());
    helper.showHintAs(1, -1, "E");
    helper.setHint(1, -1.0f);
    ASSERT_NE(helper.hintKey[1], nullptr);
    EXPECT_EQ(helper.currentImage(), helper.hintKey[1].get());
    helper.update(0.7f);
    EXPECT_EQ(helper.currentImage(), helper.noButtonImage.get()); // it blinks all the same
    helper.showHintAs(1, 1, "Mouse Right"); // back on the right button
    EXPECT_EQ(helper.hintKey[1], nullptr);
    helper.update(0.7f);
    EXPECT_EQ(helper.currentImage(), helper.rightImage.get());
}

TEST(ButtonHelperTest, WorldPatternKeepsTheHintAndItsBlink)
{
    // Each step the world clears the unlimited hint and sets it again while
    // an object is near; the blink must still come.
    ButtonHelper helper;
    int blinks = 0;
    bool last = false;
    for (int step = 0; step < 60 * 3; ++step) {
        helper.clearUnlimitedHint();
        helper.setHint(0, -1.0f);
        helper.update(1.0f / 60);
        ASSERT_NE(helper.currentImage(), nullptr);
        blinks += helper.blink != last;
        last = helper.blink;
    }
    EXPECT_EQ(blinks, 4); // 3 s / 0.7 s

    // Walking away: the next clear hides it.
    helper.clearUnlimitedHint();
    helper.update(1.0f / 60);
    EXPECT_EQ(helper.currentImage(), nullptr);
}

TEST(ButtonHelperTest, TimedHintRunsOutAndSurvivesTheWorldsClearing)
{
    ButtonHelper helper;
    helper.setHint(1, 0.5f);
    helper.clearUnlimitedHint();
    EXPECT_EQ(helper.hint, 1);
    helper.update(0.3f);
    EXPECT_EQ(helper.hint, 1);
    EXPECT_NEAR(helper.hintTime, 0.2f, 1e-6f);
    helper.update(0.2f);
    EXPECT_EQ(helper.hint, -1);
    EXPECT_EQ(helper.currentImage(), nullptr);
}

namespace {
struct FakeItem {
    std::string name;
    int count = 1;
};
} // namespace

TEST(AmmoOverlayTest, ShowsDashesWithoutAnItemAndFollowsTheHeldOne)
{
    AmmoOverlay overlay;
    EXPECT_EQ(overlay.countText(), "-");
    EXPECT_EQ(overlay.nameText(), "-");
    EXPECT_EQ(overlay.background->pendingImageFile(), "textures/gui_element.png");
    ASSERT_NE(overlay.pendingImage(), nullptr);
    EXPECT_EQ(overlay.pendingImage()->width, 192);

    FakeItem dynamite { "Dynamite", 3 };
    overlay.showItem(&dynamite);
    EXPECT_EQ(overlay.countText(), "3");
    EXPECT_EQ(overlay.nameText(), "Dynamite");
    EXPECT_EQ(overlay.pendingImage()->pixels, renderItemOverlay("3", "Dynamite").pixels);

    dynamite.count = 2; // thrown one
    overlay.update(1.0f / 60);
    EXPECT_EQ(overlay.countText(), "2");

    FakeItem fish { "Fish", 1 };
    overlay.showItem(&fish);
    dynamite.count = 0;
    overlay.update(1.0f / 60);
    EXPECT_EQ(overlay.countText(), "1");
    EXPECT_EQ(overlay.nameText(), "Fish");

    overlay.showItem<FakeItem>(nullptr);
    overlay.update(1.0f / 60);
    EXPECT_EQ(overlay.countText(), "-");
    EXPECT_EQ(overlay.nameText(), "-");
}
