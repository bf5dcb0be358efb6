// The player walked, jumped and ran through the real window, and was heard:
// OpenAL's wave-file device records everything the game plays. With the
// ambience off, what the recording holds while the world is shown is the
// player's own footsteps, whose pace follows his speed.
#include "GameTest.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

#include "Recording.h"

using namespace recording;

TEST_F(GameTest, WalkingJumpingAndRunningAreHeard)
{
    writeConfig(smallConfig({ { "Ambient_Sounds", "0" } }));
    const std::filesystem::path wav = folder() / "heard.wav";
    launchRecording(wav);
    ASSERT_TRUE(waitForMenu());

    // Two menu clicks a known time apart tie the recording's clock to ours.
    const auto start = std::chrono::steady_clock::now();
    auto now
        = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    const double firstFrom = now();
    press("Down");
    const double firstClick = (firstFrom + now()) / 2;
    std::this_thread::sleep_for(1500ms);
    const double secondFrom = now();
    press("Up");
    const double secondClick = (secondFrom + now()) / 2;
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(startPlaying());
    std::this_thread::sleep_for(2s); // land and stand

    auto hold = [&](const std::vector<std::string>& keys, std::chrono::milliseconds time) {
        const double from = now();
        for (const auto& key : keys)
            EXPECT_TRUE(screen.keyDown(key));
        std::this_thread::sleep_for(time);
        for (const auto& key : keys)
            EXPECT_TRUE(screen.keyUp(key));
        const double to = now();
        // The last sound ends and the body stops; a slow software renderer can
        // take over a second to show the frame that reads the release.
        std::this_thread::sleep_for(3500ms);
        return std::make_pair(from, to);
    };
    const double standFrom = now();
    std::this_thread::sleep_for(2s);
    const double standTo = now();
    const auto walk = hold({ "w" }, 3500ms);
    const auto jump = hold({ "space" }, 3500ms);
    const auto run = hold({ "Shift_L", "w" }, 6000ms);

    press("Escape");
    std::this_thread::sleep_for(1s);
    press("Up"); // "Quit", the last entry
    press("Return");
    ASSERT_EQ(finish(), 0);

    const std::vector<float> env = envelope(wav);
    const std::vector<double> starts = bursts(env);
    // The clicks are the two bursts as far apart as they were pressed.
    double shift = NAN;
    for (size_t i = 0; i + 1 < starts.size() && std::isnan(shift); ++i) {
        if (std::fabs((starts[i + 1] - starts[i]) - (secondClick - firstClick)) < 0.25)
            shift = starts[i + 1] - secondClick;
    }
    ASSERT_FALSE(std::isnan(shift)) << "the menu clicks were not recorded";
    // Our clock and the recording's agree to within a tenth of a second or so;
    // every window leaves them 0.3 s.
    auto heard = [&](double from, double to) { return countIn(starts, from + shift, to + shift); };
    // On failure: the bursts on the test's clock, and when each control was held.
    std::ostringstream timeline;
    for (double t : starts)
        timeline << " " << std::fixed << std::setprecision(2) << t - shift;
    timeline << "\nwalk " << walk.first << ".." << walk.second << " jump " << jump.first << ".."
             << jump.second << " run " << run.first << ".." << run.second;
    SCOPED_TRACE("bursts:" + timeline.str());

    EXPECT_EQ(heard(standFrom, standTo - 0.3), 0u) << "standing still is silent";
    // The game reads keys once a frame, so everything it does comes late by up to a
    // frame or two; the first footstep tells by how much (at most 2 s is allowed).
    double lag = 0;
    for (double t : starts) {
        if (t - shift >= walk.first - 0.3) {
            lag = std::clamp(t - shift - walk.first, 0.0, 2.0);
            break;
        }
    }
    timeline << "\ninput lag " << lag;
    SCOPED_TRACE(timeline.str());
    // Walking: a footstep about every 0.42 s.
    EXPECT_GE(heard(walk.first - 0.3, walk.second + lag + 0.3), 4u);
    EXPECT_LE(heard(walk.first - 0.3, walk.second + lag + 0.3), 10u);
    EXPECT_EQ(heard(walk.second + lag + 0.5, jump.first - 0.3), 0u) << "stopped walking";
    // Holding Space without walking: a take-off is heard (standing still is not).
    EXPECT_GE(heard(jump.first - 0.3, jump.second + lag + 0.3), 1u);
    EXPECT_EQ(heard(jump.second + lag + 1.0, run.first - 0.3), 0u) << "stopped jumping";
    // Running: footsteps come faster than walking (0.35 s against 0.42 s apart).
    // The median gap: one step the burst reader misses (two steps heard as one, or a
    // quiet one) doubles a single gap and must not decide the comparison.
    auto medianGap = [&](double from, double to) {
        std::vector<double> in;
        for (double t : starts) {
            if (t >= from + shift && t < to + shift)
                in.push_back(t);
        }
        if (in.size() < 3)
            return 0.0;
        std::vector<double> gaps;
        for (size_t i = 1; i < in.size(); ++i)
            gaps.push_back(in[i] - in[i - 1]);
        std::nth_element(gaps.begin(), gaps.begin() + long(gaps.size() / 2), gaps.end());
        return gaps[gaps.size() / 2];
    };
    const double walking = medianGap(walk.first + lag + 0.5, walk.second + lag);
    const double running = medianGap(run.first + lag + 0.5, run.first + lag + 5.0);
    EXPECT_GT(walking, 0.0);
    EXPECT_GT(running, 0.0);
    EXPECT_LT(running, walking * 0.93) << "running " << running << " s, walking " << walking << " s";
}
