#include "app/Config.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What a first run writes when the largest monitor mode is 1920 x 1080.
const std::string FULL_FILE
    = "Fullscreen=1\n"
      "Width=1920\n"
      "Height=1080\n"
      "Window_Border=1\n"
      "Anti-Aliasing_Factor=8     # Valid values: 1,2,4,8,16\n"
      "Anisotropic_Filtering=8    # Range: 1-16\n"
      "Vsync=1                    # Limit FPS to 60\n"
      "Shadowmap_Factor=1         # Shadow Quality: Range 1-10, a value higher than 1 is "
      "not really needed\n"
      "Show_FPS=0                 # Show FPS counter in the corner\n"
      "Ambient_Sounds=1           # Enable background ambient sounds\n"
      "Sound_Effects=1            # Enable sound effects\n"
      "Volume=10                  # Range: 1-10\n"
      "Mouse_Sensitivity_X=100    # Mouse Sensitivity in X Direction, negate to invert\n"
      "Mouse_Sensitivity_Y=100    # Mouse Sensitivity in Y Direction, negate to invert\n"
      "Threads=8                  # Should be the same as number of cores of the CPU\n"
      "Chunk_View_Distance=2      # Set to 1 to improve performance\n"
      "Max_Memory(MB)=2048        # Maximum approximated memory the game will consume "
      "before chunks are unloaded\n"
      "World_Random_Seed=-1       # Random seed used by the world generator, set to -1 "
      "for a random seed\n";

const std::vector<VideoMode> MODES { { 640, 480 }, { 1920, 1080 } };

// The text the stream library gives a failure at the end of a file.
std::string endOfFileMessage()
{
    std::istringstream empty;
    empty.exceptions(std::ios::failbit);
    try {
        std::string word;
        empty >> word;
    } catch (const std::ios_base::failure& e) {
        return e.what();
    }
    return "";
}

