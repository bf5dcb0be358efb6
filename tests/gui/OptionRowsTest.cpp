// The Options screen's rows: stepping held at the ends, values from the file
// that lie between or beyond the steps, the texts, and the keys saved.
#include "app/OptionsApply.h"
#include "gui/OptionRows.h"
#include "gui/GuiText.h"
#include "gui/OptionsMenu.h"

#include <GLFW/glfw3.h>

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
        StepCase { OptionRow::AntiAliasing, 1, -1, 1, "Anti-Aliasing: 1" }));

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
    menu.keyHandler(GLFW_KEY_DOWN); // "Mouse Sensitivity"
    for (int i = 0; i < 12; ++i)
        menu.keyHandler(GLFW_KEY_LEFT); // held at 10
    EXPECT_EQ(gSettings.mouseSensitivityX, 10);
    EXPECT_EQ(gSettings.mouseSensitivityY, -16); // 15.5, rounded
    for (int i = 0; i < 9; ++i)
        menu.keyHandler(GLFW_KEY_RIGHT);
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
