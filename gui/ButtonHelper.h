#pragma once

#include "gui/GuiObject.h"

#include <array>
#include <memory>
#include <string>

// The mouse-button hint below the crosshair: which button to press (0 left,
// 1 right), blinking to an empty mouse every 0.7 s. A hint lasts a given
// time or, with time -1, until it is cleared.
class ButtonHelper : public GuiObject {
public:
    static constexpr float BLINK_INTERVAL = 0.7f;

    ButtonHelper();
    ~ButtonHelper() override;

    // Shows `button` (0 or 1; -1 hides) for `seconds` (-1: until cleared).
    void setHint(int button, float seconds);
    // What hint 0 (use) or 1 (activate) shows once the player moved that control:
    // the picture of mouse button 0 or 1, or, for any other `mouseButton` (-1: a
    // key), `keyName` in text.
    void showHintAs(int hint, int mouseButton, const std::string& keyName);
    // Hides a hint without a time limit; timed hints run on. The world
    // calls this every step before it sets the interaction hint again.
    void clearUnlimitedHint();

    void update(float dt) override;
    void draw() override;

    // The picture on show: the left or right button, the empty mouse, or
    // nullptr when no hint is shown.
    GuiObject* currentImage() const;

    int hint = -1;
    float hintTime = -1.0f;
    bool blink = false;
    float blinkTimer = 0.0f;

    std::unique_ptr<GuiObject> leftImage;
    std::unique_ptr<GuiObject> rightImage;
    std::unique_ptr<GuiObject> noButtonImage;
    std::array<int, 2> hintButton { 0, 1 }; // the mouse button each hint shows
    std::array<std::unique_ptr<GuiObject>, 2> hintKey; // the key's name when it shows none
};
