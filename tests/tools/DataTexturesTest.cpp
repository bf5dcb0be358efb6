// Checks of the generated textures: every image file the game opens exists in
// the run folder in the pixel layout its loader uploads, block faces tile, the
// pictures carry what they are for, and generation is repeatable.
#include "tools/datagen/DataGen.h"

#include "base/BlockType.h"
#include "render/PngImage.h"
#include "render/TextureTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <png.h>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRunDir = MOSSGRAVE_RUN_DIR;

// Block textures in block type order: the game builds its array texture from them.
const auto& kBlockFiles = blockTexturePaths;

// Uploaded as RGB: sky, sprites, flames and the full-screen backgrounds.
const std::array<const char*, 8> kRgbFiles = { modelTexturePaths[TEXTURE_MOON],
    modelTexturePaths[TEXTURE_STAR], modelTexturePaths[TEXTURE_FIRE_ALPHA],
    modelTexturePaths[TEXTURE_FIRE_DIFFUSE], "textures/sky_cubestrip.png", "textures/menu.png",
    "textures/loading.png", "textures/gameover.png" };

// Uploaded as RGBA: the overlays drawn with transparency.
const std::array<const char*, 6> kRgbaFiles
    = { "textures/gui_element.png", "textures/mouse_helper_no.png", "textures/mouse_helper_left.png",
          "textures/mouse_helper_right.png", "textures/name.png", "textures/created_by.png" };

struct Png {
    bool ok = false;
    int width = 0, height = 0, bitDepth = 0, colorType = -1, channels = 0;
    std::vector<uint8_t> pixels; // top row first, as stored

    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
};

Png readPng(const fs::path& path)
{
    Png out;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return out;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return Png {};
    }
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    out.width = int(png_get_image_width(png, info));
    out.height = int(png_get_image_height(png, info));
    out.bitDepth = png_get_bit_depth(png, info);
    out.colorType = png_get_color_type(png, info);
    out.channels = png_get_channels(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    png_bytepp rows = png_get_rows(png, info);
    for (int y = 0; y < out.height; ++y)
        out.pixels.insert(out.pixels.end(), rows[y], rows[y] + rowBytes);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    out.ok = true;
    return out;
}

std::vector<char> fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::array<double, 3> meanColour(const Png& image)
{
    std::array<double, 3> sum {};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += image.at(x, y)[c];
    for (double& s : sum)
        s /= double(image.width) * image.height;
    return sum;
}

double pixelDistance(const uint8_t* a, const uint8_t* b)
{
    return (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2])) / 3.0;
}

// A fresh directory below the system's temporary folder, removed on exit.
struct TempDir {
    fs::path path;
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "mossgrave_textures_XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!path.empty())
            fs::remove_all(path, ec);
    }
};

TEST(DataTextures, FilesExistInTheLayoutTheirLoaderUploads)
{
    auto check = [](const char* file, int colorType) {
        SCOPED_TRACE(file);
        const Png image = readPng(kRunDir / file);
        ASSERT_TRUE(image.ok) << "missing or unreadable";
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_EQ(image.colorType, colorType);
        EXPECT_GT(image.width, 0);
        EXPECT_GT(image.height, 0);
    };
    for (const char* file : kBlockFiles)
        check(file, PNG_COLOR_TYPE_RGB);
    for (const char* file : kRgbFiles)
        check(file, PNG_COLOR_TYPE_RGB);
    for (const char* file : kRgbaFiles)
        check(file, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_TRUE(fs::exists(kRunDir / "preview/textures_contact_sheet.png"));
}

TEST(DataTextures, BlockTexturesShareOneSizeThatMipmapsFiveLevels)
{
    const Png first = readPng(kRunDir / kBlockFiles[0]);
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.width, first.height);
    // Five mip levels need at least 16 texels, halving exactly each time.
    EXPECT_GE(first.width, 16);
    EXPECT_EQ(first.width & (first.width - 1), 0);
    for (const char* file : kBlockFiles) {
        const Png image = readPng(kRunDir / file);
        EXPECT_EQ(image.width, first.width) << file;
        EXPECT_EQ(image.height, first.height) << file;
    }
}

