#include "app/LoadingScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records every picture the loading screen presents; the world loads after
// `loadAfter` polls and the window closes after `closeAfter` polls.
struct FakeLoadingView : LoadingView {
    int polls = 0;
    int loadAfter = 1 << 30;
    int closeAfter = 1 << 30;
    double* clock = nullptr;
    double msPerPoll = 0.0;
    std::string text;
    bool showProgress = false;
    float progress = -1.0f;
    struct Frame {
        std::string text;
        bool showProgress;
        float progress;
    };
    std::vector<Frame> frames;

    void pollEvents() override
    {
        ++polls;
        if (clock)
            *clock += msPerPoll;
    }
    bool shouldClose() override { return polls >= closeAfter; }
    bool isLoaded() override { return polls >= loadAfter; }
    float loadingProgress() override { return std::min(1.0f, polls / 10.0f); }
    void setText(const std::string& t) override { text = t; }
    void setShowProgress(bool show) override { showProgress = show; }
    void setProgress(float p) override { progress = p; }
    void present() override { frames.push_back({ text, showProgress, progress }); }
};

bool isMessage(const std::string& text)
{
    return std::any_of(
        loadingMessages.begin(), loadingMessages.end(), [&](const char* m) { return text == m; });
}

TEST(LoadingScreen, MessageIndexCoversTheFifteenMessages)
{
    EXPECT_EQ(loadingMessageIndex(0.0f), 0);
    EXPECT_EQ(loadingMessageIndex(0.5f), 7);
    EXPECT_EQ(loadingMessageIndex(1.0f), 14);
    EXPECT_EQ(loadingMessageIndex(1.0f / 15.0f), 0); // 0.9999 of the way to 1
    EXPECT_EQ(loadingMessageIndex(-0.5f), 0);
    EXPECT_EQ(loadingMessageIndex(7.0f), 14);
    EXPECT_STREQ(loadingMessages[4], "Installing Windows Vista");
    EXPECT_STREQ(loadingMessages[14], "Hiding Easteregg");
}

TEST(LoadingScreen, ShowsProgressWithAMessageThenGeneratingObjects)
{
    double time = 0.0;
    FakeLoadingView view;
    view.loadAfter = 5;
    view.clock = &time;
    view.msPerPoll = 10.0;
    EXPECT_EQ(runLoadingScreen(
                  view, [&] { return time; }, [] { return 0.2f; }),
        LoadingResult::Loaded);

    ASSERT_EQ(view.frames.size(), 7u); // Initializing, five loading frames, Generating Objects
    EXPECT_EQ(view.frames.front().text, "Initializing");
    EXPECT_FALSE(view.frames.front().showProgress);
    for (size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(view.frames[i].text, "Compiling Code");
        EXPECT_TRUE(view.frames[i].showProgress);
        EXPECT_FLOAT_EQ(view.frames[i].progress, float(i) / 10.0f);
    }
    EXPECT_EQ(view.frames.back().text, "Generating Objects");
    EXPECT_FALSE(view.frames.back().showProgress);
}

TEST(LoadingScreen, MessageChangesAfterTwoSeconds)
{
    double time = 0.0;
    FakeLoadingView view;
    view.loadAfter = 60;
    view.clock = &time;
    view.msPerPoll = 100.0;
    std::vector<float> draws = { 0.0f, 0.1f, 0.2f, 0.3f };
    size_t next = 0;
    runLoadingScreen(
        view, [&] { return time; }, [&] { return draws[std::min(next++, draws.size() - 1)]; });

    std::vector<std::string> shown;
    for (const auto& f : view.frames)
        if (isMessage(f.text) && (shown.empty() || shown.back() != f.text))
            shown.push_back(f.text);
    // 6 s of loading: the first message and one new one every time 2 s have passed.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "Planting Trees");
    EXPECT_EQ(shown[1], "Fixing Bugs");
    EXPECT_EQ(shown[2], "Compiling Code");
    // The first change comes with the first frame more than 2000 ms after the start.
    int framesOfFirst = int(std::count_if(
        view.frames.begin(), view.frames.end(), [](const auto& f) { return f.text == "Planting Trees"; }));
    EXPECT_EQ(framesOfFirst, 20);
}

TEST(LoadingScreen, ClosingTheWindowEndsItAtOnce)
{
    FakeLoadingView view;
    view.closeAfter = 3;
    EXPECT_EQ(runLoadingScreen(
                  view, [] { return 0.0; }, [] { return 0.0f; }),
        LoadingResult::Closed);
    EXPECT_EQ(view.polls, 3);
    EXPECT_EQ(view.frames.back().text, "Closing Game... :(");
    EXPECT_FALSE(view.frames.back().showProgress);
}

TEST(LoadingScreen, AWorldAlreadyLoadedSkipsTheWait)
{
    FakeLoadingView view;
    view.loadAfter = 0;
    EXPECT_EQ(runLoadingScreen(
                  view, [] { return 0.0; }, [] { return 0.0f; }),
        LoadingResult::Loaded);
    EXPECT_EQ(view.polls, 0);
    ASSERT_EQ(view.frames.size(), 2u);
    EXPECT_EQ(view.frames[1].text, "Generating Objects");
}

} // namespace
