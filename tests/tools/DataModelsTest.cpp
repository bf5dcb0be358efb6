// Checks of the generated meshes and model textures: they follow the file
// rules the game's loaders rely on, the generator writes the same bytes every
// time, and the shapes fit the boxes and placements the game gives them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <png.h>
#include <unistd.h>

#include "render/MeshTable.h"
#include "render/TextureTable.h"
#include "tools/datagen/DataGen.h"
#include "tools/datagen/MeshBuilder.h"
#include "tools/datagen/ModelSet.h"

namespace {

namespace fs = std::filesystem;

struct Corner {
    int position, uv, normal; // 0-based
};

// An OBJ file read by the rules of the game's reader, strictly: anything the
// reader would warn about, misread or index out of range is a problem.
struct ObjFile {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<std::array<Corner, 3>> triangles;
    std::vector<std::string> problems;

    glm::vec3 min(const glm::mat4& m = glm::mat4(1.0f)) const
    {
        glm::vec3 lo(1e30f);
        for (glm::vec3 p : positions)
            lo = glm::min(lo, glm::vec3(m * glm::vec4(p, 1.0f)));
        return lo;
    }
    glm::vec3 max(const glm::mat4& m = glm::mat4(1.0f)) const
    {
        glm::vec3 hi(-1e30f);
        for (glm::vec3 p : positions)
            hi = glm::max(hi, glm::vec3(m * glm::vec4(p, 1.0f)));
        return hi;
    }
};

ObjFile parseObj(const std::string& text)
{
    ObjFile obj;
    auto problem = [&](size_t line, const std::string& what) {
        obj.problems.push_back("line " + std::to_string(line) + ": " + what);
    };
    if (!text.empty() && text.back() != '\n')
        problem(0, "no line feed at the end of the file");
    const std::regex cornerPattern(R"((\d+)/(\d+)/(\d+))");
    std::istringstream lines(text);
    std::string line;
    for (size_t number = 1; std::getline(lines, line); ++number) {
        if (line.find('\r') != std::string::npos)
            problem(number, "carriage return");
        if (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            problem(number, "white space before the line feed");
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind))
            continue;
        std::vector<std::string> rest;
        for (std::string word; words >> word;)
            rest.push_back(word);
        auto numbers = [&](size_t count) {
            std::vector<float> values;
            if (rest.size() != count) {
                problem(number, kind + " needs " + std::to_string(count) + " numbers");
                return values;
            }
            for (const std::string& word : rest)
                values.push_back(std::stof(word));
            return values;
        };
        if (kind == "#" || kind == "o") {
            continue;
        } else if (kind == "s") {
            if (rest.size() != 1)
                problem(number, "s takes one word");
        } else if (kind == "v" || kind == "vn") {
            const auto values = numbers(3);
            if (values.size() == 3)
                (kind == "v" ? obj.positions : obj.normals).push_back({ values[0], values[1], values[2] });
        } else if (kind == "vt") {
            const auto values = numbers(2);
            if (values.size() == 2)
                obj.uvs.push_back({ values[0], values[1] });
        } else if (kind == "f") {
            std::vector<Corner> corners;
            for (const std::string& word : rest) {
                std::smatch m;
                if (!std::regex_match(word, m, cornerPattern)) {
                    problem(number, "face corner " + word + " is not position/uv/normal");
                    continue;
                }
                const Corner c { std::stoi(m[1]) - 1, std::stoi(m[2]) - 1, std::stoi(m[3]) - 1 };
                if (c.position < 0 || c.position >= int(obj.positions.size()) || c.uv < 0
                    || c.uv >= int(obj.uvs.size()) || c.normal < 0 || c.normal >= int(obj.normals.size()))
                    problem(number, "face corner " + word + " points past the lists read so far");
                else
                    corners.push_back(c);
            }
            if (corners.size() < 3)
                problem(number, "face with fewer than three usable corners");
            // The reader's fan: the first triangle in corner order, then (k - 1, k, first).
            for (size_t k = 2; k < corners.size(); ++k)
                obj.triangles.push_back(k == 2 ? std::array { corners[0], corners[1], corners[2] }
                                               : std::array { corners[k - 1], corners[k], corners[0] });
        } else {
            problem(number, "unknown command " + kind);
        }
    }
    return obj;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const std::map<std::string, ObjFile>& generatedMeshes()
{
    static const std::map<std::string, ObjFile> meshes = [] {
        std::map<std::string, ObjFile> all;
        for (const char* file : meshFiles)
            all[file] = parseObj(readFile(fs::path(MOSSGRAVE_RUN_DIR) / file));
        return all;
    }();
    return meshes;
}

const ObjFile& mesh(const std::string& file)
{
    return generatedMeshes().at(file);
}

// Twice the signed volume enclosed, positive when the faces point outwards.
float signedVolume(const ObjFile& obj)
{
    double volume = 0.0;
    for (const auto& t : obj.triangles)
        volume += glm::dot(obj.positions[size_t(t[0].position)],
            glm::cross(obj.positions[size_t(t[1].position)], obj.positions[size_t(t[2].position)]));
    return float(volume / 6.0);
}

} // namespace