struct Outcome {
    ConfigResult result;
    std::string out, err, file;
    Settings settings;
};

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("mossgrave_config_" + std::to_string(getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path path() const { return dir / "config.txt"; }

    void write(const std::string& content) const { std::ofstream(path(), std::ios::binary) << content; }

    // Runs the reader over the file as it is now (or first writes content).
    Outcome load(const std::optional<std::string>& content = std::nullopt,
        const std::vector<VideoMode>& modes = MODES) const
    {
        if (content)
            write(*content);
        std::ostringstream out, err;
        Outcome r;
        r.result = Config(out, err).loadSettings(modes, r.settings, path().string());
        r.out = out.str();
        r.err = err.str();
        std::ifstream in(path(), std::ios::binary);
        r.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return r;
    }

    fs::path dir;
};

TEST_F(ConfigTest, FirstRunWritesEveryKeyWithDefaultsAndSecondRunReadsThem)
{
    const Outcome first = load();
    ASSERT_EQ(first.result, ConfigResult::Ok);
    EXPECT_EQ(first.file, FULL_FILE);
    EXPECT_EQ(first.err, "");
    const std::string notFound = endOfFileMessage() + "\nKey '";
    EXPECT_EQ(first.out.substr(0, first.out.find("Key 'Width")),
        notFound
            + "Fullscreen' not found. Adding default value '1'.\n"
              "Video modes:\nMode 0: 640 x 480\nMode 1: 1920 x 1080\n"
            + endOfFileMessage() + "\n");
    EXPECT_NE(first.out.find(notFound + "World_Random_Seed' not found. Adding default value '-1'.\n"),
        std::string::npos);
    EXPECT_EQ(first.settings.width, 1920);
    EXPECT_EQ(first.settings.height, 1080);
    EXPECT_EQ(first.settings.worldRandomSeed, -1);

    std::istringstream lines(first.file);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(line.find('#') == std::string::npos || line.find('#') == 27) << line;

    const Outcome second = load();
    EXPECT_EQ(second.file, FULL_FILE);
    EXPECT_EQ(second.out.find("not found"), std::string::npos);
    EXPECT_NE(second.out.find("Key Threads found. Value=8\n"), std::string::npos);
}

TEST_F(ConfigTest, NoVideoModesFallBackTo1280x720)
{
    const Outcome r = load(std::nullopt, {});
    EXPECT_EQ(r.settings.width, 1280);
    EXPECT_EQ(r.settings.height, 720);
    EXPECT_NE(r.out.find("Video modes:\n" + endOfFileMessage() + "\nKey 'Width'"), std::string::npos);
}

TEST_F(ConfigTest, InvalidAntiAliasingStopsBeforeLaterKeys)
{
    for (const std::string value : { "3", "abc", "0" }) {
        const std::string content = "Anti-Aliasing_Factor=" + value + "\n";
        const Outcome r = load(content);
        EXPECT_EQ(r.result, ConfigResult::InvalidAntiAliasing);
        EXPECT_EQ(r.err, "Anti-Aliasing_Factor not valid!\n");
        EXPECT_EQ(r.file, content + FULL_FILE.substr(0, FULL_FILE.find("Anti")));
        EXPECT_EQ(r.out.find("Anisotropic"), std::string::npos);
    }
}

TEST_F(ConfigTest, WordsMatchByPrefixAndFirstOccurrenceWins)
{
    // A NUL byte is no white space, so the word it starts does not begin with a key.
    const Outcome r = load(std::string("x\0Volume=9 ", 11)
        + "Width=1280     # a comment\n"
          "Height = 720\n"
          "junk words ===\tVolume=3 Volume=7\n"
          "# Threads=2 would be too few\n"
          "Threads=4\n"
          "Vsync\n"
          "Show_FPS=7abc Ambient_Sounds=x1 Fullscreen_mode=0=5\n"
          "World_Random_Seed=99999999999 Max_Memory(MB)=-99999999999\n");
    EXPECT_EQ(r.settings.width, 1280);
    EXPECT_EQ(r.settings.height, 0);
    EXPECT_NE(r.out.find("Key Height found. Value=Height\n"), std::string::npos);
    EXPECT_EQ(r.settings.volume, 3);
    EXPECT_EQ(r.settings.threads, 2);
    EXPECT_EQ(r.settings.vsync, 0);
    EXPECT_NE(r.out.find("Key Vsync found. Value=Vsync\n"), std::string::npos);
    EXPECT_EQ(r.settings.showFps, 7);
    EXPECT_EQ(r.settings.ambientSounds, 0);
    EXPECT_EQ(r.settings.fullscreen, 0);
    EXPECT_NE(r.out.find("Key Fullscreen found. Value=0=5\n"), std::string::npos);
    EXPECT_EQ(r.settings.worldRandomSeed, INT_MAX);
    EXPECT_EQ(r.settings.maxMemoryMB, INT_MIN);
}

TEST_F(ConfigTest, MissingFinalLineFeedIsAddedBeforeTheFirstAppendedLine)
{
    EXPECT_EQ(load("Fullscreen=1").file, FULL_FILE);
    // A complete file without its final line feed is left exactly as it is.
    const std::string complete = FULL_FILE.substr(0, FULL_FILE.size() - 1);
    EXPECT_EQ(load(complete).file, complete);
}

TEST_F(ConfigTest, WarningsKeepGoingAndRaiseThreadsAndViewDistance)
{
    Outcome r = load("Anisotropic_Filtering=-2 Mouse_Sensitivity_Y=0 Threads=0 Chunk_View_Distance=-3\n");
    EXPECT_EQ(r.result, ConfigResult::Ok);
    EXPECT_EQ(r.err,
        "Warning, Anisotropic Filtering Factor shouldn't be negative!\n"
        "Warning, mouse sensitivity is zero!\n"
        "Warning, Threads should be at least 1!\n"
        "Warning, Chunk View Distance shouldn't be negative!\n");
    EXPECT_EQ(r.settings.anisotropicFiltering, -2);
    EXPECT_EQ(r.settings.threads, 1);
    EXPECT_EQ(r.settings.chunkViewDistance, 0);

    r = load("Threads=1 Chunk_View_Distance=0 Mouse_Sensitivity_X=-5\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.settings.mouseSensitivityX, -5);
}

TEST_F(ConfigTest, SizesAndCountsThatCannotWorkAreBroughtIntoRange)
{
    // A negative window size would trip the window library's assertion; a
    // huge view distance overflows the world's extent; billions of threads.
    Outcome r = load("Width=-5 Height=300 Threads=2147483647 Chunk_View_Distance=2147483647\n");
    EXPECT_EQ(r.result, ConfigResult::Ok);
    EXPECT_EQ(r.err,
        "Warning, window size out of range! Using 1920 x 1080\n"
        "Warning, Threads should be at most 64!\n"
        "Warning, Chunk View Distance should be at most 16!\n");
    EXPECT_EQ(r.settings.width, 1920);
    EXPECT_EQ(r.settings.height, 1080);
    EXPECT_EQ(r.settings.threads, 64);
    EXPECT_EQ(r.settings.chunkViewDistance, 16);

    r = load("Width=640 Height=16385\n");
    EXPECT_EQ(r.err, "Warning, window size out of range! Using 1920 x 1080\n");
    EXPECT_EQ(r.settings.height, 1080);
    r = load("Width=16384 Height=1\n");
    EXPECT_EQ(r.err, "");

    // Zero, which is what a word reads as, stays: the window then fails to
    // open with its own message and exit code.
    r = load("Width=640 Height=garbage Threads=64 Chunk_View_Distance=16\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.settings.width, 640);
    EXPECT_EQ(r.settings.height, 0);
    EXPECT_EQ(r.settings.threads, 64);
    EXPECT_EQ(r.settings.chunkViewDistance, 16);
}

TEST_F(ConfigTest, KeysOnlyOptionsWritesAreReadWhenPresentAndKeepTheirDefaultsOtherwise)
{
    Outcome r = load("Brightness=150 Field_Of_View=95 Pause_On_Focus_Loss=0 Captions=1 Render_Scale=80\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.settings.brightness, 150);
    EXPECT_EQ(r.settings.fieldOfView, 95);
    EXPECT_EQ(r.settings.pauseOnFocusLoss, 0);
    EXPECT_EQ(r.settings.captions, 1);
    EXPECT_EQ(r.settings.renderScale, 80);
    // None of them is appended when missing.
    for (const char* key : { "Brightness", "Field_Of_View", "Pause_On_Focus_Loss", "Captions", "Render_Scale" })
        EXPECT_EQ(r.file.find(std::string(key) + "=", r.file.find('\n')), std::string::npos) << key;

    r = load("Brightness=20 Field_Of_View=120 Captions=yes\n");
    EXPECT_EQ(r.result, ConfigResult::Ok);
    EXPECT_EQ(r.err,
        "Warning, Brightness must be 50 to 200! Using 100.\n"
        "Warning, Field_Of_View must be 50 to 100! Using 70.\n");
    EXPECT_EQ(r.settings.brightness, 100);
    EXPECT_EQ(r.settings.fieldOfView, 70);
    EXPECT_EQ(r.settings.captions, 0); // a word reads as 0: off
    EXPECT_EQ(r.settings.pauseOnFocusLoss, 1);
}

TEST_F(ConfigTest, UnopenableFileReportsAndReadsNothing)
{
    fs::create_directory(path());
    std::ostringstream out, err;
    Settings settings;
    settings.threads = 42;
    Config config(out, err);
    EXPECT_EQ(config.loadSettings(MODES, settings, path().string()), ConfigResult::FileError);
    EXPECT_EQ(config.isOpen, 0);
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1), "Exception opening/reading file\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(settings.threads, 42);
}

TEST_F(ConfigTest, FailedAppendReportsInsteadOfCrashing)
{
    fs::create_symlink("/dev/full", path());
    std::ostringstream out, err;
    Settings settings;
    EXPECT_EQ(Config(out, err).loadSettings(MODES, settings, path().string()), ConfigResult::FileError);
    EXPECT_TRUE(out.str().ends_with(
        "Adding default value '1'.\n" + endOfFileMessage() + "\nException opening/reading file\n"));
}

TEST_F(ConfigTest, BinaryJunkAndHugeFilesAreReadToTheEnd)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    Outcome r = load(junk);
    EXPECT_EQ(r.result, ConfigResult::Ok);
    EXPECT_EQ(r.file, junk + (junk.back() == '\n' ? "" : "\n") + FULL_FILE);

    std::string huge;
    while (huge.size() < 4'000'000)
        huge += "filler_word=12 more\twords\n";
    r = load(huge + "Volume=4");
    EXPECT_EQ(r.settings.volume, 4);
    std::string appended = FULL_FILE;
    appended.erase(appended.find("Volume"), appended.find("Mouse") - appended.find("Volume"));
    EXPECT_EQ(r.file, huge + "Volume=4\n" + appended);
}

TEST_F(ConfigTest, WithoutADisplayTheGameEndsBeforeTheSettingsButAnswersVersionAndHelp)
{
    // The window library starts first; without a display it cannot, and the
    // game ends with -1 before config.txt is touched. The exit code 1 of an
    // unusable configuration is played through under a display (tests/e2e).
    const std::string game
        = "cd '" + dir.string() + "' && env -u DISPLAY " MOSSGRAVE_RUN_DIR "/mossgrave >out.txt 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(game.c_str())), 255);
    EXPECT_FALSE(fs::exists(path()));

    // --version and --help are answered before even that: exit 0, the answer
    // on standard output, and nothing written beside it.
    for (const char* option : { "--version", "--help" }) {
        const std::string ask = "cd '" + dir.string() + "' && env -u DISPLAY " MOSSGRAVE_RUN_DIR "/mossgrave "
            + option + " >out.txt 2>err.txt";
        EXPECT_EQ(WEXITSTATUS(std::system(ask.c_str())), 0) << option;
        std::ifstream out(dir / "out.txt");
        std::string first;
        std::getline(out, first);
        EXPECT_EQ(first,
            option == std::string("--version") ? "mossgrave " MOSSGRAVE_VERSION
                                               : "Usage: mossgrave [OPTION]...");
        EXPECT_EQ(fs::file_size(dir / "err.txt"), 0u) << option;
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(dir))
            files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string> { "err.txt", "out.txt" })) << option;
    }
}

} // namespace
