#pragma once

#include <array>
#include <functional>
#include <string>

// Shown one at a time while the world loads, changed every two seconds.
extern const std::array<const char*, 15> loadingMessages;

// Index of the message for a random fraction from 0 to 1.
int loadingMessageIndex(float random);

// What the loading screen drives: the loading bar, the window and the world.
class LoadingView {
public:
    virtual ~LoadingView() = default;
    virtual void pollEvents() = 0;
    virtual bool shouldClose() = 0;
    virtual bool isLoaded() = 0;
    virtual float loadingProgress() = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void setShowProgress(bool show) = 0;
    virtual void setProgress(float progress) = 0;
    // Clears to black, draws the loading background and bar, swaps.
    virtual void present() = 0;
};

enum class LoadingResult {
    Loaded,
    Closed, // the window was asked to close; the game ends
};

// Runs the loading screen until the world reports it has loaded or the
// window is closed. The main loop is suspended meanwhile; events are polled
// here so Escape and the close button still work.
LoadingResult runLoadingScreen(
    LoadingView& view, const std::function<double()>& clock, const std::function<float()>& random);
