// What the frame leaves out must never show. The game's own frame (its shaders, passes and a
// streamed world of real terrain) is drawn from views chosen to catch each way of leaving
// something out: the view volume, faces behind their eye, the lamp's cone and reach, and the fog
// horizon with its silhouettes against the stars and the floor behind them. Each picture must
// match the same frame drawn with every meshed node whole, to within one colour step. The world
// shader's nine plain shadow reads must likewise match the four filtered taps they replace.
// With MOSSGRAVE_PICTURES=DIR the pictures are written there as PNG files to look at.
#include "../app/GameScene.h"
#include "../render/GlContextFixture.h"
#include "app/FrameStats.h"

#include "render/Lightning.h"
#include "render/ShadowCamera.h"
#include "world/Octree.h"
#include "world/VoxelQueries.h"

#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Picture = std::vector<unsigned char>;

struct Difference {
    int off = 0; // pixels off by more than one step in some channel
    int worst = 0;
};

Difference compare(const Picture& a, const Picture& b)
{
    Difference d;
    for (size_t i = 0; i < a.size(); i += 4) {
        int most = 0;
        for (size_t c = 0; c < 3; ++c)
            most = std::max(most, std::abs(int(a[i + c]) - int(b[i + c])));
        d.worst = std::max(d.worst, most);
        d.off += most > 1;
    }
    return d;
}

// The share of pixels brighter than `level` in some channel.
double shareAbove(const Picture& p, int level)
{
    int n = 0;
    for (size_t i = 0; i < p.size(); i += 4)
        n += std::max({ p[i], p[i + 1], p[i + 2] }) > level;
    return double(n) / double(p.size() / 4);
}

std::string shippedWorldShader()
{
    std::ifstream in(MOSSGRAVE_SOURCE_DIR "/shader/world.glsl");
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The shipped world shader reading the lamp's shadow by its nine plain reads, as drivers
// without the comparing gather do.
std::string worldShaderWithPlainReads()
{
    std::string text = shippedWorldShader();
    const size_t at = text.find("#ifdef GL_ARB_gpu_shader5");
    return at == std::string::npos ? std::string() : text.replace(at, 25, "#if 0");
}

// The shipped world shader with its shadow lookup put back to four filtered comparisons.
std::string worldShaderWithFilteredTaps()
{
    const std::string text = shippedWorldShader();
    const size_t from = text.find("    // Four taps half a texel");
    const size_t to = text.find("    return lit * 0.25;", from);
    if (from == std::string::npos || to == std::string::npos)
        return {};
    return text.substr(0, from) + R"(    vec2 texel = 1.0 / vec2(textureSize(depthTex, 0));
    float lit = 0.0;
    lit += texture(depthTex, vec3(c.xy + vec2(-0.5, -0.5) * texel, c.z - bias));
    lit += texture(depthTex, vec3(c.xy + vec2(0.5, -0.5) * texel, c.z - bias));
    lit += texture(depthTex, vec3(c.xy + vec2(-0.5, 0.5) * texel, c.z - bias));
    lit += texture(depthTex, vec3(c.xy + vec2(0.5, 0.5) * texel, c.z - bias));
)" + text.substr(to);
}

