// The Options screen's rows: stepping held at the ends, values from the file
// that lie between or beyond the steps, the texts, and the keys saved.
#include "app/Config.h"
#include "app/OptionsApply.h"
#include "gui/OptionRows.h"
#include "gui/GuiText.h"
#include "gui/OptionsMenu.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
    OptionRow row;
    int value; // in the file
    int direction;
    int expected;
    std::string text; // after the step
};

int& field(Settings& s, OptionRow row)
{
    switch (row) {
    case OptionRow::ViewDistance:
        return s.chunkViewDistance;
    case OptionRow::Volume:
        return s.volume;
    case OptionRow::Vsync:
        return s.vsync;
    case OptionRow::AntiAliasing:
        return s.antiAliasingFactor;
    case OptionRow::ShadowQuality:
        return s.shadowmapFactor;
    case OptionRow::RenderScale:
        return s.renderScale;
    case OptionRow::Brightness:
        return s.brightness;
    case OptionRow::FieldOfView:
        return s.fieldOfView;
    case OptionRow::PauseOnFocusLoss:
        return s.pauseOnFocusLoss;
    case OptionRow::Captions:
        return s.captions;
    default:
        return s.soundEffects;
    }
}

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << c.text;
}

class OptionStep : public ::testing::TestWithParam<StepCase> {};

} // namespace

TEST_P(OptionStep, MovesToTheNextOfferedValueAndStopsAtTheEnds)
{
    const StepCase& c = GetParam();
    Settings settings;
    field(settings, c.row) = c.value;
    const OptionContext fourSamples { 4, -1 };
    EXPECT_EQ(stepOption(c.row, settings, c.direction, fourSamples), c.expected != c.value);
    EXPECT_EQ(field(settings, c.row), c.expected);
    EXPECT_EQ(optionRowText(c.row, settings, fourSamples), c.text);
}

INSTANTIATE_TEST_SUITE_P(OptionRows, OptionStep,
    ::testing::Values(StepCase { OptionRow::Volume, 10, 1, 10, "Volume: 10" },
        StepCase { OptionRow::Volume, 1, -1, 0, "Volume: 0" }, StepCase { OptionRow::Volume, 0, -1, 0, "Volume: 0" },
        StepCase { OptionRow::Volume, 15, -1, 10, "Volume: 10" },
        StepCase { OptionRow::ViewDistance, 4, 1, 4, "View Distance: 4" },
        StepCase { OptionRow::ViewDistance, 9, -1, 4, "View Distance: 4" },
        StepCase { OptionRow::ShadowQuality, 1, -1, 1, "Shadow Quality: 1" },
        StepCase { OptionRow::ShadowQuality, 9, 1, 10, "Shadow Quality: 10" },
        StepCase { OptionRow::Vsync, 2, -1, 0, "Vsync: Off" }, StepCase { OptionRow::Vsync, 2, 1, 2, "Vsync: On" },
        StepCase { OptionRow::SoundEffects, 0, 1, 1, "Sound Effects: On" },
        // Only the sample counts the hardware offers (4 here).
        StepCase { OptionRow::AntiAliasing, 4, 1, 4, "Anti-Aliasing: 4" },
        StepCase { OptionRow::AntiAliasing, 4, -1, 2, "Anti-Aliasing: 2" },
        StepCase { OptionRow::AntiAliasing, 1, -1, 1, "Anti-Aliasing: 1" },
        // Automatic below the smallest scale; a scale from the file between the steps.
        StepCase { OptionRow::RenderScale, 0, 1, 50, "Render Scale: 50" },
        StepCase { OptionRow::RenderScale, 50, -1, 0, "Render Scale: Auto" },
        StepCase { OptionRow::RenderScale, 75, 1, 80, "Render Scale: 80" },
        StepCase { OptionRow::RenderScale, 100, 1, 100, "Render Scale: 100" },
        StepCase { OptionRow::Brightness, 100, 1, 110, "Brightness: 110" },
        StepCase { OptionRow::Brightness, 50, -1, 50, "Brightness: 50" },
        StepCase { OptionRow::Brightness, 200, 1, 200, "Brightness: 200" },
        StepCase { OptionRow::FieldOfView, 70, -1, 65, "Field of View: 65" },
        StepCase { OptionRow::FieldOfView, 100, 1, 100, "Field of View: 100" },
        StepCase { OptionRow::PauseOnFocusLoss, 1, -1, 0, "Pause on Focus Loss: Off" },
        StepCase { OptionRow::Captions, 0, 1, 1, "Captions: On" }));

