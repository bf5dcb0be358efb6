#pragma once

#include "base/Settings.h"

#include <string>
#include <vector>

// The rows of the Options screen, top to bottom, and the rules that step
// their values. Each row edits the running settings; the game applies the
// change and, when the screen is left, saves the rows' keys to config.txt.
enum class OptionRow {
    ViewDistance,
    MouseSensitivity,
    Volume,
    AmbientSounds,
    SoundEffects,
    Fullscreen,
    Vsync,
    AntiAliasing,
    ShadowQuality,
    RenderScale,
    Brightness,
    FieldOfView,
    InvertMouse,
    PauseOnFocusLoss,
    Captions,
    Controls, // opens the Controls screen
    Back,
};

inline constexpr int kOptionRowCount = 17;

// What a row's text depends on beyond the settings.
struct OptionContext {
    int maxSamples = 16; // the largest multisample count the graphics hardware allows
    int runningViewDistance = -1; // of the world being played; -1 before the first game
    // |Y| / |X| mouse sensitivity as the Options screen found them, kept while it steps
    // them so rounding never wears the ratio away; below 0: taken from the settings.
    double mouseYPerX = -1.0;
};

// "Label: value", or "Back". View distance adds " (next game)" while it
// differs from the running world's.
std::string optionRowText(OptionRow row, const Settings& settings, const OptionContext& context);

// Steps the row's value one place down (direction < 0) or up, held at the
// ends of its range. False when the value did not change. The mouse row steps
// X's magnitude and scales Y's by the same factor, keeping their ratio and
// each axis's sign (with X at 0 there is no ratio: Y moves by as much as X).
bool stepOption(OptionRow row, Settings& settings, int direction, const OptionContext& context);

// The setting a row edits (for the mouse row, the x sensitivity; for Invert
// Mouse, the y sensitivity, whose sign it flips); null for Controls and Back.
int* settingOf(OptionRow row, Settings& settings);
