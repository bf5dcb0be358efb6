#include "render/PngImage.h"
#include "render/TextureTable.h"
#include "render/TestFiles.h"
#include "render/XvfbServer.h"
#include "tools/datagen/ModelSet.h"
#include "tools/modelsheet/ModelSheet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <glm/vec4.hpp>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using namespace modelsheet;

namespace {

struct RunResult {
    int status = -1; // exit code; -1 when it could not start, was killed or timed out
    std::string output; // standard output and error together
};

// Runs the tool with its output in a file, `extraEnv` added to (or replacing
// entries of) this process's environment. Killed after `timeout`.
RunResult runModelSheet(const std::vector<std::string>& args, const fs::path& logFile,
    const std::vector<std::string>& extraEnv, std::chrono::seconds timeout = std::chrono::seconds(180))
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        bool replaced = false;
        for (const auto& x : extraEnv)
            replaced = replaced || entry.substr(0, entry.find('=') + 1) == x.substr(0, x.find('=') + 1);
        if (!replaced)
            env.push_back(entry);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<std::string> argv { MOSSGRAVE_MODELSHEET };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> argp, envp;
    for (auto& a : argv)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    RunResult result;
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (status != -1 && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    std::ifstream in(logFile);
    std::stringstream text;
    text << in.rdbuf();
    result.output = text.str();
    return result;
}

// A copy of the run folder made of links, without `left` (relative path).
void linkRunFolderWithout(const fs::path& copy, const std::string& left)
{
    const fs::path run = MOSSGRAVE_RUN_DIR;
    for (const char* dir : { "shader", "models", "textures" }) {
        fs::create_directories(copy / dir);
        for (const auto& entry : fs::directory_iterator(run / dir)) {
            const fs::path relative = fs::path(dir) / entry.path().filename();
            if (relative != fs::path(left))
                fs::create_symlink(entry.path(), copy / relative);
        }
    }
}

glm::vec3 project(const Framing& f, glm::vec3 p, float& w)
{
    const glm::vec4 clip = f.projection * f.view * glm::vec4(p, 1.0f);
    w = clip.w;
    return glm::vec3(clip) / clip.w;
}

bool isBackground(const uint8_t* p)
{
    return std::abs(int(p[0]) - BACKGROUND[0]) + std::abs(int(p[1]) - BACKGROUND[1])
        + std::abs(int(p[2]) - BACKGROUND[2])
        <= 6;
}

} // namespace

// Boxes the size of a cat's leg, a scythe off to one side, a sign with no
// depth and a single point: each must land whole in its tile, at most a margin
// inside it along its longer side, in front of the camera and inside the
// depth range, with the lamp lighting the side the camera sees from above.
TEST(ModelSheetFraming, EveryBoxFillsItsTileWhole)
{
    const Bounds boxes[] = {
        { glm::vec3(-0.1f, -0.4f, -0.1f), glm::vec3(0.1f, 0.0f, 0.1f), false },
        { glm::vec3(3.0f, 0.0f, -7.0f), glm::vec3(3.2f, 2.6f, -5.4f), false },
        { glm::vec3(-0.8f, 0.0f, 0.0f), glm::vec3(0.8f, 1.2f, 0.0f), false },
        { glm::vec3(0.5f), glm::vec3(0.5f), false },
    };
    for (const Bounds& b : boxes) {
        SCOPED_TRACE(testing::Message() << "box " << b.lo.x << "," << b.lo.y << "," << b.lo.z);
        const Framing f = frameBounds(b);
        glm::vec2 lo(1e30f), hi(-1e30f);
        for (int i = 0; i < 8; ++i) {
            const glm::vec3 c { i & 1 ? b.hi.x : b.lo.x, i & 2 ? b.hi.y : b.lo.y, i & 4 ? b.hi.z : b.lo.z };
            float w = 0;
            const glm::vec3 ndc = project(f, c, w);
            EXPECT_GT(w, 0.0f);
            EXPECT_GT(ndc.z, -1.0f);
            EXPECT_LT(ndc.z, 1.0f);
            lo = glm::min(lo, glm::vec2(ndc));
            hi = glm::max(hi, glm::vec2(ndc));
        }
        EXPECT_GE(lo.x, -0.95f);
        EXPECT_GE(lo.y, -0.95f);
        EXPECT_LE(hi.x, 0.95f);
        EXPECT_LE(hi.y, 0.95f);
        if (b.hi != b.lo) {
            EXPECT_GT(std::max(hi.x - lo.x, hi.y - lo.y), 1.6f) << "the box is drawn too small";
            EXPECT_NEAR(lo.x + hi.x, 0.0f, 0.02f) << "not centred";
            EXPECT_NEAR(lo.y + hi.y, 0.0f, 0.02f) << "not centred";
        }
        const glm::vec3 centre = 0.5f * (b.lo + b.hi);
        EXPECT_GT(f.eye.y, centre.y) << "a three-quarter view looks down on the model";
        EXPECT_GT(f.lamp.y, centre.y);
        EXPECT_GT(glm::dot(f.lamp - centre, f.eye - centre), 0.0f) << "the lamp lights the far side";
    }
}

// The sheet's table and the data generator decide independently which
// texture a mesh wears (the generator paints the texture for its UVs); they
// must agree, or the sheet shows a mesh in another's colours.
TEST(ModelSheetFraming, EachMeshWearsTheTextureItWasPaintedFor)
{
    for (int i = 0; i < MESH_COUNT; ++i)
        EXPECT_EQ(modelTexturePaths[meshTexture[i]], datagen::textureFileFor(meshFiles[i])) << meshFiles[i];
}

