// Menu selection with wrap-around, the click, the entry texts and actions,
// and the game-over menu's texts. No GL: pictures wait for a draw.
#include "gui/Menu.h"

#include <gtest/gtest.h>

namespace {

// Whether the entry's waiting text surface is drawn in green.
bool renderedGreen(const MenuItem& item)
{
    const TextImage* image = item.pendingImage();
    if (!image)
        return false;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            if (image->at(x, y, 3) == 255)
                return image->at(x, y, 1) == 255 && image->at(x, y, 2) == 0;
    return false;
}

std::vector<int> highlights(const Menu& menu)
{
    std::vector<int> result;
    for (const auto& item : menu.items)
        result.push_back(item->highlighted ? 1 : 0);
    return result;
}

} // namespace

TEST(MenuTest, FirstEntryStartsSelectedWithItsClick)
{
    Menu menu;
    menu.addItem("Start Game", 0, nullptr);
    menu.addItem("Quit", 1, nullptr);
    EXPECT_EQ(menu.selected, 0);
    EXPECT_EQ(highlights(menu), (std::vector<int> { 1, 0 }));
    EXPECT_EQ(menu.items[0]->sound.playCount(), 1);
    EXPECT_EQ(menu.items[1]->sound.playCount(), 0);
    EXPECT_TRUE(renderedGreen(*menu.items[0]));
    EXPECT_FALSE(renderedGreen(*menu.items[1]));
    EXPECT_EQ(menu.items[1]->menuId, SCREEN_MENU);
}

TEST(MenuTest, DownAndUpWrapAround)
{
    Menu menu;
    for (int row = 0; row < 3; ++row)
        menu.addItem("Entry", row, nullptr);

    menu.selectNext();
    EXPECT_EQ(highlights(menu), (std::vector<int> { 0, 1, 0 }));
    menu.selectNext();
    menu.selectNext(); // from the last back to the first
    EXPECT_EQ(menu.selected, 0);
    EXPECT_EQ(highlights(menu), (std::vector<int> { 1, 0, 0 }));
    EXPECT_EQ(menu.items[0]->sound.playCount(), 2);

    menu.selectPrevious(); // from the first to the last
    EXPECT_EQ(menu.selected, 2);
    EXPECT_EQ(highlights(menu), (std::vector<int> { 0, 0, 1 }));
    menu.selectPrevious();
    EXPECT_EQ(menu.selected, 1);
    EXPECT_TRUE(renderedGreen(*menu.items[1]));
    EXPECT_FALSE(renderedGreen(*menu.items[2]));
    EXPECT_EQ(menu.items[2]->sound.playCount(), 2);
}

TEST(MenuTest, DownFromQuitClicksOnStartGame)
{
    Menu menu;
    menu.addItem("Start Game", 0, nullptr);
    menu.addItem("Quit", 1, nullptr);
    menu.selectNext();
    EXPECT_EQ(menu.items[1]->sound.playCount(), 1);
    menu.selectNext();
    EXPECT_EQ(menu.selected, 0);
    EXPECT_EQ(menu.items[0]->sound.playCount(), 2);
}

TEST(MenuTest, OneEntryMenuDoesNotMoveOrClick)
{
    Menu menu;
    menu.addItem("Only", 0, nullptr);
    menu.selectNext();
    menu.selectPrevious();
    EXPECT_EQ(menu.selected, 0);
    EXPECT_TRUE(menu.items[0]->highlighted);
    EXPECT_EQ(menu.items[0]->sound.playCount(), 1);

    Menu empty;
    empty.selectNext();
    empty.selectPrevious();
    empty.runSelected(nullptr);
    EXPECT_EQ(empty.selectedItem(), nullptr);
}

TEST(MenuTest, RunSelectedCallsThatEntrysActionWithTheWindow)
{
    std::vector<std::string> calls;
    GLFWwindow* const window = reinterpret_cast<GLFWwindow*>(0x1234);
    GLFWwindow* seen = nullptr;
    Menu menu;
    menu.addItem("Start Game", 0, [&](GLFWwindow* w) { calls.push_back("start"), seen = w; });
    menu.addItem("Quit", 1, [&](GLFWwindow*) { calls.push_back("quit"); });
    menu.addItem("Nothing", 2, nullptr);
    menu.runSelected(window);
    menu.selectNext();
    menu.runSelected(window);
    menu.selectNext();
    menu.runSelected(window); // no action: nothing happens
    EXPECT_EQ(calls, (std::vector<std::string> { "start", "quit" }));
    EXPECT_EQ(seen, window);
}

TEST(MenuTest, AnActionMayReplaceItself)
{
    Menu menu;
    int runs = 0;
    MenuItem& item = menu.addItem("Again", 0, nullptr);
    item.action = [&](GLFWwindow*) {
        ++runs;
        item.action = [&](GLFWwindow*) { runs += 10; };
    };
    menu.runSelected(nullptr);
    menu.runSelected(nullptr);
    EXPECT_EQ(runs, 11);
}

TEST(GameOverMenuTest, EntriesCaptionAndDecorations)
{
    std::vector<std::string> calls;
    GameOverMenu menu([&](GLFWwindow*) { calls.push_back("respawn"); },
        [&](GLFWwindow*) { calls.push_back("restart"); }, [&](GLFWwindow*) { calls.push_back("quit"); });
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[1]->text, "Restart");
    EXPECT_EQ(menu.items[2]->text, "Quit");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(menu.items[size_t(row)]->row, row);
        EXPECT_EQ(menu.items[size_t(row)]->menuId, SCREEN_GAME_OVER);
    }
    EXPECT_TRUE(menu.items[0]->highlighted);

    // Caption first (drawn nearest), then the background, then the credits.
    ASSERT_EQ(menu.decorations.size(), 3u);
    EXPECT_EQ(menu.decorations[0].get(), menu.caption);
    EXPECT_EQ(menu.decorations[1]->pendingImageFile(), "textures/gameover.png");
    EXPECT_EQ(menu.decorations[2]->pendingImageFile(), "textures/created_by.png");

    for (int i = 0; i < 3; ++i) {
        menu.runSelected(nullptr);
        menu.selectNext();
    }
    EXPECT_EQ(calls, (std::vector<std::string> { "respawn", "restart", "quit" }));
}

TEST(GameOverMenuTest, CaptionAndRespawnTextFollowTheCatCount)
{
    GameOverMenu menu(nullptr, nullptr, nullptr);
    menu.setRespawnCost(1);
    EXPECT_EQ(menu.items[0]->text, "Respawn (lose 1 cat)");
    menu.setRespawnCost(0);
    EXPECT_EQ(menu.items[0]->text, "Respawn (lose 0 cats)");
    EXPECT_TRUE(renderedGreen(*menu.items[0])); // still selected

    menu.setCaption(1);
    const TextImage* one = menu.caption->pendingImage();
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->width, 720);
    EXPECT_EQ(one->height, 36);
    std::vector<uint8_t> oneCat = one->pixels;
    menu.setCaption(2);
    EXPECT_NE(menu.caption->pendingImage()->pixels, oneCat);
    // The caption is the cat-count text in the caption style.
    EXPECT_EQ(menu.caption->pendingImage()->pixels,
        renderText("You found 2 Cats!", textStyle::gameOverCaption).pixels);
}