TEST(OptionRows, InvertMouseFlipsOnlyTheVerticalSignAndSavesIt)
{
    Settings settings;
    settings.mouseSensitivityX = 120;
    settings.mouseSensitivityY = 90;
    EXPECT_EQ(optionRowText(OptionRow::InvertMouse, settings, {}), "Invert Mouse: Off");
    ASSERT_TRUE(stepOption(OptionRow::InvertMouse, settings, 1, {}));
    EXPECT_EQ(settings.mouseSensitivityY, -90);
    EXPECT_EQ(settings.mouseSensitivityX, 120);
    EXPECT_EQ(optionRowText(OptionRow::InvertMouse, settings, {}), "Invert Mouse: On");
    EXPECT_EQ(optionConfigChanges(OptionRow::InvertMouse, settings),
        (std::vector<ConfigChange> { { "Mouse_Sensitivity_Y", "-90" } }));
    EXPECT_FALSE(stepOption(OptionRow::InvertMouse, settings, 1, {}));
    // The sensitivity row keeps the inversion, and the switch back keeps the size.
    ASSERT_TRUE(stepOption(OptionRow::MouseSensitivity, settings, 1, {}));
    EXPECT_EQ(settings.mouseSensitivityY, -98);
    ASSERT_TRUE(stepOption(OptionRow::InvertMouse, settings, -1, {}));
    EXPECT_EQ(settings.mouseSensitivityY, 98);
    settings.mouseSensitivityY = 0; // no sign to flip
    EXPECT_FALSE(stepOption(OptionRow::InvertMouse, settings, 1, {}));
}

TEST(OptionRows, EveryNewRowSavesItsOwnKey)
{
    Settings settings;
    settings.renderScale = 80;
    settings.brightness = 150;
    settings.fieldOfView = 95;
    settings.pauseOnFocusLoss = 0;
    settings.captions = 1;
    const std::vector<std::pair<OptionRow, ConfigChange>> expected = {
        { OptionRow::RenderScale, { "Render_Scale", "80" } },
        { OptionRow::Brightness, { "Brightness", "150" } },
        { OptionRow::FieldOfView, { "Field_Of_View", "95" } },
        { OptionRow::PauseOnFocusLoss, { "Pause_On_Focus_Loss", "0" } },
        { OptionRow::Captions, { "Captions", "1" } },
    };
    for (const auto& [row, change] : expected) {
        EXPECT_EQ(optionConfigChanges(row, settings), std::vector<ConfigChange> { change }) << change.first;
        // Appended with a comment, as every key a first start writes.
        EXPECT_FALSE(settingComment(change.first).empty()) << change.first;
    }
}

TEST(OptionRows, TheListScrollsOnlyAsFarAsTheSelectionNeeds)
{
    EXPECT_EQ(scrolledFirstRow(0, 9, 16, 10), 0);
    EXPECT_EQ(scrolledFirstRow(0, 10, 16, 10), 1);
    EXPECT_EQ(scrolledFirstRow(0, 15, 16, 10), 6); // wrapped up to "Back"
    EXPECT_EQ(scrolledFirstRow(6, 7, 16, 10), 6);
    EXPECT_EQ(scrolledFirstRow(6, 5, 16, 10), 5);
    EXPECT_EQ(scrolledFirstRow(6, 0, 16, 10), 0); // wrapped down to the top
    EXPECT_EQ(scrolledFirstRow(3, 2, 8, 10), 0); // everything fits
}

