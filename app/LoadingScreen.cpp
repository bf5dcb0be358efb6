#include "app/LoadingScreen.h"

const std::array<const char*, 15> loadingMessages = {
    "Planting Trees",
    "Fixing Bugs",
    "Compiling Code",
    "Making Coffee",
    "Installing Windows Vista",
    "Adding Cats",
    "Painting Walls",
    "Watering Plants",
    "Downloading Music",
    "Reporting to NSA",
    "Indexing Harddrive",
    "Taking a Nap",
    "Ordering Pizza",
    "Loading Level",
    "Hiding Easteregg",
};

int loadingMessageIndex(float random)
{
    const int index = int(random * 14.999f);
    // A fraction outside 0..1 must still name a message.
    return index < 0 ? 0 : (index > 14 ? 14 : index);
}

namespace {

void showText(LoadingView& view, const char* text, bool showProgress)
{
    view.setText(text);
    view.setShowProgress(showProgress);
    view.present();
}

} // namespace

LoadingResult runLoadingScreen(
    LoadingView& view, const std::function<double()>& clock, const std::function<float()>& random)
{
    showText(view, "Initializing", false);

    view.setText(loadingMessages[size_t(loadingMessageIndex(random()))]);
    view.setShowProgress(true);
    double shownAt = clock();

    while (!view.isLoaded()) {
        view.pollEvents();
        if (view.shouldClose()) {
            showText(view, "Closing Game... :(", false);
            return LoadingResult::Closed;
        }
        view.setProgress(view.loadingProgress());
        if (clock() - shownAt > 2000.0) {
            view.setText(loadingMessages[size_t(loadingMessageIndex(random()))]);
            shownAt = clock();
        }
        view.present();
    }

    showText(view, "Generating Objects", false);
    return LoadingResult::Loaded;
}