TEST(GeneratedModels, EveryTableMeshKeepsToTheReadersSubset)
{
    for (const char* file : meshFiles) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::is_regular_file(fs::path(MOSSGRAVE_RUN_DIR) / file));
        const ObjFile& obj = mesh(file);
        for (const std::string& problem : obj.problems)
            ADD_FAILURE() << problem;
        EXPECT_GT(obj.triangles.size(), 10u);
        for (glm::vec3 n : obj.normals)
            EXPECT_NEAR(glm::length(n), 1.0f, 1e-3f);
        for (glm::vec2 uv : obj.uvs) {
            EXPECT_TRUE(uv.x >= 0.0f && uv.x <= 1.0f && uv.y >= 0.0f && uv.y <= 1.0f);
        }
    }
}

TEST(GeneratedModels, FacesWindCounterClockwiseAroundOutwardNormals)
{
    for (const char* file : meshFiles) {
        SCOPED_TRACE(file);
        const ObjFile& obj = mesh(file);
        int wrong = 0;
        for (const auto& t : obj.triangles) {
            const glm::vec3 a = obj.positions[size_t(t[0].position)];
            const glm::vec3 face = glm::cross(
                obj.positions[size_t(t[1].position)] - a, obj.positions[size_t(t[2].position)] - a);
            const glm::vec3 normals = obj.normals[size_t(t[0].normal)] + obj.normals[size_t(t[1].normal)]
                + obj.normals[size_t(t[2].normal)];
            if (glm::dot(face, normals) <= 0.0f)
                ++wrong;
        }
        EXPECT_EQ(wrong, 0);
        // Every part is a closed solid, so outward faces enclose a positive volume.
        EXPECT_GT(signedVolume(obj), 0.0f);
    }
}

TEST(GeneratedModels, EveryModelTextureIsAnEightBitRgbPng)
{
    for (const char* file : modelTexturePaths) {
        SCOPED_TRACE(file);
        const fs::path path = fs::path(MOSSGRAVE_RUN_DIR) / file;
        FILE* in = std::fopen(path.c_str(), "rb");
        ASSERT_NE(in, nullptr);
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            png_destroy_read_struct(&png, &info, nullptr);
            std::fclose(in);
            FAIL() << "not a readable PNG";
        }
        png_init_io(png, in);
        png_read_info(png, info);
        EXPECT_EQ(png_get_bit_depth(png, info), 8);
        EXPECT_EQ(png_get_color_type(png, info), PNG_COLOR_TYPE_RGB);
        EXPECT_GT(png_get_image_width(png, info), 0u);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(in);
    }
}

TEST(GeneratedModels, GeneratorWritesTheSameBytesEveryRun)
{
    const fs::path base = fs::temp_directory_path() / ("mossgrave_models_" + std::to_string(::getpid()));
    fs::remove_all(base);
    ASSERT_TRUE(datagen::writeModelsAndModelTextures(base / "a"));
    ASSERT_TRUE(datagen::writeModelsAndModelTextures(base / "b"));
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(base / "a")) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const fs::path other = base / "b" / fs::relative(entry.path(), base / "a");
        SCOPED_TRACE(other.string());
        ASSERT_TRUE(fs::exists(other));
        EXPECT_TRUE(readFile(entry.path()) == readFile(other));
    }
    // 25 meshes, the 14 model textures painted for them (the sky and fire
    // entries come from the texture writer) and the contact sheet.
    EXPECT_EQ(files, 40u);
    fs::remove_all(base);
}

