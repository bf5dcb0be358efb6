#include "audio/WavReader.h"
#include "audio/SoundTable.h"
#include "audio/WavBytes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <unistd.h>

namespace {

WavResult fromBytes(const std::vector<uint8_t>& bytes)
{
    return readWav(std::span<const uint8_t>(bytes));
}

// The same bytes through a seekable stream, as a file on disk is read.
WavResult fromStream(const std::vector<uint8_t>& bytes)
{
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    return readWav(in);
}

class WavFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir
        = std::filesystem::temp_directory_path() / ("mossgrave_wav_" + std::to_string(getpid()));
    void TearDown() override { std::filesystem::remove_all(dir); }
};

} // namespace

TEST(WavReader, ReadsPlainPcmWithItsFormatBlock)
{
    WavRecipe recipe;
    recipe.channels = 2;
    recipe.sampleRate = 44100;
    recipe.samples = { 1, 2, 3, 4, 5, 6, 7, 8 };
    const WavResult result = fromBytes(wavBytes(recipe));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.wav.formatTag, 1);
    EXPECT_EQ(result.wav.channels, 2);
    EXPECT_EQ(result.wav.sampleRate, 44100u);
    EXPECT_EQ(result.wav.byteRate, 44100u * 4);
    EXPECT_EQ(result.wav.blockAlign, 4);
    EXPECT_EQ(result.wav.bitsPerSample, 16);
    EXPECT_EQ(result.wav.layout, WavLayout::Stereo16);
    EXPECT_EQ(result.wav.samples, recipe.samples);
}

TEST(WavReader, SkipsTheTwoExtensionBytesOfAnEighteenByteFormatChunk)
{
    WavRecipe recipe;
    recipe.fmtSize = 18;
    recipe.samples = { 9, 8, 7, 6 };
    const WavResult result = fromBytes(wavBytes(recipe));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.wav.samples, recipe.samples);
}

TEST(WavReader, RefusesAnyChunkBetweenFormatAndData)
{
    WavRecipe recipe;
    recipe.chunkBeforeData = "LIST";
    recipe.samples = { 1, 2 };
    EXPECT_EQ(fromBytes(wavBytes(recipe)).error, wav_errors::dataHeader);
    // A long extensible format chunk leaves more than two bytes before "data".
    WavRecipe extensible;
    extensible.fmtSize = 40;
    extensible.samples = { 1, 2 };
    EXPECT_EQ(fromBytes(wavBytes(extensible)).error, wav_errors::dataHeader);
}

TEST(WavReader, NamesTheBrokenHeaderPart)
{
    WavRecipe recipe;
    recipe.samples = { 1, 2 };
    const std::vector<uint8_t> good = wavBytes(recipe);

    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    EXPECT_EQ(fromBytes(notRiff).error, wav_errors::header);
    std::vector<uint8_t> notWave = good;
    notWave[11] = 'X';
    EXPECT_EQ(fromBytes(notWave).error, wav_errors::header);
    std::vector<uint8_t> notFmt = good;
    notFmt[12] = 'X';
    EXPECT_EQ(fromBytes(notFmt).error, wav_errors::format);

    // Files cut inside each of the three header pieces.
    EXPECT_EQ(fromBytes({}).error, wav_errors::header);
    EXPECT_EQ(fromBytes({ good.begin(), good.begin() + 11 }).error, wav_errors::header);
    EXPECT_EQ(fromBytes({ good.begin(), good.begin() + 30 }).error, wav_errors::format);
    EXPECT_EQ(fromBytes({ good.begin(), good.begin() + 40 }).error, wav_errors::dataHeader);
}

TEST(WavReader, RefusesAShortDataSectionFromStreamsAndMemory)
{
    WavRecipe recipe;
    recipe.samples = { 1, 2, 3, 4 };
    recipe.claimedDataSize = 6;
    EXPECT_EQ(fromBytes(wavBytes(recipe)).error, wav_errors::dataRead);
    EXPECT_EQ(fromStream(wavBytes(recipe)).error, wav_errors::dataRead);
    EXPECT_TRUE(fromBytes(wavBytes(recipe)).wav.samples.empty());
}

TEST(WavReader, RefusesAHugeClaimedSizeWithoutReservingIt)
{
    // Four gigabytes claimed, four bytes present: refused at once for a
    // seekable stream and after one small piece for plain memory.
    WavRecipe recipe;
    recipe.samples = { 1, 2, 3, 4 };
    recipe.claimedDataSize = 0xFFFFFFFF;
    EXPECT_EQ(fromStream(wavBytes(recipe)).error, wav_errors::dataRead);
    EXPECT_EQ(fromBytes(wavBytes(recipe)).error, wav_errors::dataRead);
}

TEST(WavReader, ReadsOnlyTheClaimedDataAndDropsATrailingPartialFrame)
{
    WavRecipe recipe;
    recipe.samples = { 1, 2, 3, 4, 5, 6, 7 };
    recipe.claimedDataSize = 5; // two and a half 16-bit frames; the rest is trailing junk
    const WavResult result = fromBytes(wavBytes(recipe));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.wav.samples, (std::vector<uint8_t> { 1, 2, 3, 4 }));
}

TEST(WavReader, RefusesLayoutsAndRatesOpenAlCannotPlay)
{
    WavRecipe deep;
    deep.bitsPerSample = 24;
    deep.samples = std::vector<uint8_t>(12, 0);
    EXPECT_EQ(fromBytes(wavBytes(deep)).error, wav_errors::unsupportedLayout);

    WavRecipe floats;
    floats.formatTag = 3;
    floats.bitsPerSample = 32;
    floats.samples = std::vector<uint8_t>(16, 0);
    EXPECT_EQ(fromBytes(wavBytes(floats)).error, wav_errors::unsupportedLayout);

    WavRecipe surround;
    surround.channels = 6;
    surround.samples = std::vector<uint8_t>(24, 0);
    EXPECT_EQ(fromBytes(wavBytes(surround)).error, wav_errors::unsupportedLayout);

    WavRecipe silentRate;
    silentRate.sampleRate = 0;
    silentRate.samples = { 0, 0 };
    EXPECT_EQ(fromBytes(wavBytes(silentRate)).error, wav_errors::unsupportedRate);
    silentRate.sampleRate = kMaxWavSampleRate + 1;
    EXPECT_EQ(fromBytes(wavBytes(silentRate)).error, wav_errors::unsupportedRate);
    silentRate.sampleRate = kMaxWavSampleRate;
    EXPECT_TRUE(fromBytes(wavBytes(silentRate)).ok());
}

TEST_F(WavFileTest, AFileThatCannotBeOpenedReportsItsPath)
{
    const std::filesystem::path missing = dir / "sounds" / "missing.wav";
    EXPECT_EQ(readWavFile(missing).error, missing.string());
}

TEST(WavReader, EveryGeneratedSoundOfTheTableReadsCleanly)
{
    for (const SoundEntry& entry : kSoundTable) {
        const WavResult result = readWavFile(std::filesystem::path(MOSSGRAVE_RUN_DIR) / entry.file);
        ASSERT_TRUE(result.ok()) << entry.file << ": " << result.error;
        EXPECT_NE(result.wav.layout, WavLayout::None) << entry.file;
        EXPECT_FALSE(result.wav.samples.empty()) << entry.file;
        EXPECT_EQ(result.wav.samples.size() % result.wav.blockAlign, 0u) << entry.file;
    }
}