TEST(ModelSheetFraming, BoundsCoverOnlyVerticesOfTriangles)
{
    std::istringstream obj("v 0 0 0\nv 1 0 0\nv 0 2 -1\nv 50 50 50\nvt 0 0\nvn 0 0 1\n"
                           "f 1/1/1 2/1/1 3/1/1\n");
    std::ostringstream log;
    const Bounds b = meshBounds(readObj(obj, log));
    ASSERT_FALSE(b.empty);
    EXPECT_EQ(b.lo, glm::vec3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(b.hi, glm::vec3(1.0f, 2.0f, 0.0f));
    EXPECT_TRUE(meshBounds(MeshData {}).empty);
}

// The real run folder under a private Xvfb: one tile per mesh, each showing
// a textured model of its own.
TEST(ModelSheetRun, DrawsEveryMeshAsItsOwnTexturedTile)
{
    if (!XvfbServer::installed())
        GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer server;
    ASSERT_TRUE(server.start()) << server.error();
    TempDir temp;
    const fs::path sheetPath = temp.path() / "sheet.png";
    const RunResult run = runModelSheet({ MOSSGRAVE_RUN_DIR, sheetPath.string() }, temp.path() / "log.txt",
        { "DISPLAY=" + server.display(), "MESA_SHADER_CACHE_DISABLE=true" });
    ASSERT_EQ(run.status, 0) << run.output;

    PngImage sheet;
    ASSERT_TRUE(decodePng(sheetPath.string(), false, sheet));
    ASSERT_TRUE(convertToChannels(sheet, 3));
    ASSERT_EQ(sheet.width, SHEET_WIDTH);
    ASSERT_EQ(sheet.height, SHEET_HEIGHT);
    auto pixel = [&](int x, int y) { return &sheet.pixels[size_t(y) * sheet.rowBytes + size_t(x) * 3]; };

    constexpr int kArea = TILE * TILE;
    std::vector<std::vector<uint8_t>> tiles(MESH_COUNT);
    for (int t = 0; t < MESH_COUNT; ++t) {
        SCOPED_TRACE(meshFiles[t]);
        int model = 0;
        std::set<int> colours; // 4 bits a channel, so noise doesn't count
        for (int y = 0; y < TILE; ++y) {
            for (int x = 0; x < TILE; ++x) {
                const uint8_t* p = pixel(tileX(t) + x, tileY(t) + y);
                tiles[size_t(t)].insert(tiles[size_t(t)].end(), p, p + 3);
                if (isBackground(p))
                    continue;
                ++model;
                colours.insert(p[0] >> 4 << 8 | p[1] >> 4 << 4 | p[2] >> 4);
            }
        }
        // The scythe, a thin pole with a blade, is the sparsest at about 3 %.
        EXPECT_GT(model, kArea / 50) << "the model covers too little of its tile";
        EXPECT_LT(model, kArea * 95 / 100) << "the tile is flooded";
        EXPECT_GE(colours.size(), 12u) << "a flat or untextured model";
        int label = 0;
        for (int y = TILE; y < TILE + LABEL; ++y)
            for (int x = 0; x < TILE; ++x)
                label += !isBackground(pixel(tileX(t) + x, tileY(t) + y));
        EXPECT_GT(label, 30) << "no name under the tile";
    }
    // Any two tiles differ in a good share of their pixels, so no mesh was
    // drawn twice or left over from the tile before.
    for (int a = 0; a < MESH_COUNT; ++a) {
        for (int b = a + 1; b < MESH_COUNT; ++b) {
            int differing = 0;
            for (size_t i = 0; i < tiles[size_t(a)].size(); i += 3) {
                const uint8_t* p = &tiles[size_t(a)][i];
                const uint8_t* q = &tiles[size_t(b)][i];
                differing += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 24;
            }
            EXPECT_GT(differing, kArea / 50) << meshFiles[a] << " and " << meshFiles[b] << " look alike";
        }
    }
}

// A run folder without one mesh or one texture, or with an empty mesh: the
// tool stops before it needs a display, names the file and writes no sheet.
TEST(ModelSheetRun, NamesTheMissingOrEmptyFileAndFails)
{
    {
        SCOPED_TRACE("empty fish.obj");
        TempDir temp;
        const fs::path run = temp.path() / "run";
        linkRunFolderWithout(run, "models/fish.obj");
        std::ofstream(run / "models/fish.obj") << "# nothing here\n";
        const fs::path sheetPath = temp.path() / "sheet.png";
        const RunResult result
            = runModelSheet({ run.string(), sheetPath.string() }, temp.path() / "log.txt", { "DISPLAY=" });
        EXPECT_NE(result.status, 0);
        EXPECT_NE(result.status, -1) << "it did not end by itself";
        EXPECT_NE(result.output.find("models/fish.obj has no triangles"), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(sheetPath));
    }
    for (const std::string left : { "models/cage.obj", "textures/fish.png" }) {
        SCOPED_TRACE(left);
        TempDir temp;
        const fs::path run = temp.path() / "run";
        linkRunFolderWithout(run, left);
        const fs::path sheetPath = temp.path() / "sheet.png";
        const RunResult result
            = runModelSheet({ run.string(), sheetPath.string() }, temp.path() / "log.txt", { "DISPLAY=" });
        EXPECT_NE(result.status, 0);
        EXPECT_NE(result.status, -1) << "it did not end by itself";
        EXPECT_NE(result.output.find("missing " + left), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(sheetPath));
    }
}
