// The real game started on damaged data files and on nonsense settings. A
// damaged file may cost a picture or a sound, or end the game with its
// documented exit code, but never a signal, a sanitizer report or a hang.
#include "GameTest.h"

#include <fstream>
#include <random>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string randomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random() & 0xff);
    return bytes;
}

std::vector<std::string> dataFiles(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSSGRAVE_RUN_DIR) / folder))
        names.push_back(folder + "/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The three ways a file is damaged, taken in turn over a folder's files so
// every kind of damage reaches every kind of file over the tests.
std::string damaged(const std::string& name, int way)
{
    const std::string whole = contentsOf(fs::path(MOSSGRAVE_RUN_DIR) / name);
    switch (way % 3) {
    case 0:
        return whole.substr(0, whole.size() / 2);
    case 1:
        return "";
    default:
        return randomBytes(std::max<size_t>(whole.size(), 64), unsigned(name.size() * 7919 + way));
    }
}

class DamagedData : public GameTest {
protected:
    void damageFolder(const std::string& folder, int firstWay)
    {
        int way = firstWay;
        for (const auto& name : dataFiles(folder))
            replaceData(name, damaged(name, way++));
    }
    // Ended by itself or by the test, the game must not have died of a signal
    // or left a sanitizer report.
    void expectCleanEnd(int code, int expected)
    {
        EXPECT_EQ(code, expected) << err();
        // 255 is the documented -1 of a window that cannot be opened.
        const bool signalled = game.exitCode() >= 128 && game.exitCode() != 255;
        EXPECT_FALSE(signalled) << "ended by signal " << game.exitCode() - 128;
        EXPECT_EQ(err().find("Sanitizer"), std::string::npos) << err();
        EXPECT_EQ(err().find("runtime error"), std::string::npos) << err();
    }
    // Plays a few seconds, walking and looking, then quits from the pause menu.
    void playBrieflyAndQuit()
    {
        ASSERT_TRUE(startPlaying());
        EXPECT_TRUE(screen.keyDown("w"));
        std::this_thread::sleep_for(1500ms);
        EXPECT_TRUE(screen.keyUp("w"));
        press("space");
        press("f");
        std::this_thread::sleep_for(1000ms);
        press("Escape");
        std::this_thread::sleep_for(500ms);
        press("Up"); // "Quit", the last entry
        press("Return");
    }
};

TEST_F(DamagedData, EveryDamagedSoundEndsStartUpWithItsMessage)
{
    // Every sound is required: a damaged one ends start-up with exit code 1,
    // whether the sound device works or is missing.
    writeConfig(smallConfig());
    const auto sounds = dataFiles("sounds");
    for (int way : { 0, 1, 2 }) {
        const std::string& name = sounds[size_t(way * 11) % sounds.size()];
        SCOPED_TRACE(name + ", damage " + std::to_string(way));
        replaceData(name, damaged(name, way));
        if (way == 1)
            launch();
        else
            launchRecording(folder() / "heard.wav");
        expectCleanEnd(finish(), 1);
        EXPECT_NE(err().find("failed to load sound!"), std::string::npos) << err();
        replaceData(name, contentsOf(fs::path(MOSSGRAVE_RUN_DIR) / name));
        if (HasFailure())
            return;
    }
}

TEST_F(DamagedData, DamagedMeshesLeaveTheGamePlayable)
{
    writeConfig(smallConfig());
    damageFolder("models", 0);
    launch();
    ASSERT_TRUE(waitForMenu());
    playBrieflyAndQuit();
    expectCleanEnd(finish(), 0);
}

TEST_F(DamagedData, DamagedShaderFilesLeaveTheGameRunning)
{
    writeConfig(smallConfig());
    damageFolder("shader", 1);
    launch();
    ASSERT_TRUE(waitForWindow());
    ASSERT_TRUE(waitForOutput("Waiting for world to be loaded!"));
    // Nothing may draw usefully without programs; the keys still work.
    press("Escape");
    expectCleanEnd(finish(), 0);
}

TEST_F(DamagedData, DamagedBlockTexturesAreRefusedAndTheWorldStillLoads)
{
    writeConfig(smallConfig());
    int way = 0;
    for (const char* name : { "textures/grass.png", "textures/dirt.png", "textures/sand.png" })
        replaceData(name, damaged(name, way++));
    launch();
    ASSERT_TRUE(waitForMenu());
    playBrieflyAndQuit();
    expectCleanEnd(finish(), 0);
    EXPECT_NE(err().find("failed to load texture "), std::string::npos) << err();
}

TEST_F(DamagedData, EveryDamagedModelTextureEndsTheGameWithItsMessage)
{
    // Model textures are required: each damage ends start-up with exit code 1.
    for (int way : { 0, 1, 2 }) {
        SCOPED_TRACE("damage " + std::to_string(way));
        replaceData("textures/cat.png", damaged("textures/cat.png", way));
        launch();
        expectCleanEnd(finish(), 1);
        EXPECT_NE(out().find("Texture Loader: Loading Texture Failed 5 textures/cat.png"), std::string::npos)
            << out();
        if (HasFailure())
            return;
    }
}

TEST_F(DamagedData, SettingsOfNonsenseKeepTheGameGoing)
{
    // Every key but the sample count (whose nonsense is a documented fatal
    // exit) given words, negative and absurdly large numbers at once.
    for (const auto& value : { std::string("garbage"), std::string("-99999"), std::string("2147483647") }) {
        SCOPED_TRACE("every value " + value);
        std::map<std::string, std::string> changes;
        for (const char* key : { "Fullscreen", "Width", "Height", "Window_Border", "Anisotropic_Filtering",
                 "Vsync", "Shadowmap_Factor", "Show_FPS", "Ambient_Sounds", "Sound_Effects", "Volume",
                 "Mouse_Sensitivity_X", "Mouse_Sensitivity_Y", "Threads", "Chunk_View_Distance",
                 "Max_Memory(MB)", "World_Random_Seed" })
            changes[key] = value;
        // The window must fit the test's screen to be driven at all.
        changes["Fullscreen"] = "0";
        changes["Width"] = "640";
        changes["Height"] = "360";
        writeConfig(smallConfig(changes));
        launch();
        ASSERT_TRUE(waitForMenu()) << err();
        press("Return");
        std::this_thread::sleep_for(3s);
        // Escape quits a loading screen that is still up, or pauses the game
        // that has started, which then quits from its menu.
        press("Escape");
        if (!game.waitExit(5s)) {
            press("Up"); // "Quit", the last entry
            press("Return");
        }
        expectCleanEnd(finish(), 0);
        if (HasFailure())
            return;
    }
}

TEST_F(DamagedData, AWindowSizeOfNonsenseIsAStartUpFailureNotASignal)
{
    // A word reads as zero, and no window of zero size opens: the documented
    // exit of a window that cannot be opened (-1).
    writeConfig(smallConfig({ { "Width", "garbage" }, { "Height", "garbage" } }));
    launch();
    expectCleanEnd(finish(), 255);

    // Negative and absurd sizes would abort inside the window library or
    // the GL driver: the game takes the screen's size instead and runs.
    for (const char* value : { "-5", "2147483647" }) {
        SCOPED_TRACE(std::string("size ") + value);
        writeConfig(smallConfig({ { "Width", value }, { "Height", value } }));
        launch();
        ASSERT_TRUE(waitForMenu()) << err();
        EXPECT_EQ(area.width, 1280);
        EXPECT_EQ(area.height, 720);
        EXPECT_NE(err().find("Warning, window size out of range! Using 1280 x 720"), std::string::npos);
        press("Escape");
        expectCleanEnd(finish(), 0);
        if (HasFailure())
            return;
    }
}

} // namespace
