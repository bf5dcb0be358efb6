// Input routed through the game, and one simulation step, headless.
#include "GameTestSupport.h"

#include "app/Gamepad.h"
#include "app/Input.h"
#include "../render/TestFiles.h"

#include <fstream>
#include "app/OptionsApply.h"

namespace {

using GameInput = HeadlessGame;

std::string configText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(GameInput, ThePadDrivesTheMenusAndPlays)
{
    auto pad = [&](PadReading reading, float dt = 0.0f) {
        applyPadReading(game, reading, dt);
        beginPass();
    };
    pad({ .menuKeys = { MenuKey::Down, MenuKey::Choose } });
    ASSERT_TRUE(game.gui->optionsOpen);
    pad({ .menuKeys = { MenuKey::Back } }); // B: back
    EXPECT_FALSE(game.gui->optionsOpen);
    pad({ .menuKeys = { MenuKey::Up, MenuKey::Choose } }); // "Start Game"
    ASSERT_TRUE(game.playing);

    PadReading forward { .pressed = { Action::Forward, Action::Jump, Action::Flashlight } };
    forward.menuKeys = { MenuKey::Back }; // B in play: not a pause
    pad(forward);
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(game.session.player->inputFlags, (1u << int(InputBit::MoveForward)) | (1u << int(InputBit::Jump)));
    EXPECT_FALSE(game.scene.flashlight->on);
    pad({ .released = { Action::Jump } });
    EXPECT_EQ(game.session.player->inputFlags, 1u << int(InputBit::MoveForward));

    // Bumpers step through the slots and wrap.
    game.session.player->addItem(int(ItemType::BallItem), 1);
    ASSERT_EQ(game.session.player->selectedIndex, 1);
    pad({ .slotStep = 1 });
    EXPECT_EQ(game.session.player->selectedIndex, 0);
    pad({ .slotStep = -1 });
    EXPECT_EQ(game.session.player->selectedIndex, 1);

    // The right stick turns him by speed x time, as the cursor would.
    const glm::mat4 start = game.session.player->modelMatrix();
    pad({ .yawSpeed = 45.0f }, 2.0f);
    EXPECT_NEAR(glm::dot(glm::vec3(game.session.player->modelMatrix()[2]), glm::vec3(start[0])), 1.0f, 1e-4f);

    // Start pauses (letting go of what the pad held) and resumes.
    pad({ .pausePressed = true });
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    pad({ .pressed = { Action::Forward } }); // not while paused
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    pad({ .pausePressed = true });
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    game.deathSequence.timer = 0.0f;
    pad({ .pressed = { Action::Forward }, .pausePressed = true });
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
}

TEST_F(GameInput, TheControlsScreenRebindsSwapsScrollsAndSavesOnlyWhatChanged)
{
    TempDir dir;
    ScopedWorkingDirectory inDir(dir.path());
    std::ofstream("config.txt", std::ios::binary) << "Volume=7 # loud\n";
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Options"
    tap(GLFW_KEY_UP); // wraps to "Back"
    tap(GLFW_KEY_UP);
    EXPECT_EQ(game.gui->options->items[size_t(game.gui->options->selected)]->text, "Controls");
    tap(GLFW_KEY_ENTER);
    ASSERT_TRUE(game.gui->controlsOpen);
    const ControlsMenu& screen = *game.gui->controls;
    EXPECT_EQ(screen.items[0]->text, "Forward: W");
    EXPECT_EQ(screen.items[5]->text, "Run: Left Shift");
    EXPECT_EQ(screen.items[6]->text, "Use: Mouse Left");
    EXPECT_EQ(screen.items[size_t(kActionCount)]->text, "Reset to Defaults");

    tap(GLFW_KEY_ENTER);
    EXPECT_EQ(screen.items[0]->text, "Forward: press a key");
    tap(GLFW_KEY_ESCAPE); // cancels the wait, not the screen
    EXPECT_TRUE(game.gui->controlsOpen);
    EXPECT_EQ(screen.items[0]->text, "Forward: W");
    for (PadReading cancel : { PadReading { .menuKeys = { MenuKey::Back } }, PadReading { .pausePressed = true } }) {
        tap(GLFW_KEY_ENTER);
        applyPadReading(game, cancel, 0.0f); // B and Start cancel as well
        EXPECT_TRUE(game.gui->controlsOpen);
        EXPECT_EQ(screen.items[0]->text, "Forward: W");
    }
    tap(GLFW_KEY_ENTER);
    tap(GLFW_KEY_UP); // taken as the binding, no move
    EXPECT_EQ(screen.items[0]->text, "Forward: Up");
    EXPECT_EQ(screen.selected, 0);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Back" waits for a button: the left one, use's, which gets S
    onMouseButton(game, 0, GLFW_PRESS);
    onMouseButton(game, 0, GLFW_RELEASE);
    EXPECT_EQ(screen.items[1]->text, "Back: Mouse Left");
    EXPECT_EQ(screen.items[6]->text, "Use: S");

    // Longer than the screen: the bottom rows scroll into view and back.
    EXPECT_EQ(screen.firstShown(), 0);
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_UP); // wraps to "Back" at the bottom
    EXPECT_EQ(screen.items[size_t(screen.selected)]->text, "Back");
    EXPECT_EQ(screen.firstShown(), kActionCount + 2 - ControlsMenu::kShownRows);
    tap(GLFW_KEY_UP);
    EXPECT_EQ(screen.firstShown(), kActionCount + 2 - ControlsMenu::kShownRows);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_DOWN); // wraps to the top
    EXPECT_EQ(screen.firstShown(), 0);

    tap(GLFW_KEY_ESCAPE); // leaves for Options, saving the three changed actions
    EXPECT_FALSE(game.gui->controlsOpen);
    EXPECT_TRUE(game.gui->optionsOpen);
    EXPECT_EQ(configText("config.txt"), "Volume=7 # loud\nKey_Forward=265\nKey_Back=Mouse1\nKey_Use=83\n");
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_UP); // "Start Game"
    play();
    onKey(game, GLFW_KEY_UP, GLFW_PRESS);
    onKey(game, GLFW_KEY_W, GLFW_PRESS); // nobody's now
    EXPECT_EQ(game.session.player->inputFlags, 1u << int(InputBit::MoveForward));
    onMouseButton(game, 0, GLFW_PRESS);
    onKey(game, GLFW_KEY_S, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags,
        (1u << int(InputBit::MoveForward)) | (1u << int(InputBit::MoveBack)) | (1u << int(InputBit::UseItem)));
    tap(GLFW_KEY_ESCAPE); // pausing lets go of everything
    EXPECT_EQ(game.session.player->inputFlags, 0u);

    // "Reset to Defaults" writes back what it changed; nothing else is touched.
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Options", after "Resume" and "Start Game"
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_ENTER); // "Controls"
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_UP); // "Reset to Defaults"
    tap(GLFW_KEY_SPACE);
    EXPECT_EQ(screen.items[0]->text, "Forward: W");
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Back": leaves
    EXPECT_FALSE(game.gui->controlsOpen);
    EXPECT_EQ(configText("config.txt"), "Volume=7 # loud\nKey_Forward=87\nKey_Back=83\nKey_Use=Mouse1\n");
}

