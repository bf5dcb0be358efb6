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

TEST(MenuTest, OneEntryMenuDoesNotMoveOrClick)
{
    Menu menu;
    menu.addItem("Only", 0, nullptr);
    menu.selectNext();
    menu.selectPrevious();
    EXPECT_EQ(menu.selected, 0);
    EXPECT_TRUE(menu.items[0]->highlighted);
    EXPECT_EQ(menu.items[0]->sound.playCount(), 1);
}

TEST(GameOverMenuTest, EntriesCaptionAndDecorations)
{
    GameOverMenu menu(nullptr, nullptr, nullptr);
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[1]->text, "Restart");
    EXPECT_EQ(menu.items[2]->text, "Quit");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(menu.items[size_t(row)]->row, row);
        EXPECT_EQ(menu.items[size_t(row)]->menuId, SCREEN_GAME_OVER);
    }

    // Caption first (drawn nearest), then the background, then the credits.
    ASSERT_EQ(menu.decorations.size(), 3u);
    EXPECT_EQ(menu.decorations[0].get(), menu.caption);
    EXPECT_EQ(menu.decorations[1]->pendingImageFile(), "textures/gameover.png");
    EXPECT_EQ(menu.decorations[2]->pendingImageFile(), "textures/created_by.png");
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
    ASSERT_NE(menu.caption->pendingImage(), nullptr);
    EXPECT_EQ(menu.caption->pendingImage()->pixels,
        renderText("You found 1 Cat!", textStyle::gameOverCaption).pixels);
    menu.setCaption(2);
    EXPECT_EQ(menu.caption->pendingImage()->pixels,
        renderText("You found 2 Cats!", textStyle::gameOverCaption).pixels);
}
