// The game's own shader files: every one compiles and links, declares the
// uniforms the drawing code sets, and the world shader lights what the
// flashlight points at and leaves the rest in the dark.
#include "GlContextFixture.h"

#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/TerrainMesh.h"

#include <array>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <map>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<Shader> loadGameShader(const std::string& file, std::string* log)
{
    auto shader = std::make_unique<Shader>(std::string(MOSSGRAVE_SOURCE_DIR "/") + file);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool read = shader->readFile();
    shader->link();
    *log = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    return read ? std::move(shader) : nullptr;
}

class GameShadersGlTest : public GlTest {};

TEST_F(GameShadersGlTest, EveryFileCompilesLinksAndDeclaresWhatItIsSent)
{
    // Uniforms the drawing code sets that the shader must use (an unused one
    // would be optimised away and its value silently lost).
    const std::map<int, std::vector<const char*>> used {
        { SHADER_WORLD,
            { "modelViewProjMatrix", "viewMatrix", "eyePosition", "depthBiasMV", "flashLightPos", "flashLightDir",
                "flashLightFOV", "flashLightIntensity", "diffuseTexArray", "depthTex", "firePos", "fireNoise",
                "fogFactor", "lightning", "lightningFactor", "sunDir" } },
        { SHADER_MODEL,
            { "modelMatrix", "meshMatrix", "modelViewProjectionMatrix", "diffuseTex", "depthTex", "depthBiasMV",
                "sunDir", "flashLightDir", "flashLightFOV", "night", "alwaysBright", "inHand", "golden" } },
        { SHADER_DEPTH, { "projview", "eyePosition", "flatColor" } },
        { SHADER_PARTICLES, { "viewProjMatrix", "viewMatrix", "projMatrix", "time", "screenRes" } },
        { SHADER_BILLBOARD, { "modelViewMatrix", "projMatrix", "viewportHeight", "diffuseTex" } },
        { SHADER_COLOR, { "projMatrix", "viewMatrix", "modelMatrix", "col" } },
        { SHADER_LIGHTNING, { "modelViewProjectionMatrix", "timer" } },
        { SHADER_FIRE, { "modelMatrix", "viewMatrix", "projMatrix" } },
        { SHADER_POST_PROCESSING, { "texFramebuffer", "sampleCount", "circleLoad", "isGrayscale" } },
        { SHADER_GUI, { "projMatrix", "modelMatrix" } },
    };
    for (int i = 0; i < SHADER_COUNT; ++i) {
        SCOPED_TRACE(shaderFiles[i]);
        std::string log;
        auto shader = loadGameShader(shaderFiles[i], &log);
        ASSERT_NE(shader, nullptr) << log;
        EXPECT_EQ(log.find("Failed to compile"), std::string::npos) << log;
        EXPECT_EQ(log.find("Error"), std::string::npos) << log;
        GLint linked = 0;
        glGetProgramiv(shader->program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << log;
        auto names = used.find(i);
        if (names != used.end()) {
            for (const char* name : names->second)
                EXPECT_NE(glGetUniformLocation(shader->program, name), -1) << name;
        }
        glDeleteProgram(shader->program);
    }
}

// The world shader's variants: without the lightning and the bonfire, and without the lamp. Each
// links and takes what the scene pass sends it; the ones without the lamp read no shadow map.
TEST_F(GameShadersGlTest, TheWorldVariantsLinkAndOnlyTheLampLessOnesLeaveItsMapUnread)
{
    struct Variant {
        std::string defines;
        bool lamp;
    };
    const Variant variants[] = {
        { PLAIN_NIGHT_DEFINES, true },
        { OUTSIDE_LAMP_DEFINES, false },
        { std::string(PLAIN_NIGHT_DEFINES) + OUTSIDE_LAMP_DEFINES, false },
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.defines);
        Shader shader(std::string(MOSSGRAVE_SOURCE_DIR "/") + shaderFiles[SHADER_WORLD]);
        shader.defines = v.defines;
        testing::internal::CaptureStdout();
        ASSERT_TRUE(shader.readFile());
        shader.link();
        const std::string log = testing::internal::GetCapturedStdout();
        GLint linked = 0;
        glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
        ASSERT_EQ(linked, GL_TRUE) << log;
        for (const char* name : { "modelViewProjMatrix", "eyePosition", "diffuseTexArray", "fogFactor", "night" })
            EXPECT_NE(glGetUniformLocation(shader.program, name), -1) << name;
        for (const char* name : { "depthTex", "flashLightPos", "flashLightIntensity" })
            EXPECT_EQ(glGetUniformLocation(shader.program, name) != -1, v.lamp) << name;
        glDeleteProgram(shader.program);
    }
}

// The world shader (terrain) and the model shader (cats, Death, items)
// drawing a 16 x 16 floor of white, seen from above, lit by a flashlight
// above the centre: both must light it alike.
class LampLight : public GlTest, public testing::WithParamInterface<const char*> {
protected:
    static constexpr int SIZE = 64;

    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::string log;
        shader = loadGameShader(GetParam(), &log);
        ASSERT_NE(shader, nullptr);
        ASSERT_EQ(log.find("Failed to compile"), std::string::npos) << log;