TEST(GeneratedModels, CatInItsRestPoseFillsItsBodyBox)
{
    // The cat is drawn at 0.24 of its mesh units; its body box is 0.5 x 0.4 x 0.5.
    const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(0.24f));
    auto at = [&](const float(&p)[3]) {
        return scale * glm::translate(glm::mat4(1.0f), { p[0], p[1], p[2] });
    };
    glm::vec3 lo = glm::min(
        mesh("models/cat_body.obj").min(scale), mesh("models/cat_head.obj").min(at(datagen::catPose::head)));
    glm::vec3 hi = glm::max(
        mesh("models/cat_body.obj").max(scale), mesh("models/cat_head.obj").max(at(datagen::catPose::head)));
    lo = glm::min(lo, mesh("models/cat_tail.obj").min(at(datagen::catPose::tail)));
    hi = glm::max(hi, mesh("models/cat_tail.obj").max(at(datagen::catPose::tail)));
    for (const auto& leg : datagen::catPose::legs) {
        lo = glm::min(lo, mesh("models/cat_leg.obj").min(at(leg)));
        hi = glm::max(hi, mesh("models/cat_leg.obj").max(at(leg)));
    }
    EXPECT_NEAR(lo.y, -0.2f, 0.01f); // paws on the box floor
    EXPECT_NEAR(hi.y, 0.2f, 0.01f); // ear tips at its top
    EXPECT_NEAR(lo.z, -0.25f, 0.01f);
    EXPECT_NEAR(hi.z, 0.25f, 0.01f);
    EXPECT_GT(lo.x, -0.25f); // a cat is narrower than its box
    EXPECT_LT(hi.x, 0.25f);
    // The leg hangs from its hip, the tail starts at its root.
    EXPECT_NEAR(mesh("models/cat_leg.obj").max().y, 0.05f, 0.06f);
    EXPECT_GT(mesh("models/cat_tail.obj").min().z, -0.1f);
}

TEST(GeneratedModels, DeathStandsInItsHumanBox)
{
    const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(0.24f));
    glm::vec3 lo(1e30f), hi(-1e30f);
    for (const char* part : { "models/death_scythe.obj", "models/death_left_arm.obj",
             "models/death_right_arm.obj", "models/death_head.obj", "models/death_body.obj" }) {
        lo = glm::min(lo, mesh(part).min(scale));
        hi = glm::max(hi, mesh(part).max(scale));
    }
    EXPECT_NEAR(lo.y, -0.85f, 0.01f);
    EXPECT_NEAR(hi.y, 0.85f, 0.02f);
    EXPECT_GE(lo.x, -0.45f);
    EXPECT_LE(hi.x, 0.45f);
    EXPECT_GE(lo.z, -0.45f);
    EXPECT_LE(hi.z, 0.45f);
    // The scythe towers over the hood.
    EXPECT_GT(
        mesh("models/death_scythe.obj").max(scale).y, mesh("models/death_head.obj").max(scale).y - 0.1f);
}

