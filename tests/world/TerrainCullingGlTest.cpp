// What the terrain culling leaves out must never show: the game's own frame, drawn with every
// meshed node whole and with culling, gives the same picture from views chosen to catch each
// way of leaving something out (the view volume, faces turned away, the lamp's cone, the fog
// horizon with its silhouettes and the floor behind them). With MOSSGRAVE_PICTURES=DIR the
// pictures are written there as PNG files for a person to look at.
#include "../app/GameScene.h"
#include "../render/GlContextFixture.h"

#include "world/VoxelQueries.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class TerrainCullingGl : public GlTest {
protected:
    static void SetUpTestSuite() { }

    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        GameScene::Setup setup;
        setup.viewDistance = 2;
        setup.seed = 7;
        setup.width = 320;
        setup.height = 180;
        ASSERT_TRUE(scene.open(window(), setup));
        ASSERT_TRUE(scene.load()) << "the world streams in";
        int ready = 0;
        for (auto& c : scene.game.world->chunks) ready += c->ready;
        std::cerr << "chunks " << scene.game.world->chunks.size() << " ready " << ready << " ground " << ground(0.5f, 0.5f) << "\n";
    }
    void TearDown() override
    {
        scene.close();
        GlTest::TearDown();
    }

    float ground(float x, float z) { return heightAt(scene.game.world->chunks, glm::vec3(x, 64.0f, z)); }

    void save(const std::string& name, const std::vector<unsigned char>& rgba)
    {
        const char* dir = std::getenv("MOSSGRAVE_PICTURES");
        if (!dir)
            return;
        const int w = scene.setup.width, h = scene.setup.height;
        TestPng png;
        png.width = w;
        png.height = h;
        png.colorType = 2;
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                const size_t i = (size_t(y) * size_t(w) + size_t(x)) * 4;
                png.samples.insert(png.samples.end(), { rgba[i], rgba[i + 1], rgba[i + 2] });
            }
        }
        const std::vector<uint8_t> bytes = encodePng(png);
        std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    GameScene scene;
};

TEST_F(TerrainCullingGl, CulledFramesMatchFramesWithEveryNodeDrawn)
{
    struct View {
        const char* name;
        glm::vec3 eye, target;
    };
    const float g0 = ground(0.5f, 0.5f);
    const View views[] = {
        { "forest", { 0.5f, g0 + 1.7f, 0.5f }, { 60.0f, g0 + 1.0f, -40.0f } },
        { "hillside", { 0.5f, g0 + 25.0f, 0.5f }, { -60.0f, g0 - 10.0f, 50.0f } },
        { "border", { 64.0f, ground(64.0f, 10.0f) + 4.0f, 10.0f }, { 64.0f, ground(64.0f, -60.0f), -60.0f } },
        { "far", { 0.5f, g0 + 3.0f, 0.5f }, { -150.0f, g0 + 5.0f, -150.0f } },
        { "high", { 0.5f, 60.0f, 0.5f }, { 150.0f, 30.0f, 150.0f } },
        { "high2", { 0.5f, 60.0f, 0.5f }, { -150.0f, 30.0f, 100.0f } },
    };
    for (const View& v : views) {
        SCOPED_TRACE(v.name);
        scene.look(v.eye, v.target);
        scene.game.drawAllTerrain = true;
        const auto all = scene.draw(window());
        scene.game.drawAllTerrain = false;
        const auto culled = scene.draw(window());
        const TerrainCullResult& r = scene.game.world->lastTerrainCull();
        std::cerr << v.name << " shaded " << r.shaded.size() << "/" << r.shadedTriangles << " silhouette " << r.silhouette.size() << "/" << r.silhouetteTriangles << " tested " << r.nodesTested << "\n";
        save(std::string(v.name) + "-all", all);
        save(std::string(v.name) + "-culled", culled);
        int off = 0, worst = 0;
        for (size_t i = 0; i < all.size(); i += 4) {
            int d = 0;
            for (size_t c = 0; c < 3; ++c)
                d = std::max(d, std::abs(int(all[i + c]) - int(culled[i + c])));
            worst = std::max(worst, d);
            off += d > 1;
        }
        EXPECT_EQ(off, 0) << "pixels off by more than one step; worst " << worst;
    }
}

} // namespace