        glGenTextures(1, &target);
        glBindTexture(GL_TEXTURE_2D, target);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));

        // One white layer at index 0 (block type 1).
        glGenTextures(1, &blocks);
        glBindTexture(GL_TEXTURE_2D_ARRAY, blocks);
        std::vector<unsigned char> white(4 * 4 * 4, 255);
        glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, 4, 4, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glGenTextures(1, &white2d);
        glBindTexture(GL_TEXTURE_2D, white2d);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        // A shadow map that is lit everywhere (depth 1).
        glGenTextures(1, &depth);
        glBindTexture(GL_TEXTURE_2D, depth);
        std::vector<float> far(16, 1.0f);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 4, 4, 0, GL_DEPTH_COMPONENT, GL_FLOAT, far.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
        glGenSamplers(1, &rawDepths);
        glSamplerParameteri(rawDepths, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glSamplerParameteri(rawDepths, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glSamplerParameteri(rawDepths, GL_TEXTURE_COMPARE_MODE, GL_NONE);

        // The floor at y = 0: for the world shader in the terrain format, one +Y quad of
        // block type 1 placed by its origin and a 16-unit step; for the model shader as
        // positions, normals and texture coordinates.
        TerrainMeshData data;
        data.placement.origin = glm::vec3(-8, 0, -8);
        data.placement.step = glm::vec3(16);
        appendTerrainQuad(data, 4, TerrainQuad { 0, 0, 0, 1, 1, 1 });
        finishTerrainIndices(data, { 0, 0, 0, 0, 1, 0 });
        terrainFloor = std::make_unique<TerrainMesh>(data);
        const float n = 0.57735f;
        const std::array<float, 32> vertices { -8, 0, -8, -n, n, -n, 1, 0, 8, 0, -8, n, n, -n, 1, 1, 8, 0, 8, n, n,
            n, 1, 2, -8, 0, 8, -n, n, n, 1, 3 };
        // Counter-clockwise seen from above: the model shader lights front faces.
        const std::array<unsigned, 6> indices { 0, 2, 1, 2, 0, 3 };
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glGenBuffers(2, buffers.data());
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices.data(), GL_STATIC_DRAW);
        for (int loc = 0; loc < 3; ++loc)
            glEnableVertexAttribArray(GLuint(loc));
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<void*>(0));
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<void*>(12));
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<void*>(24));
        glBindVertexArray(0);
    }
    void TearDown() override
    {
        if (shader)
            glDeleteProgram(shader->program);
        glDeleteVertexArrays(1, &vao);
        glDeleteBuffers(2, buffers.data());
        terrainFloor.reset();
        glDeleteTextures(1, &blocks);
        glDeleteTextures(1, &white2d);
        glDeleteTextures(1, &depth);
        glDeleteSamplers(1, &rawDepths);
        glDeleteTextures(1, &target);
        glDeleteFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        GlTest::TearDown();
    }

    // Draws the floor seen from 12 units above and returns the pixel rows.
    // `back` is the lamp's back axis: by default it shines straight down.
    std::vector<unsigned char> draw(const glm::vec3& lampPosition, const glm::vec3& back = glm::vec3(0, 1, 0))
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, SIZE, SIZE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        const glm::mat4 view = glm::lookAt(glm::vec3(0, 12, 0), glm::vec3(0), glm::vec3(0, 0, -1));
        const glm::mat4 projection = glm::perspective(glm::radians(70.0f), 1.0f, 0.1f, 100.0f);
        shader->bind();
        shader->setMat4("modelMatrix", glm::mat4(1.0f));
        shader->setMat4("viewMatrix", view);
        shader->setMat4("modelViewMatrix", view);
        shader->setMat4("modelViewProjMatrix", projection * view);
        shader->setVec3("eyePosition", glm::vec3(0, 12, 0));
        // The model shader's names for the same things.
        shader->setMat4("meshMatrix", glm::mat4(1.0f));
        shader->setMat4("modelViewProjectionMatrix", projection * view);
        shader->setVec3("sunDir", lampPosition);
        // Every point lands in the middle of the map, nearer than its depth 1: lit.
        glm::mat4 bias(0.0f);
        bias[3] = glm::vec4(0.5f, 0.5f, 0.5f, 1.0f);
        shader->setMat4("depthBiasMV", bias);
        shader->setFloat("flashLightIntensity", 0.75f);
        shader->setFloat("night", 1.0f);
        shader->setFloat("flashLightFOV", 50.0f);
        shader->setVec3("flashLightPos", lampPosition);
        shader->setVec3("flashLightDir", back);
        shader->setVec3("firePos", glm::vec3(1000.0f, 0.0f, 0.0f));
        shader->setFloat("fireNoise", 1.0f);
        shader->setInt("outsideShadow", 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, blocks);
        shader->setInt("diffuseTexArray", 0);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, white2d);
        shader->setInt("diffuseTex", 1);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_2D, depth);
        shader->setInt("depthTex", 5);
        glActiveTexture(GL_TEXTURE6); // the world shader reads the map's depths as they are too
        glBindTexture(GL_TEXTURE_2D, depth);
        glBindSampler(6, rawDepths);
        shader->setInt("depthValues", 6);
        if (std::string(GetParam()) == shaderFiles[SHADER_WORLD]) {
            terrainFloor->draw();
        } else {
            glBindVertexArray(vao);
            glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
            glBindVertexArray(0);
        }
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindSampler(6, 0);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
        shader->unbind();
        std::vector<unsigned char> pixels(SIZE * SIZE * 4);
        glReadPixels(0, 0, SIZE, SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return pixels;
    }
    static int brightness(const std::vector<unsigned char>& p, int x, int y)
    {
        const size_t i = size_t(y * SIZE + x) * 4;
        return p[i] + p[i + 1] + p[i + 2];
    }

    std::unique_ptr<Shader> shader;
    GLuint target = 0, framebuffer = 0, blocks = 0, white2d = 0, depth = 0, vao = 0, rawDepths = 0;
    std::array<GLuint, 2> buffers {};
    std::unique_ptr<TerrainMesh> terrainFloor;
};