TEST(GeneratedModels, WorldObjectsFitTheirBoxes)
{
    // Each object's box in units of its model, as the game scales it.
    auto scaled = [](float s) { return glm::scale(glm::mat4(1.0f), glm::vec3(s)); };
    const ObjFile& cage = mesh("models/cage.obj");
    EXPECT_NEAR(cage.min(scaled(0.7f)).y, -0.5f, 0.005f);
    EXPECT_NEAR(cage.max(scaled(0.7f)).y, 0.5f, 0.005f);
    EXPECT_NEAR(cage.max(scaled(0.7f)).x, 0.5f, 0.005f);
    EXPECT_NEAR(cage.min(scaled(0.7f)).z, -0.5f, 0.005f);
    struct Standing {
        const char* file;
        float scale, top;
    };
    for (const Standing& s :
        { Standing { "models/sign.obj", 0.7f, 2.5f }, Standing { "models/bonfire.obj", 0.7f, 3.5f },
            Standing { "models/blasting_machine.obj", 0.3f, 1.5f },
            Standing { "models/blasting_machine_handle.obj", 0.3f, 1.5f } }) {
        SCOPED_TRACE(s.file);
        const glm::vec3 lo = mesh(s.file).min(scaled(s.scale));
        const glm::vec3 hi = mesh(s.file).max(scaled(s.scale));
        if (std::string(s.file) != "models/blasting_machine_handle.obj") {
            EXPECT_NEAR(lo.y, -0.5f, 0.005f); // on the floor of the box
        }
        EXPECT_LE(hi.y, s.top);
        EXPECT_GE(glm::min(lo.x, lo.z), -0.505f);
        EXPECT_LE(glm::max(hi.x, hi.z), 0.505f);
    }
    // The pushed handle (1.3 units down) sinks into the machine, not through its floor.
    EXPECT_GT(mesh("models/blasting_machine_handle.obj").min().y - 1.3f,
        mesh("models/blasting_machine.obj").min().y);
    const glm::vec3 packLo = mesh("models/dynamite_pack.obj").min(scaled(0.2f));
    const glm::vec3 packHi = mesh("models/dynamite_pack.obj").max(scaled(0.2f));
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GE(packLo[axis], -1.0f);
        EXPECT_LE(packHi[axis], 1.0f);
        EXPECT_GT(packHi[axis] - packLo[axis], 1.2f);
    }
    // A thrown ball's 0.6 box at its 0.3 scale.
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(mesh("models/ball.obj").max(scaled(0.3f))[axis], 0.3f, 0.005f);
}

TEST(GeneratedModels, ItemsRestOnTheirStands)
{
    // An item stand raises each item along its own y after turning it; the
    // lowest point of the turned mesh must land on the stand.
    struct Display {
        const char* file;
        float raise;
        glm::mat4 turn;
    };
    const Display displays[] = {
        { "models/dynamite.obj", 0.5f, glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), { 1, 0, 0 }) },
        { "models/fish.obj", 0.4f, glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), { 0, 0, 1 }) },
        { "models/jetpack.obj", 3.0f, glm::mat4(1.0f) },
        { "models/ball.obj", 1.0f, glm::mat4(1.0f) },
        { "models/potion_bottle.obj", 0.15f, glm::mat4(1.0f) },
    };
    for (const Display& d : displays) {
        SCOPED_TRACE(d.file);
        EXPECT_NEAR(mesh(d.file).min(d.turn).y + d.raise, 0.0f, 0.03f);
    }
}

TEST(GeneratedModels, FuseAndCorkSitWhereTheGameExpectsThem)
{
    // Sparks burn from 3.5 units up the stick's y down to its top at 2.
    EXPECT_NEAR(mesh("models/dynamite.obj").max().y, 3.5f, 0.08f);
    // The cork plugs the bottle's mouth, three units up its y.
    const ObjFile& bottle = mesh("models/potion_bottle.obj");
    const ObjFile& cork = mesh("models/potion_cork.obj");
    EXPECT_NEAR(bottle.max().y, 3.0f, 0.01f);
    EXPECT_LT(cork.min().y, 3.0f);
    EXPECT_GT(cork.max().y, 3.2f);
    EXPECT_LT(cork.max().x, 0.36f); // no wider than the lip
}

namespace {

// The share of a mesh's vertices that the player's camera sees when the item
// is drawn with `model`: the player at the origin looking along -z, the eye
// 0.6 up, a 70 degree vertical view at 4:3 with the near plane at 0.2.
float shareInView(const ObjFile& obj, const glm::mat4& model)
{
    const float tanHalf = std::tan(glm::radians(35.0f));
    int seen = 0;
    for (glm::vec3 p : obj.positions) {
        const glm::vec3 d = glm::vec3(model * glm::vec4(p, 1.0f)) - glm::vec3(0.0f, 0.6f, 0.0f);
        const float depth = -d.z;
        if (depth > 0.2f && std::abs(d.y) < depth * tanHalf && std::abs(d.x) < depth * tanHalf * 4.0f / 3.0f)
            ++seen;
    }
    return float(seen) / float(std::max<size_t>(obj.positions.size(), 1));
}

glm::mat4 translate(glm::vec3 v)
{
    return glm::translate(glm::mat4(1.0f), v);
}
glm::mat4 scale(float s)
{
    return glm::scale(glm::mat4(1.0f), glm::vec3(s));
}

} // namespace