TEST(DataTextures, EveryBlockTypeHasItsOwnPicture)
{
    std::set<std::vector<uint8_t>> distinct;
    for (const char* file : kBlockFiles)
        distinct.insert(readPng(kRunDir / file).pixels);
    EXPECT_EQ(distinct.size(), kBlockFiles.size());
}

TEST(DataTextures, BlockTexturesTileWithoutVisibleSeams)
{
    // Across the wrap, neighbouring pixels must differ no more than typical
    // neighbours inside the picture do.
    for (const char* file : kBlockFiles) {
        SCOPED_TRACE(file);
        const Png image = readPng(kRunDir / file);
        ASSERT_TRUE(image.ok);
        const int w = image.width, h = image.height;
        double insideX = 0, insideY = 0, seamX = 0, seamY = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (x + 1 < w)
                    insideX += pixelDistance(image.at(x, y), image.at(x + 1, y));
                if (y + 1 < h)
                    insideY += pixelDistance(image.at(x, y), image.at(x, y + 1));
            }
        }
        insideX /= double(h) * (w - 1);
        insideY /= double(w) * (h - 1);
        for (int y = 0; y < h; ++y)
            seamX += pixelDistance(image.at(w - 1, y), image.at(0, y));
        for (int x = 0; x < w; ++x)
            seamY += pixelDistance(image.at(x, h - 1), image.at(x, 0));
        EXPECT_LE(seamX / h, 1.5 * insideX + 6.0);
        EXPECT_LE(seamY / w, 1.5 * insideY + 6.0);
    }
}

TEST(DataTextures, GroundMaterialsAreToldApartByColour)
{
    const char* ground[]
        = { "textures/dirt.png", "textures/grass.png", "textures/sand.png", "textures/stone.png" };
    std::array<std::array<double, 3>, 4> means;
    for (int i = 0; i < 4; ++i) {
        const Png image = readPng(kRunDir / ground[i]);
        ASSERT_TRUE(image.ok) << ground[i];
        means[i] = meanColour(image);
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            double d = 0;
            for (int c = 0; c < 3; ++c)
                d += std::fabs(means[i][c] - means[j][c]);
            EXPECT_GT(d, 60.0) << ground[i] << " vs " << ground[j];
        }
    }
    EXPECT_GT(means[1][1], means[1][0] + 20); // grass is green
    EXPECT_GT(means[0][0], means[0][2] + 30); // dirt is brown
    EXPECT_GT(means[2][0] + means[2][1], means[0][0] + means[0][1] + 120); // sand is much paler than dirt
    EXPECT_LT(std::fabs(means[3][0] - means[3][2]), 15); // stone is grey
}

TEST(DataTextures, OverlaysAreTransparentAroundTheirShapes)
{
    for (const char* file : kRgbaFiles) {
        SCOPED_TRACE(file);
        const Png image = readPng(kRunDir / file);
        ASSERT_TRUE(image.ok);
        ASSERT_EQ(image.channels, 4);
        int clear = 0, solid = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                clear += image.at(x, y)[3] < 16;
                solid += image.at(x, y)[3] > 160;
            }
        }
        EXPECT_GT(clear, 0);
        EXPECT_GT(solid, 0);
    }
}

