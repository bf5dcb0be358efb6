// The tools behind the generated models: texture-space conventions, the
// atlas layout, the painter, the preview rasteriser and the file writers.
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "tools/datagen/DataGen.h"
#include "tools/datagen/MeshBuilder.h"
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/ModelSet.h"
#include "tools/datagen/Paint.h"
#include "tools/datagen/Preview.h"

namespace {

namespace fs = std::filesystem;
using namespace datagen;

fs::path scratchDir(const char* name)
{
    const fs::path dir = fs::temp_directory_path() / (std::string(name) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    return dir;
}

} // namespace

TEST(ModelTools, TextureCoordinatesCountRowsFromTheBottomOfTheImage)
{
    // The game flips images bottom row first, so the top rows of a picture
    // are near v = 1, and a rectangle stays half a pixel inside its pixels.
    const UvRect top = uvOf({ 0, 0, 32, 16 }, 64);
    EXPECT_FLOAT_EQ(top.v1, 1.0f - 0.5f / 64.0f);
    EXPECT_FLOAT_EQ(top.v0, 1.0f - 15.5f / 64.0f);
    EXPECT_FLOAT_EQ(top.u0, 0.5f / 64.0f);
    EXPECT_FLOAT_EQ(top.u1, 31.5f / 64.0f);
    const UvRect bottomRight = uvOf({ 32, 48, 32, 16 }, 64);
    EXPECT_LT(bottomRight.v0, 0.01f);
    EXPECT_GT(bottomRight.u1, 0.99f);

    // The painter agrees: v = 1 is the image's top row.
    Image image(4, 4, 3);
    paint::fillAll(image, [](float u, float v) { return paint::Rgb { u * 255.0f, v * 255.0f, 0.0f }; });
    EXPECT_LT(image.at(0, 0)[0], 40);
    EXPECT_GT(image.at(0, 0)[1], 200);
    EXPECT_GT(image.at(3, 3)[0], 200);
    EXPECT_LT(image.at(3, 3)[1], 40);
}

TEST(ModelTools, AtlasRectanglesStayInsideTheirTexturesAndNeverOverlap)
{
    namespace a = atlas;
    struct Layout {
        int size;
        std::vector<PixelRect> rects;
    };
    const Layout layouts[] = {
        { a::cat::size,
            { a::cat::fur, a::cat::face, a::cat::muzzle, a::cat::earInner, a::cat::paw, a::cat::cream,
                a::cat::furPlain } },
        { a::death::size,
            { a::death::robe, a::death::shadow, a::death::bone, a::death::skull, a::death::wood,
                a::death::blade } },
        { a::dynamite::size, { a::dynamite::paper, a::dynamite::end, a::dynamite::fuse, a::dynamite::tape } },
        { a::player::size, { a::player::skin, a::player::sleeve, a::player::palm, a::player::cuff } },
        { a::cage::size, { a::cage::iron, a::cage::planks, a::cage::straw, a::cage::darkIron } },
        { a::flashlight::size,
            { a::flashlight::grip, a::flashlight::chrome, a::flashlight::lens, a::flashlight::button } },
        { a::gloves::size, { a::gloves::leather, a::gloves::knuckles, a::gloves::sleeve, a::gloves::cuff } },
        { a::fish::size, { a::fish::body, a::fish::fin, a::fish::eye, a::fish::pupil } },
        { a::logs::size, { a::logs::bark, a::logs::rings, a::logs::stone, a::logs::charred } },
        { a::jetpack::size, { a::jetpack::tank, a::jetpack::frame, a::jetpack::nozzle, a::jetpack::strap } },
        { a::sign::size, { a::sign::board, a::sign::wood, a::sign::post } },
        { a::machine::size, { a::machine::wood, a::machine::label, a::machine::metal, a::machine::brass } },
        { a::wool::size, { a::wool::yarn } },
        { a::potion::size, { a::potion::bottle, a::potion::base, a::potion::cork } },
    };
    for (const Layout& layout : layouts) {
        for (size_t i = 0; i < layout.rects.size(); ++i) {
            const PixelRect r = layout.rects[i];
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= layout.size
                && r.y + r.h <= layout.size)
                << "rectangle " << i << " of a " << layout.size << " texture";
            for (size_t j = i + 1; j < layout.rects.size(); ++j) {
                const PixelRect s = layout.rects[j];
                const bool apart
                    = r.x + r.w <= s.x || s.x + s.w <= r.x || r.y + r.h <= s.y || s.y + s.h <= r.y;
                EXPECT_TRUE(apart) << "rectangles " << i << " and " << j << " of a " << layout.size
                                   << " texture";
            }
        }
    }
    // Each painted texture has the size its layout was drawn for.
    for (const ModelTexture& image : paintModelTextures()) {
        EXPECT_EQ(image.image.width, image.image.height) << image.file;
        EXPECT_EQ(image.image.channels, 3) << image.file;
    }
}

TEST(ModelTools, PreviewShowsFacesSeenFromBehindInMagenta)
{
    auto magentaPixels = [](const Image& image) {
        int count = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.at(x, y);
                count += p[0] == 255 && p[1] == 0 && p[2] == 255;
            }
        return count;
    };
    const Mesh cube = box({ -1, -1, -1 }, { 1, 1, 1 }, BoxUv::all({}));
    const Image right = renderContactSheet(
        { PreviewModel { { PreviewPart { &cube, nullptr, glm::mat4(1.0f) } }, {} } }, 1, 32);
    EXPECT_EQ(magentaPixels(right), 0);
    // Turned inside out, the faces that show are the inner ones.
    Mesh insideOut;
    const auto& v = cube.vertices();
    for (const MeshVertex& vertex : v)
        insideOut.addVertex(vertex.position, -vertex.normal, vertex.uv);
    for (size_t i = 0; i + 2 < cube.indices().size(); i += 3)
        insideOut.addTriangle(cube.indices()[i], cube.indices()[i + 1], cube.indices()[i + 2]);
    const Image wrong = renderContactSheet(
        { PreviewModel { { PreviewPart { &insideOut, nullptr, glm::mat4(1.0f) } }, {} } }, 1, 32);
    EXPECT_GT(magentaPixels(wrong), 200);
}

TEST(ModelTools, WritersReportFilesTheyCannotWrite)
{
    const fs::path dir = scratchDir("mossgrave_model_tools");
    fs::create_directories(dir);
    // A path whose parent is a file cannot be written: a message, not a crash.
    std::ofstream(dir / "blocker") << "x";
    EXPECT_FALSE(writeObj(dir / "blocker" / "mesh.obj", box({}, { 1, 1, 1 }, BoxUv::all({})), "mesh"));
    EXPECT_FALSE(writePng(dir / "blocker" / "image.png", Image(2, 2, 3)));
    fs::remove_all(dir);
}