TEST(GeneratedModels, HeldThingsShowInThePlayersView)
{
    // The hand placements of a player looking straight ahead.
    const glm::mat4 eye = translate({ 0.0f, 0.6f, 0.0f });
    const glm::mat4 lamp = scale(0.15f) * translate({ 2.0f, 0.0f, -5.0f });
    const glm::mat4 stick = scale(0.2f) * translate({ -3.5f, -0.5f, -8.0f });
    const glm::mat4 thrown = scale(0.2f) * translate({ -2.0f, 0.0f, -5.0f })
        * glm::rotate(glm::mat4(1.0f), glm::radians(-20.0f), { 0, 1, 0 })
        * glm::rotate(glm::mat4(1.0f), glm::radians(-20.0f), { 1, 0, 0 });
    const glm::mat4 jet = eye * translate({ 0.3f, -0.4f, -0.1f }) * scale(0.3f);
    const glm::mat4 flask
        = eye * translate({ -0.4f, -0.55f, -0.3f }) * translate({ 0.0f, 0.0f, -0.5f }) * scale(0.15f);
    EXPECT_GT(shareInView(mesh("models/flashlight.obj"), lamp), 0.9f);
    EXPECT_GT(shareInView(mesh("models/flashlight_hand.obj"), lamp), 0.3f);
    EXPECT_GT(shareInView(mesh("models/dynamite.obj"), stick), 0.7f);
    EXPECT_GT(shareInView(mesh("models/jetpack_hand.obj"), jet), 0.3f);
    EXPECT_GT(shareInView(mesh("models/potion_bottle.obj"), flask), 0.6f);
    EXPECT_GT(shareInView(mesh("models/fish.obj"), thrown), 0.3f);
    EXPECT_GT(shareInView(mesh("models/ball.obj"), thrown), 0.3f);
    // The tanks are worn on the back, behind the camera; only the throttle shows.
    EXPECT_LT(shareInView(mesh("models/jetpack.obj"), jet), 0.2f);
    // The player's own hands stay inside his body box.
    EXPECT_GE(
        glm::min(glm::min(mesh("models/player.obj").min().x, mesh("models/player.obj").min().z), -0.45f),
        -0.45f);
    EXPECT_LE(glm::max(mesh("models/player.obj").max().x, mesh("models/player.obj").max().z), 0.45f);
}

TEST(MeshBuilder, MirroredPartsKeepTheirFacesOutwardAndObjListsEachValueOnce)
{
    using namespace datagen;
    const Mesh cube = box({ 0, 0, 0 }, { 1, 2, 3 }, BoxUv::all({}));
    Mesh mirrored;
    mirrored.append(cube, glm::scale(glm::mat4(1.0f), { -1.0f, 1.0f, 1.0f }));
    const Mesh* const meshes[] = { &cube, &mirrored };
    for (const Mesh* m : meshes) {
        const ObjFile obj = parseObj(objText(*m, "test"));
        EXPECT_TRUE(obj.problems.empty());
        EXPECT_NEAR(signedVolume(obj), 6.0f, 1e-4f);
        EXPECT_EQ(obj.positions.size(), 8u);
        EXPECT_EQ(obj.normals.size(), 6u);
        EXPECT_EQ(obj.triangles.size(), 12u);
    }
    // A closed tube and an ellipsoid enclose about the volume of their shapes.
    const ObjFile tubeObj = parseObj(objText(tube({ 0, 0, 0 }, { 0, 0, 2 }, 1.0f, 1.0f, 32, {}, {}), "tube"));
    EXPECT_NEAR(signedVolume(tubeObj), 2.0f * 3.14159f, 0.05f);
    const ObjFile ball = parseObj(objText(ellipsoid({ 1, 1, 1 }, { 1, 2, 3 }, 32, 16, {}), "ball"));
    EXPECT_NEAR(signedVolume(ball), 4.0f / 3.0f * 3.14159f * 6.0f, 0.5f);
}