TEST(DataTextures, OverlaysAreStoredTheWayTheirQuadsShowThem)
{
    // The title quad samples its image turned half round and its top eighth
    // lies above the screen; stored turned, the lettering must sit in the
    // stored image's upper half so it shows in the visible lower part.
    const Png name = readPng(kRunDir / "textures/name.png");
    ASSERT_TRUE(name.ok);
    double weight = 0, sumY = 0;
    for (int y = 0; y < name.height; ++y) {
        for (int x = 0; x < name.width; ++x) {
            weight += name.at(x, y)[3];
            sumY += double(name.at(x, y)[3]) * y;
        }
    }
    ASSERT_GT(weight, 0);
    EXPECT_LT(sumY / weight, name.height * 0.5);

    // A hint shows its own button lit: on the left for the left button, on
    // the right for the right one (these quads flip vertically, not sideways).
    auto litSides = [](const char* file) {
        const Png image = readPng(kRunDir / file);
        std::array<int, 2> lit {};
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.at(x, y);
                if (p[3] > 200 && p[1] > 200 && p[2] < 160)
                    ++lit[x >= image.width / 2];
            }
        return lit;
    };
    const auto none = litSides("textures/mouse_helper_no.png");
    const auto left = litSides("textures/mouse_helper_left.png");
    const auto right = litSides("textures/mouse_helper_right.png");
    EXPECT_EQ(none[0] + none[1], 0);
    EXPECT_GT(left[0], 10 * (left[1] + 1));
    EXPECT_GT(right[1], 10 * (right[0] + 1));
}

TEST(DataTextures, FlameMaskIsAFlameShape)
{
    const Png mask = readPng(kRunDir / "textures/fire_alpha.png");
    ASSERT_TRUE(mask.ok);
    const int w = mask.width, h = mask.height;
    auto litWidth = [&](int y) {
        int n = 0;
        for (int x = 0; x < w; ++x)
            n += mask.at(x, y)[0] > 128;
        return n;
    };
    EXPECT_GT(mask.at(w / 2, h * 3 / 4)[0], 200); // a solid body low down
    EXPECT_LT(mask.at(0, 0)[0], 10); // dark corners
    EXPECT_LT(mask.at(w - 1, 0)[0], 10);
    EXPECT_LT(litWidth(h / 4), litWidth(h * 3 / 4)); // narrowing to a tip at the top
}

TEST(DataTextures, GenerationIsRepeatableByteForByte)
{
    TempDir first, second;
    ASSERT_FALSE(first.path.empty());
    ASSERT_FALSE(second.path.empty());
    ASSERT_TRUE(datagen::writeBlockAndGuiTextures(first.path));
    ASSERT_TRUE(datagen::writeBlockAndGuiTextures(second.path));
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first.path)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), first.path);
        SCOPED_TRACE(relative.string());
        EXPECT_TRUE(fileBytes(entry.path()) == fileBytes(second.path / relative));
        ++compared;
    }
    EXPECT_GE(compared, int(kBlockFiles.size() + kRgbFiles.size() + kRgbaFiles.size()));
}

TEST(DataTextures, UnwritableRunFolderIsReportedAsFailure)
{
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    // A plain file where the textures folder should be.
    std::ofstream(dir.path / "textures") << "in the way";
    EXPECT_FALSE(datagen::writeBlockAndGuiTextures(dir.path));
}

} // namespace

// The game's own decoder, with the layout its loaders upload, reads every
// generated picture: block layers and model textures as RGB, the overlays as RGBA.
TEST(DataTextures, GameDecoderReadsEveryGeneratedTexture)
{
    int decoded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kRunDir / "textures")) {
        if (entry.path().extension() != ".png")
            continue;
        SCOPED_TRACE(entry.path().string());
        PngImage image;
        ASSERT_TRUE(decodePng(entry.path().string(), true, image));
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_TRUE(image.channels == 3 || image.channels == 4);
        EXPECT_EQ(image.pixels.size(), image.rowBytes * size_t(image.height));
        ++decoded;
    }
    // The block layers, 18 model textures (four shared with the sky and fire
    // pictures), the sky strip and the nine GUI pictures.
    EXPECT_GE(decoded, BLOCK_MATERIAL_COUNT + 14 + 4 + 1 + 9);
}