class TerrainCullingGl : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        GameScene::Setup setup;
        setup.viewDistance = 2; // far enough for terrain beyond the fog horizon
        setup.width = 320;
        setup.height = 180;
        ASSERT_TRUE(scene.open(window(), setup));
        ASSERT_TRUE(scene.load()) << "the world streams in";
    }
    void TearDown() override
    {
        scene.close();
        GlTest::TearDown();
    }

    World& world() { return *scene.game.session.world; }
    float ground(float x, float z) { return heightAt(world().chunks, glm::vec3(x, 64.0f, z)); }
    bool solid(const glm::vec3& p)
    {
        const Chunk* chunk = findChunk(world().chunks, int32_t(std::floor(p.x / 64.0f)), int32_t(std::floor(p.z / 64.0f)));
        return chunk && chunk->root->isSolidIn(aabb(p - glm::vec3(0.01f), p + glm::vec3(0.01f)));
    }

    // A trunk near the start: solid above the ground, with room to stand before it; y = 0 for none.
    glm::vec3 trunkNearStart()
    {
        for (float x = -20.0f; x < 20.0f; x += 0.5f) {
            for (float z = -20.0f; z < 20.0f; z += 0.5f) {
                const float h = ground(x - 4.0f, z);
                if (h > 0.0f && solid({ x + 0.25f, h + 2.25f, z + 0.25f }) && !solid({ x - 3.75f, h + 2.25f, z + 0.25f })
                    && !solid({ x - 1.75f, h + 2.25f, z + 0.25f }))
                    return glm::vec3(x + 0.25f, h, z + 0.25f);
            }
        }
        return glm::vec3(0.0f);
    }

    Picture culled() { return scene.draw(window()); }
    Picture everything()
    {
        scene.game.scene.drawAllTerrain = true;
        Picture p = scene.draw(window());
        scene.game.scene.drawAllTerrain = false;
        return p;
    }

    // The frame drawn with both world programs built from `source` in the shipped file's place.
    Picture withWorldShader(const std::string& source)
    {
        const auto file = std::filesystem::temp_directory_path() / "mossgrave-world-reference.glsl";
        std::ofstream(file) << source;
        Shader* programs[] = { getShader(SHADER_WORLD), plainNightWorldShader() };
        GLuint shipped[2] = {};
        const std::string path = programs[0]->path;
        bool read = true;
        testing::internal::CaptureStdout();
        for (int i = 0; i < 2; ++i) {
            shipped[i] = programs[i]->program;
            programs[i]->path = file.string();
            programs[i]->program = 0;
            read = programs[i]->readFile() && read;
            programs[i]->link();
        }
        testing::internal::GetCapturedStdout();
        lookUpWorldUniforms(scene.game.scene.worldUniforms);
        Picture p = read ? culled() : Picture {};
        for (int i = 0; i < 2; ++i) {
            glDeleteProgram(programs[i]->program);
            programs[i]->program = shipped[i];
            programs[i]->path = path;
        }
        lookUpWorldUniforms(scene.game.scene.worldUniforms);
        std::filesystem::remove(file);
        return p;
    }

    // The frame with every node drawn and the faces outside the lamp's cone drawn by the whole
    // programs in the place of those without the lamp.
    Picture everythingWithTheLampEverywhere()
    {
        Shader* without[] = { outsideLampWorldShader(false), outsideLampWorldShader(true) };
        const GLuint whole[] = { getShader(SHADER_WORLD)->program, plainNightWorldShader()->program };
        GLuint own[2] = {};
        for (int i = 0; i < 2; ++i) {
            own[i] = without[i]->program;
            without[i]->program = whole[i];
        }
        lookUpWorldUniforms(scene.game.scene.worldUniforms);
        Picture p = everything();
        for (int i = 0; i < 2; ++i)
            without[i]->program = own[i];
        lookUpWorldUniforms(scene.game.scene.worldUniforms);
        return p;
    }

    void save(const std::string& name, const Picture& rgba)
    {
        const char* dir = std::getenv("MOSSGRAVE_PICTURES");
        if (!dir)
            return;
        const int w = scene.setup.width, h = scene.setup.height;
        TestPng png;
        png.width = w;
        png.height = h;
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

TEST_F(TerrainCullingGl, EveryViewMatchesTheFrameWithEveryNodeDrawn)
{
    const float g0 = ground(0.5f, 0.5f);
    ASSERT_GT(g0, 0.0f);
    // The lowest and the highest ground of the square: a valley floor and the hills around it.
    glm::vec3 low(0.0f, 100.0f, 0.0f), high(0.0f, -1.0f, 0.0f);
    for (float x = -150.0f; x < 150.0f; x += 4.0f) {
        for (float z = -150.0f; z < 150.0f; z += 4.0f) {
            const float h = ground(x, z);
            const bool inner = std::abs(x) < 64.0f && std::abs(z) < 64.0f;
            if (inner && h > 0.0f && h < low.y)
                low = glm::vec3(x, h, z);
            if (!inner && h > high.y)
                high = glm::vec3(x, h, z);
        }
    }
    const glm::vec3 trunk = trunkNearStart();
    ASSERT_GT(trunk.y, 0.0f) << "a tree stands near the start";

    struct View {
        const char* name;
        glm::vec3 eye, target;
        bool rain = false;
        bool flash = false; // a lightning strike's light
    };
    const View views[] = {
        { "forest", { 0.5f, g0 + 1.7f, 0.5f }, { 84.5f, g0 + 1.7f, -53.5f } },
        { "hillside", { 0.5f, g0 + 25.0f, 0.5f }, { -60.0f, g0 - 10.0f, 50.0f } },
        { "chunk border", { 64.0f, ground(64.0f, 10.0f) + 4.0f, 10.0f }, { 64.0f, ground(64.0f, -40.0f), -40.0f } },
        { "valley", low + glm::vec3(0.0f, 1.7f, 0.0f), high + glm::vec3(0.0f, 12.0f, 0.0f) },
        { "over the hills", { 0.5f, 62.0f, 0.5f }, { 150.0f, 30.0f, 150.0f } },
        { "lamp shadow", trunk + glm::vec3(-3.0f, 1.7f, -0.6f), trunk + glm::vec3(2.0f, 0.0f, -0.6f) },
        { "rain", { 0.5f, g0 + 1.7f, 0.5f }, { -84.5f, g0 + 1.7f, 53.5f }, true },
        { "lightning", { 0.5f, g0 + 8.0f, 0.5f }, { 60.0f, g0, 60.0f }, true, true },
    };
    // The plain night program is the whole one wherever the frame takes it: built with every
    // light, the same frame shows the same pixels.
    std::string everyLight = shippedWorldShader();
    const size_t lightsOut = everyLight.find("#ifndef WITHOUT_FLASH_AND_FIRE");
    ASSERT_NE(lightsOut, std::string::npos);
    everyLight.replace(lightsOut, 30, "#if 1");
    size_t silhouettes = 0, shadedMost = 0, behind = 0, outOfView = 0;
    for (const View& v : views) {
        SCOPED_TRACE(v.name);
        scene.look(v.eye, v.target);
        scene.game.session.weather.rain = v.rain;
        Lightning& lightning = *scene.game.scene.lightning;
        lightning.sinceStrike = v.flash ? 0.3f : 5.0f;
        if (v.flash) {
            const glm::vec3 bolt = v.eye + glm::vec3(60.0f, 0.0f, -70.0f);
            lightning.light.setLightView(glm::lookAt(glm::vec3(bolt.x, 70.0f, bolt.z), v.eye, glm::vec3(0, 1, 0)));
        }
        const Picture all = everything();
        const Picture mine = culled();
        const TerrainCullResult& cull = world().lastTerrainCull();
        silhouettes += cull.silhouette.size();
        behind += cull.occludedNodes;
        outOfView += cull.outOfViewTriangles;
        shadedMost = std::max(shadedMost, cull.shaded.size());
        save(std::string(v.name) + " all", all);
        save(std::string(v.name) + " culled", mine);
        EXPECT_GT(shareAbove(all, 2), 0.05) << "the view shows something, if only fog";
        const Difference d = compare(all, mine);
        EXPECT_EQ(d.off, 0) << "pixels off by more than one step, the worst by " << d.worst;
        // Each culled frame is compared with the frame with every node drawn just before it: both
        // draw first what showed in the culled frame before them.
        const Picture again = everything();
        EXPECT_EQ(compare(again, withWorldShader(everyLight)).off, 0) << "with the lightning and the fire";
        const Picture third = everything();
        EXPECT_EQ(compare(third, everythingWithTheLampEverywhere()).off, 0) << "the lamp lights nothing outside its cone";
        // The third frame of a view tests every node against the depth the second one read.
        EXPECT_EQ(compare(third, culled()).off, 0) << "with the terrain's depth known";
    }
    EXPECT_GT(silhouettes, 0u) << "some view reaches past the fog horizon";
    EXPECT_GT(behind, 0u) << "some view has terrain behind nearer terrain";
    EXPECT_GT(outOfView, 0u) << "some view has near nodes reaching out of it";
    scene.game.session.weather.rain = false;
    scene.game.scene.lightning->sinceStrike = 5.0f;

    // A walk of small steps into the forest: each pass draws first what showed in its frame
    // before, and what comes into view must still show in the frame it does.
    size_t shownFirst = 0;
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const glm::vec3 ahead = glm::normalize(views[0].target - views[0].eye) * (0.5f * float(step));
        scene.look(views[0].eye + ahead, views[0].target + ahead);
        const Picture all = everything();
        const Picture mine = culled();
        shownFirst += step > 0 ? world().lastTerrainCull().shownFirstTriangles : 0;
        const Difference d = compare(all, mine);
        EXPECT_EQ(d.off, 0) << "pixels off by more than one step, the worst by " << d.worst;
    }
    EXPECT_GT(shownFirst, 0u) << "the steps after the first draw what showed before first";

    // The lamp's shadow, read by four gathers or by nine plain reads, is the shadow of four
    // filtered taps.
    const std::string reference = worldShaderWithFilteredTaps(), plain = worldShaderWithPlainReads();
    ASSERT_FALSE(reference.empty() || plain.empty()) << "the world shader still has both shadow lookups";
    scene.look(views[5].eye, views[5].target);
    const Picture shipped = culled();
    const Picture four = withWorldShader(reference), nine = withWorldShader(plain);
    save("lamp shadow filtered taps", four);
    save("lamp shadow plain reads", nine);
    for (const Picture* other : { &four, &nine }) {
        ASSERT_EQ(other->size(), shipped.size());
        const Difference d = compare(*other, shipped);
        EXPECT_EQ(d.off, 0) << "pixels off by more than one step, the worst by " << d.worst;
    }
}

