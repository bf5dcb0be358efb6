// Items used through the real window: dynamite thrown at the ground blows a
// crater after its fuse, seen in the picture, in the ground's height where it
// went off, and heard in the recording.
#include "GameTest.h"
#include "Recording.h"

#include <sstream>
#include <thread>

namespace {

// The values after `key` on the last line of standard output that starts with `prefix`.
std::vector<float> lastValues(const std::string& out, const std::string& prefix, const std::string& key)
{
    std::istringstream in(out);
    std::string line, found;
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) == 0 && line.find(key) != std::string::npos)
            found = line;
    }
    std::vector<float> values;
    if (found.empty())
        return values;
    std::istringstream fields(found.substr(found.find(key) + key.size()));
    float v;
    while (fields >> v)
        values.push_back(v);
    return values;
}

} // namespace

TEST_F(GameTest, ThrownDynamiteBlowsACrater)
{
    writeConfig(smallConfig({ { "Ambient_Sounds", "0" } }));
    const std::filesystem::path wav = folder() / "explosion.wav";
    launchRecording(wav, { "--log-player", "--start-at", "32", "32", "--give", "dynamite", "3" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    std::this_thread::sleep_for(3s); // landed, the dynamite in hand

    // Look well down at the ground in front and throw.
    screen.moveMouseBy(0, 300);
    std::this_thread::sleep_for(2s);
    const Picture before = shot("before");
    const size_t heardBefore = recording::bursts(recording::envelope(wav), 0.1f).size();
    ASSERT_TRUE(screen.mouseDown(1));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(screen.mouseUp(1));

    // The fuse burns 3 s; the crater's edit and its new faces follow within moments.
    ASSERT_TRUE(waitForOutput("Explosion: ", 30s)) << out();
    std::vector<float> where = lastValues(out(), "Explosion: ", "Explosion: ");
    ASSERT_EQ(where.size(), 3u) << out();
    const std::vector<float> groundBefore = lastValues(out(), "Explosion: ", "ground ");
    ASSERT_EQ(groundBefore.size(), 1u);
    float groundAfter = groundBefore[0];
    waitUntil(
        [&] {
            const auto now = lastValues(out(), "Player: ", "ground at explosion ");
            if (!now.empty())
                groundAfter = now[0];
            return groundAfter < groundBefore[0] - 1.5f;
        },
        30s);
    EXPECT_LT(groundAfter, groundBefore[0] - 1.5f)
        << "the ground at " << where[0] << " " << where[2] << " went from " << groundBefore[0] << " to "
        << groundAfter;
    std::this_thread::sleep_for(2s);
    const Picture after = shot("after");
    EXPECT_GT(pixels::difference(before, after), 0.02) << "the crater shows";

    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    ASSERT_EQ(finish(), 0);
    // The explosion is the loudest thing the recording holds after the throw.
    const std::vector<double> loud = recording::bursts(recording::envelope(wav), 0.1f);
    EXPECT_GT(loud.size(), heardBefore) << "the explosion was heard";
}
