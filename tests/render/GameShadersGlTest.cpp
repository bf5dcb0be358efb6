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
            { "modelViewProjMatrix", "modelViewMatrix", "depthBiasMV", "flashLightPos", "flashLightDir",
                "flashLightFOV", "flashLightIntensity", "diffuseTexArray", "depthTex", "firePos", "fireNoise",
                "fogFactor", "lightning", "lightningFactor", "sunDir" } },
        { SHADER_MODEL,
            { "modelMatrix", "meshMatrix", "modelViewProjectionMatrix", "diffuseTex", "depthTex", "depthBiasMV",
                "sunDir", "alwaysBright", "golden" } },
        { SHADER_DEPTH, { "projview" } },
        { SHADER_PARTICLES, { "viewProjMatrix", "viewMatrix", "projMatrix", "time", "screenRes" } },
        { SHADER_BILLBOARD, { "modelViewMatrix", "projMatrix", "diffuseTex" } },
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

// The world shader drawing a 16 x 16 floor of grass-like white, seen from
// above, lit by a flashlight from straight above the centre.
class WorldShaderLight : public GlTest {
protected:
    static constexpr int SIZE = 64;

    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::string log;
        shader = loadGameShader("shader/world.glsl", &log);
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
        // A shadow map that is lit everywhere (depth 1).
        glGenTextures(1, &depth);
        glBindTexture(GL_TEXTURE_2D, depth);
        std::vector<float> far(16, 1.0f);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 4, 4, 0, GL_DEPTH_COMPONENT, GL_FLOAT, far.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);

        // The floor at y = 0 in the terrain format: one +Y quad of block type 1, placed by
        // its origin and a 16-unit step.
        TerrainMeshData data;
        data.placement.origin = glm::vec3(-8, 0, -8);
        data.placement.step = glm::vec3(16);
        appendTerrainQuad(data, 4, TerrainQuad { 0, 0, 0, 1, 1, 1 });
        finishTerrainIndices(data, { 0, 0, 0, 0, 1, 0 });
        floor = std::make_unique<TerrainMesh>(data);
    }
    void TearDown() override
    {
        if (shader)
            glDeleteProgram(shader->program);
        floor.reset();
        glDeleteTextures(1, &blocks);
        glDeleteTextures(1, &depth);
        glDeleteTextures(1, &target);
        glDeleteFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        GlTest::TearDown();
    }

    // Draws the floor seen from 12 units above and returns the pixel rows.
    std::vector<unsigned char> draw(const glm::vec3& lampPosition)
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
        // Every point lands in the middle of the map, nearer than its depth 1: lit.
        glm::mat4 bias(0.0f);
        bias[3] = glm::vec4(0.5f, 0.5f, 0.5f, 1.0f);
        shader->setMat4("depthBiasMV", bias);
        shader->setFloat("flashLightIntensity", 0.75f);
        shader->setFloat("night", 1.0f);
        shader->setFloat("flashLightFOV", 50.0f);
        shader->setVec3("flashLightPos", lampPosition);
        shader->setVec3("flashLightDir", glm::vec3(0, 1, 0)); // the back axis: it shines down
        shader->setVec3("firePos", glm::vec3(1000.0f, 0.0f, 0.0f));
        shader->setFloat("fireNoise", 1.0f);
        shader->setInt("outsideShadow", 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, blocks);
        shader->setInt("diffuseTexArray", 0);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_2D, depth);
        shader->setInt("depthTex", 5);
        floor->draw();
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
    GLuint target = 0, framebuffer = 0, blocks = 0, depth = 0;
    std::unique_ptr<TerrainMesh> floor;
};

TEST_F(WorldShaderLight, TheConeLightsItsCentreAndTheNightKeepsTheRestDark)
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
}

} // namespace
