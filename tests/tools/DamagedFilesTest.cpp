// Every data file the game ships, damaged three ways (cut in half, emptied,
// replaced by noise), handed to the reader that loads it: each reader refuses
// or reads what is there, and never reads outside its buffers (the sanitizer
// build checks that) or allocates what the file cannot hold.
#include "audio/WavReader.h"
#include "render/ObjReader.h"
#include "render/PngImage.h"
#include "render/ShaderFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The three damages of one file; noise keeps the file's size.
std::vector<std::pair<std::string, std::string>> damagesOf(const fs::path& file)
{
    const std::string whole = bytesOf(file);
    std::mt19937 random(unsigned(whole.size()));
    std::string noise(std::max<size_t>(whole.size(), 64), '\0');
    for (char& c : noise)
        c = char(random() & 0xff);
    return { { "half", whole.substr(0, whole.size() / 2) }, { "empty", "" }, { "noise", noise } };
}

std::vector<fs::path> filesIn(const std::string& folder, const std::string& extension)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSSGRAVE_RUN_DIR) / folder)) {
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(DamagedFiles, EveryTextureIsRefusedWhenDamaged)
{
    const auto files = filesIn("textures", ".png");
    ASSERT_GT(files.size(), 20u);
    testing::internal::CaptureStderr(); // libpng describes each refusal
    for (const auto& file : files) {
        for (const auto& [how, bytes] : damagesOf(file)) {
            PngImage image;
            EXPECT_FALSE(decodePngBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), true, image))
                << file.filename() << " " << how;
            EXPECT_TRUE(image.pixels.empty()) << file.filename() << " " << how;
        }
    }
    testing::internal::GetCapturedStderr();
}

TEST(DamagedFiles, EverySoundIsRefusedWhenDamagedWithoutOverAllocating)
{
    const auto files = filesIn("sounds", ".wav");
    ASSERT_EQ(files.size(), 26u);
    for (const auto& file : files) {
        for (const auto& [how, bytes] : damagesOf(file)) {
            const WavResult result
                = readWav(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            EXPECT_FALSE(result.ok()) << file.filename() << " " << how;
            EXPECT_LE(result.wav.samples.size(), bytes.size()) << file.filename() << " " << how;
        }
    }
}

TEST(DamagedFiles, EveryMeshReadsOnlyWhatItsDamagedTextHolds)
{
    const auto files = filesIn("models", ".obj");
    ASSERT_EQ(files.size(), 25u);
    for (const auto& file : files) {
        for (const auto& [how, bytes] : damagesOf(file)) {
            std::istringstream in(bytes);
            std::ostringstream log;
            const MeshData mesh = readObj(in, log);
            // Every index names a vertex the reader produced.
            for (uint32_t index : mesh.indices)
                ASSERT_LT(index, mesh.vertices.size()) << file.filename() << " " << how;
            EXPECT_EQ(mesh.indices.size() % 3, 0u) << file.filename() << " " << how;
            if (how == "empty") {
                EXPECT_TRUE(mesh.vertices.empty());
            }
        }
    }
}

TEST(DamagedFiles, EveryShaderFileStopsOrReadsWholeSectionsWhenDamaged)
{
    const auto files = filesIn("shader", ".glsl");
    ASSERT_GE(files.size(), 3u);
    for (const auto& file : files) {
        for (const auto& [how, bytes] : damagesOf(file)) {
            std::istringstream in(bytes);
            std::ostringstream err;
            int delivered = 0;
            const ShaderReadResult result = readShaderSections(in, err, [&](const ShaderSection& section) {
                ++delivered;
                // The padding keeps the file's numbering: never more lines than the file has.
                EXPECT_LE(size_t(std::count(section.source.begin(), section.source.end(), '\n')),
                    size_t(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
            });
            EXPECT_EQ(result.sections, delivered) << file.filename() << " " << how;
            if (how == "empty") {
                EXPECT_EQ(delivered, 0);
            }
        }
    }
}

} // namespace
