// Death in a whole headless game: the catch, the death sequence and the
// game-over menu, and the potion's protection.
#include "GameTestSupport.h"

#include "app/Timers.h"
#include "gameplay/Death.h"

#include <glm/geometric.hpp>

namespace {

using DeathInGame = HeadlessGame;

TEST_F(DeathInGame, IsMadeWithTheWorldAndHidden)
{
    ASSERT_NE(game.session.world->death, nullptr);
    EXPECT_EQ(game.session.world->death->services, game.session.world->services);
    EXPECT_NE(game.session.world->services, nullptr);
    EXPECT_EQ(game.session.world->death->position(), glm::vec3(0.0f, -100.0f, 0.0f));
    EXPECT_FALSE(game.session.world->death->attacking);
}

TEST_F(DeathInGame, FullRageStartsTheDeathSequenceAndTheGameOverMenuFollows)
{
    play();
    game.session.player->catCount = 4;
    Death& death = *game.session.world->death;
    death.attacking = true;
    death.aware = true;
    death.rage = 0.9999f;
    death.placeAt(game.session.player->position() + glm::vec3(3.0f, 0.0f, 0.0f));
    steps(1);
    ASSERT_GE(game.deathSequence.timer, 0.0f);
    EXPECT_EQ(game.session.player->noiseLevel, 0.0f);
    EXPECT_EQ(game.scene.flashlight->fov, 59.0f);
    EXPECT_FLOAT_EQ(game.scene.playerCamera->shakeAmount, 0.3f);
    // Close up in front of the player, and it stays there. Where the world puts him
    // depends on the random draws before, and a thousand units out a float's step is 1e-4.
    const glm::vec3 closeUp = death.position();
    EXPECT_NEAR(glm::distance(closeUp, game.session.player->position()), 1.0f, 1e-3f);
    EXPECT_FLOAT_EQ(glm::length(glm::vec3(death.model[1])), 0.24f);

    steps(121); // the reveal starts to close after 2 s
    EXPECT_FALSE(game.reveal.opening);
    for (int frame = 0; frame < 200; ++frame)
        advanceCircleLoad(game.reveal.circleLoad, game.reveal.opening, kFrameSeconds);
    EXPECT_EQ(death.position(), closeUp);
    EXPECT_NE(game.gui->screenFlags, SCREEN_GAME_OVER);
    steps(120); // past 4 s
    EXPECT_EQ(game.gui->screenFlags, SCREEN_GAME_OVER);
    EXPECT_EQ(game.gui->gameOverMenu->items.front()->text, "Respawn (lose 2 cats)");
}

TEST_F(DeathInGame, APotionMakesItVanishAndKeepsAttacksAway)
{
    play();
    game.session.player->catCount = 3;
    Death& death = *game.session.world->death;
    death.attacking = true;
    death.rage = 0.6f;
    death.placeAt(game.session.player->position() + glm::vec3(5.0f, 0.0f, 0.0f));
    game.potion.timer = 30.0f;
    game.potion.factor = 1.0f;
    steps(1);
    EXPECT_FALSE(death.attacking);
    EXPECT_EQ(death.rage, 0.0f);
    EXPECT_EQ(death.position().y, -100.0f);
    death.timeSinceAttack = 1000.0f;
    steps(60);
    EXPECT_LT(death.timeSinceAttack, 0.02f); // every step starts the wait again
    EXPECT_FALSE(death.attacking);
    EXPECT_EQ(game.potion.factor, 1.0f); // fades only once the protection ran out
}

} // namespace