TEST(OptionRows, MouseRowStepsBothAxesByOneFactorAndKeepsTheirSigns)
{
    Settings settings;
    settings.mouseSensitivityX = -100;
    settings.mouseSensitivityY = 150; // the player's own, steeper vertical axis
    EXPECT_EQ(optionRowText(OptionRow::MouseSensitivity, settings, {}), "Mouse Sensitivity: 100");
    ASSERT_TRUE(stepOption(OptionRow::MouseSensitivity, settings, 1, {}));
    EXPECT_EQ(settings.mouseSensitivityX, -110);
    EXPECT_EQ(settings.mouseSensitivityY, 165);
    EXPECT_EQ(optionConfigChanges(OptionRow::MouseSensitivity, settings),
        (std::vector<ConfigChange> { { "Mouse_Sensitivity_X", "-110" }, { "Mouse_Sensitivity_Y", "165" } }));
    settings.mouseSensitivityY = -55; // inverted, half as fast
    ASSERT_TRUE(stepOption(OptionRow::MouseSensitivity, settings, -1, {}));
    EXPECT_EQ(settings.mouseSensitivityX, -100);
    EXPECT_EQ(settings.mouseSensitivityY, -50);

    settings.mouseSensitivityX = 0; // the zero warning's case: up to the first step, Y as much
    settings.mouseSensitivityY = 100;
    EXPECT_TRUE(stepOption(OptionRow::MouseSensitivity, settings, 1, {}));
    EXPECT_EQ(settings.mouseSensitivityX, 10);
    EXPECT_EQ(settings.mouseSensitivityY, 110);
    settings.mouseSensitivityX = 400;
    EXPECT_FALSE(stepOption(OptionRow::MouseSensitivity, settings, 1, {}));
    EXPECT_EQ(settings.mouseSensitivityY, 110);
}

TEST(OptionRows, MouseRatioSurvivesTheScreensStepsToTheEndAndBack)
{
    const Settings saved = gSettings;
    gSettings.mouseSensitivityX = 100;
    gSettings.mouseSensitivityY = -155;
    OptionsMenu menu;
    menu.open();
    menu.keyHandler(MenuKey::Down); // "Mouse Sensitivity"
    for (int i = 0; i < 12; ++i)
        menu.keyHandler(MenuKey::Left); // held at 10
    EXPECT_EQ(gSettings.mouseSensitivityX, 10);
    EXPECT_EQ(gSettings.mouseSensitivityY, -16); // 15.5, rounded
    for (int i = 0; i < 9; ++i)
        menu.keyHandler(MenuKey::Right);
    EXPECT_EQ(gSettings.mouseSensitivityX, 100);
    EXPECT_EQ(gSettings.mouseSensitivityY, -155) << "rounding wore the ratio away";
    gSettings = saved;
    releaseTextResources(); // the rows were drawn with the font
}

TEST(OptionRows, ViewDistanceSaysWhenItWaitsForTheNextGameAndBackDoesNothing)
{
    Settings settings;
    settings.chunkViewDistance = 3;
    EXPECT_EQ(optionRowText(OptionRow::ViewDistance, settings, { 4, 2 }), "View Distance: 3 (next game)");
    EXPECT_EQ(optionRowText(OptionRow::ViewDistance, settings, { 4, 3 }), "View Distance: 3");
    EXPECT_EQ(optionConfigChanges(OptionRow::ViewDistance, settings),
        (std::vector<ConfigChange> { { "Chunk_View_Distance", "3" } }));
    EXPECT_EQ(optionRowText(OptionRow::Back, settings, {}), "Back");
    EXPECT_FALSE(stepOption(OptionRow::Back, settings, 1, {}));
    EXPECT_TRUE(optionConfigChanges(OptionRow::Back, settings).empty());
}
