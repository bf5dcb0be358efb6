#pragma once

#include "gui/GuiObject.h"

// The loading screen's line: a message and, when shown, the loaded share as
// a percentage ("Planting Trees 45.7%").
class LoadingBar : public GuiObject {
public:
    LoadingBar();

    void setText(const std::string& value);
    void setProgress(float fraction);
    void setShowProgress(bool flag);

    // The line as it is drawn.
    std::string line() const { return loadingBarText(text, progress, showProgress); }

    std::string text = "Initializing";
    float progress = 0.0f;
    bool showProgress = false;

private:
    void render();
};
