// Cairo text surfaces: sizes, where the ink lands, colours, and the texts
// the GUI builds from numbers.
#include "gui/GuiText.h"

#include <gtest/gtest.h>

namespace {

struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int pixels = 0;
    bool empty() const { return pixels == 0; }
};

InkBox inkBox(const TextImage& image, int fromY = 0, int toY = -1)
{
    InkBox box;
    if (toY < 0)
        toY = image.height;
    for (int y = fromY; y < toY; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y, 3) > 0) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.pixels;
            }
    return box;
}

// Every fully covered pixel has exactly the text colour (B, G, R order).
void expectSolidColour(const TextImage& image, int r, int g, int b)
{
    int solid = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y, 3) == 255) {
                ++solid;
                ASSERT_NEAR(image.at(x, y, 2), r, 1) << x << "," << y;
                ASSERT_NEAR(image.at(x, y, 1), g, 1) << x << "," << y;
                ASSERT_NEAR(image.at(x, y, 0), b, 1) << x << "," << y;
            }
    EXPECT_GT(solid, 20);
}

} // namespace

TEST(GuiTextTest, InkSitsOnTheBaselineRightOfThePen)
{
    // Capitals without descenders: the ink ends at the baseline and starts
    // just right of the pen; a size-30 capital is about 22 pixels tall.
    TextImage entry = renderText("HEH", textStyle::menuEntry);
    EXPECT_EQ(entry.width, 720);
    EXPECT_EQ(entry.height, 36);
    InkBox box = inkBox(entry);
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, 20);
    EXPECT_LE(box.left, 24);
    EXPECT_GE(box.bottom, 23);
    EXPECT_LE(box.bottom, 25);
    EXPECT_GE(box.bottom - box.top, 18);
    EXPECT_LE(box.bottom - box.top, 25);
    EXPECT_LT(box.right, 200);

    InkBox caption = inkBox(renderText("HEH", textStyle::gameOverCaption));
    EXPECT_GE(caption.left, 50);
    EXPECT_LE(caption.left, 54);
    EXPECT_GE(caption.bottom, 25);
    EXPECT_LE(caption.bottom, 27);

    TextImage rate = renderText("60.00", textStyle::fpsCounter);
    EXPECT_EQ(rate.width, 480);
    EXPECT_EQ(rate.height, 80);
    InkBox fps = inkBox(rate);
    EXPECT_GE(fps.left, 10);
    EXPECT_LE(fps.bottom, 61);
    EXPECT_GE(fps.bottom - fps.top, 50); // size 80 digits
}

TEST(GuiTextTest, ColoursFollowTheStyle)
{
    expectSolidColour(renderText("Quit", textStyle::menuEntry), 255, 0, 0);
    expectSolidColour(renderText("Quit", textStyle::menuEntryHighlighted), 0, 255, 0);
    expectSolidColour(renderText("You found 2 Cats!", textStyle::gameOverCaption), 255, 26, 26);
    expectSolidColour(renderText("x: 1", textStyle::debugItem), 255, 255, 255);
    expectSolidColour(renderItemOverlay("12", "Fish"), 255, 255, 255);
}

TEST(GuiTextTest, PercentagesHaveThreeSignificantDigits)
{
    EXPECT_EQ(percentText(0.4567f), "45.7%");
    EXPECT_EQ(percentText(1.0f), "100%");
    EXPECT_EQ(percentText(0.0f), "0%");
    EXPECT_EQ(percentText(0.05f), "5%");
    EXPECT_EQ(percentText(0.123456f), "12.3%");
    EXPECT_EQ(percentText(0.99999f), "100%");
    EXPECT_EQ(loadingBarText("Planting Trees", 0.4567f, true), "Planting Trees 45.7%");
    EXPECT_EQ(loadingBarText("Planting Trees", 0.4567f, false), "Planting Trees");
}

TEST(GuiTextTest, NumberTexts)
{
    EXPECT_EQ(fpsText(59.8712f), "59.87 fps");
    EXPECT_EQ(fpsText(60.0f), "60.00 fps");
    EXPECT_EQ(gameOverCaptionText(0), "You found 0 Cats!");
    EXPECT_EQ(gameOverCaptionText(1), "You found 1 Cat!");
    EXPECT_EQ(gameOverCaptionText(2), "You found 2 Cats!");
    EXPECT_EQ(respawnEntryText(0), "Respawn (lose 0 cats)");
    EXPECT_EQ(respawnEntryText(1), "Respawn (lose 1 cat)");
    EXPECT_EQ(respawnEntryText(3), "Respawn (lose 3 cats)");
}

namespace {
// The font caches live until the test program ends; free them there as the
// game does at shutdown.
class TextResourcesEnvironment : public ::testing::Environment {
public:
    void TearDown() override { releaseTextResources(); }
};
[[maybe_unused]] ::testing::Environment* const textEnvironment
    = ::testing::AddGlobalTestEnvironment(new TextResourcesEnvironment);
} // namespace
