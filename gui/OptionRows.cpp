#include "gui/OptionRows.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The values a row offers, smallest first.
std::vector<int> choices(OptionRow row, const OptionContext& context)
{
    auto range = [](int first, int last, int step) {
        std::vector<int> values;
        for (int v = first; v <= last; v += step)
            values.push_back(v);
        return values;
    };
    switch (row) {
    case OptionRow::ViewDistance:
        return range(0, 4, 1);
    case OptionRow::MouseSensitivity:
        return range(10, 400, 10);
    case OptionRow::Volume:
        return range(0, 10, 1);
    case OptionRow::ShadowQuality:
        return range(1, 10, 1);
    case OptionRow::RenderScale: {
        std::vector<int> values = range(50, 100, 10);
        values.insert(values.begin(), 0); // automatic
        return values;
    }
    case OptionRow::Brightness:
        return range(50, 200, 10);
    case OptionRow::FieldOfView:
        return range(50, 100, 5);
    case OptionRow::AntiAliasing: {
        std::vector<int> values;
        for (int factor : { 1, 2, 4, 8, 16 })
            if (factor == 1 || factor <= context.maxSamples)
                values.push_back(factor);
        return values;
    }
    case OptionRow::Controls:
    case OptionRow::Back:
        return {};
    default: // the switches
        return { 0, 1 };
    }
}

bool isSwitch(OptionRow row)
{
    return row == OptionRow::AmbientSounds || row == OptionRow::SoundEffects || row == OptionRow::Fullscreen
        || row == OptionRow::Vsync || row == OptionRow::InvertMouse || row == OptionRow::PauseOnFocusLoss
        || row == OptionRow::Captions;
}

// The value as the row shows it: switches are on when non-zero, the mouse
// row shows the magnitude (a negative value only inverts the axis), Invert
// Mouse is on while the y sensitivity is negative.
int shownValue(OptionRow row, int value)
{
    if (row == OptionRow::InvertMouse)
        return value < 0 ? 1 : 0;
    if (isSwitch(row))
        return value != 0 ? 1 : 0;
    if (row == OptionRow::MouseSensitivity)
        return std::abs(value);
    return value;
}

int withSignOf(int sign, int magnitude)
{
    return sign < 0 ? -magnitude : magnitude;
}

} // namespace

int* settingOf(OptionRow row, Settings& settings)
{
    switch (row) {
    case OptionRow::ViewDistance:
        return &settings.chunkViewDistance;
    case OptionRow::MouseSensitivity:
        return &settings.mouseSensitivityX;
    case OptionRow::Volume:
        return &settings.volume;
    case OptionRow::AmbientSounds:
        return &settings.ambientSounds;
    case OptionRow::SoundEffects:
        return &settings.soundEffects;
    case OptionRow::Fullscreen:
        return &settings.fullscreen;
    case OptionRow::Vsync:
        return &settings.vsync;
    case OptionRow::AntiAliasing:
        return &settings.antiAliasingFactor;
    case OptionRow::ShadowQuality:
        return &settings.shadowmapFactor;
    case OptionRow::RenderScale:
        return &settings.renderScale;
    case OptionRow::Brightness:
        return &settings.brightness;
    case OptionRow::FieldOfView:
        return &settings.fieldOfView;
    case OptionRow::InvertMouse:
        return &settings.mouseSensitivityY;
    case OptionRow::PauseOnFocusLoss:
        return &settings.pauseOnFocusLoss;
    case OptionRow::Captions:
        return &settings.captions;
    case OptionRow::Controls:
    case OptionRow::Back:
        break;
    }
    return nullptr;
}

std::string optionRowText(OptionRow row, const Settings& settings, const OptionContext& context)
{
    static const char* const labels[] = { "View Distance", "Mouse Sensitivity", "Volume", "Ambient Sounds",
        "Sound Effects", "Fullscreen", "Vsync", "Anti-Aliasing", "Shadow Quality", "Render Scale", "Brightness",
        "Field of View", "Invert Mouse", "Pause on Focus Loss", "Captions" };
    if (row == OptionRow::Back)
        return "Back";
    if (row == OptionRow::Controls)
        return "Controls";
    Settings copy = settings;
    const int value = shownValue(row, *settingOf(row, copy));
    std::string text = std::string(labels[int(row)]) + ": ";
    if (isSwitch(row))
        text += value != 0 ? "On" : "Off";
    else if (row == OptionRow::RenderScale && value == 0)
        text += "Auto";
    else
        text += std::to_string(value);
    if (row == OptionRow::ViewDistance && context.runningViewDistance >= 0 && context.runningViewDistance != value)
        text += " (next game)";
    return text;
}

bool stepOption(OptionRow row, Settings& settings, int direction, const OptionContext& context)
{
    int* setting = settingOf(row, settings);
    if (!setting || direction == 0)
        return false;
    const int current = shownValue(row, *setting);
    const std::vector<int> values = choices(row, context);
    // The nearest offered value beyond the current one: a value the file set
    // between or outside the steps moves onto them; at an end nothing moves.
    int next = current;
    if (direction > 0) {
        const auto above = std::upper_bound(values.begin(), values.end(), current);
        if (above != values.end())
            next = *above;
    } else {
        const auto below = std::lower_bound(values.begin(), values.end(), current);
        if (below != values.begin())
            next = *(below - 1);
    }
    if (next == current)
        return false;
    if (row == OptionRow::InvertMouse) {
        // Only the sign flips; an axis at 0 has none to flip.
        if (settings.mouseSensitivityY == 0)
            return false;
        settings.mouseSensitivityY = withSignOf(next != 0 ? -1 : 1, std::abs(settings.mouseSensitivityY));
    } else if (row == OptionRow::MouseSensitivity) {
        const int y = std::abs(settings.mouseSensitivityY);
        double ratio = context.mouseYPerX;
        if (ratio < 0.0 && current > 0)
            ratio = double(y) / double(current);
        const int nextY = ratio >= 0.0 ? int(std::lround(ratio * next)) : std::max(0, y + next - current);
        settings.mouseSensitivityX = withSignOf(settings.mouseSensitivityX, next);
        settings.mouseSensitivityY = withSignOf(settings.mouseSensitivityY, nextY);
    } else {
        *setting = next;
    }
    return true;
}