TEST_P(LampLight, TheConeLightsItsCentreAndTheNightKeepsTheRestDark)
{
    const auto lit = draw(glm::vec3(0, 6, 0));
    const int centre = brightness(lit, SIZE / 2, SIZE / 2);
    const int corner = brightness(lit, 2, 2);
    EXPECT_GT(centre, 200) << "the cone's centre is bright";
    EXPECT_LT(corner, centre / 4) << "outside the cone only the moon lights the floor";
    EXPECT_GT(corner, 0) << "the moon still shows the ground faintly";

    // The lamp switched off is moved out of the world: only the moon is left.
    const auto off = draw(glm::vec3(1337.0f, 100014.0f, 10240.0f));
    EXPECT_LT(brightness(off, SIZE / 2, SIZE / 2), centre / 4);
    EXPECT_NEAR(brightness(off, SIZE / 2, SIZE / 2), brightness(off, 2, 2), 30) << "the moon is even";

    // Turned away, the lamp lights nothing behind or beside it: what lies
    // there (Death among it) shows only in the moonlight.
    for (const glm::vec3& back : { glm::vec3(0, -1, 0), glm::vec3(1, 0, 0) }) {
        const auto away = draw(glm::vec3(0, 6, 0), back);
        EXPECT_LT(brightness(away, SIZE / 2, SIZE / 2), centre / 4) << back.x;
        EXPECT_NEAR(brightness(away, SIZE / 2, SIZE / 2), brightness(off, SIZE / 2, SIZE / 2), 30) << back.x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shaders, LampLight, testing::Values(shaderFiles[SHADER_WORLD], shaderFiles[SHADER_MODEL]));

// The moon covers the same share of the screen in a small window as in a large one.
TEST_F(GameShadersGlTest, SpritesAreSizedAgainstTheViewport)
{
    std::string log;
    auto shader = loadGameShader(shaderFiles[SHADER_BILLBOARD], &log);
    ASSERT_NE(shader, nullptr) << log;
    GLuint white = 0, quad = 0, buffer = 0;
    glGenTextures(1, &white);
    glBindTexture(GL_TEXTURE_2D, white);
    const std::vector<unsigned char> texels(4 * 4 * 4, 255);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const float point[4] = { 0.0f, 0.0f, -50.0f, 4.0f }; // position, then world size
    glGenVertexArrays(1, &quad);
    glBindVertexArray(quad);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(point), point, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 16, nullptr);
    glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, 16, reinterpret_cast<void*>(12));
    glEnable(GL_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    std::vector<double> shares;
    for (int height : { 90, 180 }) {
        const int width = height * 16 / 9;
        GLuint target = 0, framebuffer = 0;
        glGenRenderbuffers(1, &target);
        glBindRenderbuffer(GL_RENDERBUFFER, target);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target);
        glViewport(0, 0, width, height);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        shader->bind();
        shader->setMat4("modelViewMatrix", glm::mat4(1.0f));
        shader->setMat4("projMatrix", glm::perspective(glm::radians(60.0f), float(width) / float(height), 0.1f, 100.0f));
        shader->setFloat("viewportHeight", float(height));
        shader->setInt("diffuseTex", 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, white);
        glDrawArrays(GL_POINTS, 0, 1);
        shader->unbind();
        std::vector<unsigned char> pixels(size_t(width * height) * 4);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            lit += pixels[i] > 128;
        shares.push_back(double(lit) / double(width * height));
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &target);
    }
    glDisable(GL_PROGRAM_POINT_SIZE);
    glDisable(GL_POINT_SPRITE);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &quad);
    glDeleteBuffers(1, &buffer);
    glDeleteTextures(1, &white);
    glDeleteProgram(shader->program);
    EXPECT_GT(shares[0], 0.0);
    EXPECT_NEAR(shares[0], shares[1], 0.25 * shares[1]) << "a fixed pixel size would cover four times the share";
}

} // namespace