TEST_F(GameInput, KeysReachThePlayerOnlyOnceAGameExists)
{
    onKey(game, GLFW_KEY_D, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    onKey(game, GLFW_KEY_D, GLFW_RELEASE);
    play();
    onKey(game, GLFW_KEY_W, GLFW_PRESS);
    onKey(game, GLFW_KEY_LEFT_SHIFT, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, (1u << 0) | (1u << 6));
    onKey(game, GLFW_KEY_W, GLFW_RELEASE);
    EXPECT_EQ(game.session.player->inputFlags, 1u << 6);
}

TEST_F(GameInput, KeyRepeatsChangeNothing)
{
    play();
    onKey(game, GLFW_KEY_A, GLFW_REPEAT);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    // A repeat never moves a menu either.
    tap(GLFW_KEY_ESCAPE);
    onKey(game, GLFW_KEY_DOWN, GLFW_REPEAT);
    EXPECT_EQ(game.gui->pauseMenu->selected, 0);
}

TEST_F(GameInput, FTogglesTheFlashlight)
{
    onKey(game, GLFW_KEY_F, GLFW_PRESS);
    EXPECT_TRUE(game.scene.flashlight->on); // no game yet
    play();
    onKey(game, GLFW_KEY_F, GLFW_PRESS);
    EXPECT_FALSE(game.scene.flashlight->on);
    onKey(game, GLFW_KEY_F, GLFW_RELEASE);
    onKey(game, GLFW_KEY_F, GLFW_PRESS);
    EXPECT_TRUE(game.scene.flashlight->on);
}

TEST_F(GameInput, LeftAltShowsTheCursorWhileHeldWithoutPausing)
{
    play();
    onKey(game, GLFW_KEY_LEFT_ALT, GLFW_PRESS);
    EXPECT_EQ(game.cursorMode, GLFW_CURSOR_NORMAL);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    onKey(game, GLFW_KEY_LEFT_ALT, GLFW_RELEASE);
    EXPECT_EQ(game.cursorMode, GLFW_CURSOR_DISABLED);
    // Focus regained captures it again.
    game.setCursorMode(GLFW_CURSOR_NORMAL);
    onFocus(game, false);
    EXPECT_EQ(game.cursorMode, GLFW_CURSOR_NORMAL);
    onFocus(game, true);
    EXPECT_EQ(game.cursorMode, GLFW_CURSOR_DISABLED);
}

TEST_F(GameInput, MouseButtonsOnlyWhilePlaying)
{
    onMouseButton(game, 0, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    play();
    auto probe = std::make_unique<ProbeObject>(game.session.player->position() + glm::vec3(1.0f, 0.0f, 0.0f));
    ProbeObject& near = *probe;
    game.session.world->findChunk(0, 0)->objects.push_back(std::move(probe));
    onMouseButton(game, 0, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 1u << 7);
    onMouseButton(game, 2, GLFW_PRESS); // middle button: not the player's
    onMouseButton(game, 1, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, (1u << 7) | (1u << 8));
    EXPECT_EQ(near.activations, 1); // the right button uses what is near
    onMouseButton(game, 1, GLFW_RELEASE);
    onMouseButton(game, 0, GLFW_RELEASE);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    EXPECT_EQ(near.activations, 1);

    game.deathSequence.timer = 0.5f;
    onMouseButton(game, 0, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
}

TEST_F(GameInput, CursorTurnsThePlayerAndMotionInMenusIsCaughtUpLater)
{
    play();
    const glm::mat4 start = game.session.player->modelMatrix();
    onCursorPosition(game, 0.0, 0.0);
    EXPECT_EQ(game.session.player->modelMatrix(), start);
    onCursorPosition(game, -450.0, 0.0); // 90 degrees to the left: he looks along his old -x
    const glm::mat4 turned = game.session.player->modelMatrix();
    EXPECT_NEAR(glm::dot(glm::vec3(turned[2]), glm::vec3(start[0])), 1.0f, 1e-4f);

    // Paused: motion is not followed and the last position is kept.
    tap(GLFW_KEY_ESCAPE);
    onCursorPosition(game, 450.0, 0.0);
    EXPECT_EQ(game.session.player->modelMatrix(), turned);
    EXPECT_EQ(game.platform.lastCursorX, -450.0);
    tap(GLFW_KEY_ESCAPE);
    onCursorPosition(game, 0.0, 0.0); // the whole way back in one move
    EXPECT_NEAR(glm::dot(glm::vec3(game.session.player->modelMatrix()[2]), glm::vec3(start[2])), 1.0f, 1e-4f);

    game.deathSequence.timer = 0.0f;
    onCursorPosition(game, 300.0, 200.0);
    EXPECT_EQ(game.platform.lastCursorX, 0.0);
}

TEST_F(GameInput, ScrollWidensTheFlashlightOnlyWhilePlaying)
{
    onScroll(game, 2.0);
    EXPECT_EQ(game.scene.flashlight->fov, 50.0f);
    play();
    onScroll(game, 2.0);
    EXPECT_EQ(game.scene.flashlight->fov, 56.0f);
    tap(GLFW_KEY_ESCAPE);
    onScroll(game, 2.0);
    EXPECT_EQ(game.scene.flashlight->fov, 56.0f);
}

TEST_F(GameInput, ResizeRecomputesBothProjections)
{
    testing::internal::CaptureStdout();
    onFramebufferSize(game, 800, 400);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Width: 800 Height: 400\n");
    EXPECT_EQ(game.platform.screenWidth, 800);
    EXPECT_EQ(game.platform.screenHeight, 400);
    EXPECT_EQ(game.platform.aspect, 2.0f);
    for (PerspectiveCamera* camera : { game.scene.playerCamera.get(), game.scene.overviewCamera.get() }) {
        EXPECT_EQ(camera->aspect, 2.0f);
        EXPECT_EQ(camera->fov, 70.0f);
        EXPECT_EQ(camera->near, 0.2f);
        EXPECT_EQ(camera->far, 500.0f);
    }
    // A window without area keeps the last projection rather than divide by zero.
    testing::internal::CaptureStdout();
    onFramebufferSize(game, 800, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.platform.aspect, 2.0f);
    EXPECT_EQ(game.scene.playerCamera->aspect, 2.0f);

    // The field of view reaches the player's projection at once, and stays through a resize.
    const int fov = gSettings.fieldOfView;
    gSettings.fieldOfView = 90;
    EXPECT_TRUE(applyOption(game, OptionRow::FieldOfView));
    EXPECT_FLOAT_EQ(game.scene.playerCamera->projection[1][1], 1.0f); // 1 / tan(45 degrees)
    EXPECT_FLOAT_EQ(game.scene.playerCamera->projection[0][0], 0.5f);
    EXPECT_EQ(game.scene.overviewCamera->fov, 70.0f);
    testing::internal::CaptureStdout();
    onFramebufferSize(game, 400, 400);
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(game.scene.playerCamera->projection[0][0], 1.0f);
    EXPECT_EQ(game.scene.playerCamera->fov, 90.0f);
    gSettings.fieldOfView = fov;
}

TEST_F(GameInput, LosingFocusInPlayPausesAsEscapeDoesUnlessSwitchedOff)
{
    play();
    onKey(game, GLFW_KEY_W, GLFW_PRESS);
    onFocus(game, false);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    EXPECT_EQ(game.session.player->inputFlags, 0u); // he does not walk on while away
    EXPECT_EQ(game.gui->pauseMenu->selectedItem()->text, "Resume");
    onFocus(game, true);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU); // coming back does not resume
    onKey(game, GLFW_KEY_SPACE, GLFW_PRESS); // "Resume", its release still to come
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    EXPECT_EQ(game.session.player->inputFlags, 0u) << "the key that resumed does not jump";
    onKey(game, GLFW_KEY_SPACE, GLFW_RELEASE);

    gSettings.pauseOnFocusLoss = 0;
    onFocus(game, false);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    gSettings.pauseOnFocusLoss = 1;
    game.deathSequence.timer = 1.0f; // Death's sequence plays out as it would with Escape
    onFocus(game, false);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    game.deathSequence.timer = -1.0f;
}

TEST_F(GameInput, QueuedEventsWaitForTheDrainAndApplyInTheOrderTheyCame)
{
    play();
    game.setCursorMode(GLFW_CURSOR_NORMAL);
    const float fov = game.scene.flashlight->fov;
    for (const InputEvent& event : { InputEvent::key(GLFW_KEY_W, GLFW_PRESS), InputEvent::key(GLFW_KEY_S, GLFW_PRESS),
             InputEvent::key(GLFW_KEY_W, GLFW_RELEASE), InputEvent::mouseButton(0, GLFW_PRESS),
             InputEvent::cursorPosition(-450.0, 7.0), InputEvent::scroll(2.0), InputEvent::focus(true),
             InputEvent::framebufferSize(800, 400) })
        game.platform.inputEvents.push_back(event);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    EXPECT_EQ(game.platform.screenWidth, 640);

    testing::internal::CaptureStdout();
    drainInput(game);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Width: 800 Height: 400\n");
    EXPECT_TRUE(game.platform.inputEvents.empty());
    EXPECT_EQ(game.session.player->inputFlags, (1u << 1) | (1u << 7)); // W came and went; S and the left button stay
    EXPECT_EQ(game.platform.lastCursorX, -450.0);
    EXPECT_EQ(game.platform.lastCursorY, 7.0);
    EXPECT_EQ(game.scene.flashlight->fov, fov + 6.0f);
    EXPECT_EQ(game.cursorMode, GLFW_CURSOR_DISABLED);
    EXPECT_EQ(game.platform.aspect, 2.0f);
}

TEST_F(GameInput, ReleaseAllKeysDuringTheDeathSequenceReleasesNothing)
{
    play();
    onKey(game, GLFW_KEY_S, GLFW_PRESS);
    game.deathSequence.timer = 1.0f;
    releaseAllKeys(game);
    EXPECT_EQ(game.session.player->inputFlags, 1u << 1);
    game.deathSequence.timer = -1.0f;
    onMouseButton(game, 1, GLFW_PRESS);
    releaseAllKeys(game);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
}

TEST_F(GameInput, MenuNavigationPlaysTheSelectionClick)
{
    MenuItem& quitEntry = *game.gui->menu->items.back();
    const int clicks = quitEntry.sound.playCount();
    tap(GLFW_KEY_W); // wraps to "Quit"
    EXPECT_EQ(quitEntry.text, "Quit");
    EXPECT_EQ(game.gui->menu->selectedItem(), &quitEntry);
    EXPECT_EQ(quitEntry.sound.playCount(), clicks + 1);
    tap(GLFW_KEY_S);
    tap(GLFW_KEY_UP);
    EXPECT_EQ(game.gui->menu->selectedItem(), &quitEntry);
    EXPECT_FALSE(game.shouldClose());
    tap(GLFW_KEY_SPACE);
    EXPECT_TRUE(game.shouldClose());
}

using GameStep = HeadlessGame;

TEST_F(GameStep, TimeAndWeatherAdvanceOnlyInSteps)
{
    play();
    steps(60);
    EXPECT_NEAR(game.session.gameTime, 1.0f, 1e-4f);
    EXPECT_NEAR(game.session.weather.weatherTimer, 29.0f, 1e-3f);
    EXPECT_EQ(game.session.insideBuilding, 0.0f); // nothing above the player
    steps(1741);
    EXPECT_GE(game.session.weather.weatherTimer, 79.0f);
    EXPECT_LE(game.session.weather.weatherTimer, 120.0f);
}

TEST_F(GameStep, RainFallsAroundThePlayerExceptInTheDesert)
{
    play();
    game.session.weather.rain = true;
    steps(1);
    // Raindrops need ground below them (there is none here); the splashes
    // land wherever the ground height says.
    EXPECT_EQ(game.scene.particles->writeIndex, 700);
    game.session.inDesert = true;
    steps(1);
    EXPECT_EQ(game.scene.particles->writeIndex, 700);
}

TEST_F(GameStep, PotionFadesAfterItsTime)
{
    play();
    game.potion.timer = 0.5f;
    game.potion.factor = 1.0f;
    steps(30);
    EXPECT_EQ(game.potion.factor, 1.0f);
    steps(31); // the first of these ends the timer, the next thirty fade half a second
    EXPECT_NEAR(game.potion.factor, 0.5f, 0.02f);
}

} // namespace