// The shadow map is drawn again only when something it holds may have changed: the same frame
// again keeps it (its eye and so its lamp's reach are this frame's), and an edit in the lamp's
// light and new targets draw it anew, matching the frame with every node drawn. The scene's
// terrain depth, read in the second frame of a view, serves the frames after it on the same
// terms.
TEST_F(TerrainCullingGl, TheShadowMapAndTheTerrainDepthAreKeptOnlyWhileNothingTheyHoldChanges)
{
    const glm::vec3 trunk = trunkNearStart();
    ASSERT_GT(trunk.y, 0.0f) << "a tree stands near the start";
    FrameStats stats;
    Game& game = scene.game;
    game.platform.frameStats = &stats;
    game.playing = true;
    // Frames counted so far, and how many of them kept the map or knew the terrain's depth.
    auto counted = [&](const std::string& line) {
        const std::string report = stats.report();
        const size_t at = report.find(line);
        const size_t from = at + line.size();
        return at == std::string::npos ? std::string() : report.substr(from, report.find(" frames", at) - from);
    };
    auto kept = [&]() { return counted("shadow map kept in "); };
    auto known = [&]() { return counted("terrain depth known in "); };
    const glm::vec3 eye = trunk + glm::vec3(-3.0f, 1.7f, -0.6f), target = trunk + glm::vec3(2.0f, 0.0f, -0.6f);
    scene.look(eye, target);
    const Picture first = culled();
    EXPECT_EQ(compare(culled(), first).off, 0);
    EXPECT_EQ(kept(), "1 of 2");
    EXPECT_EQ(compare(culled(), first).off, 0);
    EXPECT_EQ(known(), "1 of 3");

    // A brick between the lamp and the trunk: its shadow falls on the bark.
    world().editVoxels(BLOCK_BRICK, std::make_unique<aabb>(trunk + glm::vec3(-1.5f, 1.0f, -1.0f), trunk + glm::vec3(-1.0f, 2.0f, -0.5f)));
    ASSERT_TRUE(scene.load()) << "the edit is meshed and uploaded";
    scene.look(eye, target); // the world's updates place the player anew
    const Picture edited = culled();
    EXPECT_EQ(kept(), "2 of 4");
    EXPECT_EQ(known(), "1 of 4");
    EXPECT_GT(compare(edited, first).off, 100) << "the brick and its shadow show";
    EXPECT_EQ(compare(everything(), edited).off, 0);

    // Targets made anew hold nothing, even where the old map's texture name comes back.
    culled();
    freeFramebuffers(game.scene.framebuffers);
    createFramebuffers(game.scene.framebuffers, scene.setup.width, scene.setup.height, 1, 1);
    EXPECT_EQ(compare(culled(), edited).off, 0);
    EXPECT_EQ(kept(), "2 of 7");
    EXPECT_EQ(known(), "1 of 7");
    game.platform.frameStats = nullptr;
    game.playing = false;
}

} // namespace
