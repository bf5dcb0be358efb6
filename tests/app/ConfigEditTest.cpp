// Writing settings back into a hand-edited config.txt: the smallest edit, byte
// for byte, that the reader then reads as the new value; and a save that never
// leaves a broken file behind.
#include "app/Config.h"
#include "app/ConfigEdit.h"

#include "../render/TestFiles.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct EditCase {
    const char* name;
    std::string before;
    std::string key;
    std::string value;
    std::string after;
};

// Test names, not bytes, in the output.
void PrintTo(const EditCase& c, std::ostream* os)
{
    *os << c.name;
}

class SmallestEdit : public ::testing::TestWithParam<EditCase> {};

} // namespace

TEST_P(SmallestEdit, ChangesOnlyTheWordTheReaderTakesAndTheReaderAgrees)
{
    const EditCase& c = GetParam();
    std::string text = c.before;
    setConfigValue(text, c.key, c.value);
    EXPECT_EQ(text, c.after);

    // Start-up reads exactly the value written, without appending anything.
    TempDir dir;
    const std::string path = dir.write("config.txt", text);
    std::ostringstream out;
    Config config(out, out);
    ASSERT_EQ(config.open(path), 0);
    EXPECT_EQ(config.getValue(c.key, "default", ""), c.value);
    config.file.close();
    EXPECT_EQ(readFile(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(ConfigEdit, SmallestEdit,
    ::testing::Values(
        EditCase { "CommentsAndSpacingKept", "# my settings\n\n  Volume=10\t# too loud\nVsync=1\n", "Volume", "3",
            "# my settings\n\n  Volume=3\t# too loud\nVsync=1\n" },
        EditCase { "FirstOfRepeatedKeys", "Volume=2\nVolume=7\n", "Volume", "10", "Volume=10\nVolume=7\n" },
        EditCase { "KeyAsPrefixOfAnotherWord", "MaxVolume=1 Volume_Music=2\nVolume=7\n", "Volume", "4",
            "MaxVolume=1 Volume_Music=4\nVolume=7\n" },
        EditCase { "CommentWordThatBeginsWithTheKey", "# Vsync stops tearing\nVsync=1\n", "Vsync", "0",
            "# Vsync=0 stops tearing\nVsync=1\n" },
        EditCase { "WordWithoutEquals", "Width = 1280\n", "Width", "800", "Width=800 = 1280\n" },
        EditCase { "ValueAfterTheFirstEquals", "Volume=5=6 Shadowmap_Factor=\n", "Shadowmap_Factor", "2",
            "Volume=5=6 Shadowmap_Factor=2\n" },
        EditCase { "NoFinalLineFeed", "Vsync=1\nVolume=10", "Volume", "9", "Vsync=1\nVolume=9" },
        EditCase { "WindowsLineEnds", "Vsync=1\r\nVolume=10\r\n", "Vsync", "0", "Vsync=0\r\nVolume=10\r\n" },
        EditCase { "MissingKeyAppendedWithItsComment", "Vsync=1\n", "Volume", "3",
            "Vsync=1\nVolume=3                   # Range: 1-10\n" },
        EditCase { "MissingKeyAfterLastLineWithoutLineFeed", "Vsync=1", "Chunk_View_Distance", "3",
            "Vsync=1\nChunk_View_Distance=3      # Set to 1 to improve performance\n" },
        EditCase { "MissingKeyWithoutCommentInEmptyFile", "", "Fullscreen", "0", "Fullscreen=0\n" }),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST(ConfigSave, WritesTheChangesAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const fs::path path = dir.write("config.txt", "Volume=10 # loud\r\nMouse_Sensitivity_X=-100");
    std::ostringstream err;
    ASSERT_TRUE(saveConfigChanges(path,
        { { "Volume", "4" }, { "Mouse_Sensitivity_X", "-150" }, { "Mouse_Sensitivity_Y", "150" } }, err))
        << err.str();
    EXPECT_EQ(readFile(path),
        "Volume=4 # loud\r\nMouse_Sensitivity_X=-150\n"
        "Mouse_Sensitivity_Y=150    # Mouse Sensitivity in Y Direction, negate to invert\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // A file deleted while the game ran is written afresh.
    fs::remove(path);
    ASSERT_TRUE(saveConfigChanges(path, { { "Vsync", "0" } }, err));
    EXPECT_EQ(readFile(path), "Vsync=0                    # Limit FPS to 60\n");
}

TEST(ConfigSave, FailedWriteOrRenameKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::string original = "Volume=10\n";
    const fs::path path = dir.write("config.txt", original);

    // The temporary file cannot be made: a folder is in its place.
    dir.write("config.txt.tmp/keep", "x");
    std::ostringstream err;
    EXPECT_FALSE(saveConfigChanges(path, { { "Volume", "1" } }, err));
    EXPECT_EQ(readFile(path), original);
    EXPECT_NE(err.str().find("config.txt.tmp"), std::string::npos) << err.str();
    fs::remove_all(dir.path() / "config.txt.tmp");

    // The rename fails: the target is a folder that is not empty.
    const fs::path folder = dir.path() / "settings";
    dir.write("settings/keep", "x");
    err.str("");
    EXPECT_FALSE(replaceFileAtomically(folder, "Volume=1\n", err));
    EXPECT_NE(err.str().find("Cannot rename"), std::string::npos) << err.str();
    EXPECT_EQ(readFile(folder / "keep"), "x");
    EXPECT_FALSE(fs::exists(dir.path() / "settings.tmp"));
    // And a folder where the file should be is not read as an empty file.
    err.str("");
    EXPECT_FALSE(saveConfigChanges(folder, { { "Volume", "1" } }, err));
    EXPECT_FALSE(err.str().empty());
}
