// The post-processing program: it resolves the scene (multisampled, or a
// single sample) onto the window and lays the pause grey and the circular reveal over it.
#include "../render/GlContextFixture.h"
#include "app/ScenePasses.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/VertexArray.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

class PostProcessingShader : public GlTest {
protected:
    static constexpr int SIZE = 64;

    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        shader = std::make_unique<Shader>(MOSSGRAVE_SOURCE_DIR "/shader/post_processing.glsl");
        testing::internal::CaptureStdout();
        ASSERT_TRUE(shader->readFile());
        shader->link();
        const std::string log = testing::internal::GetCapturedStdout();
        ASSERT_EQ(log.find("Failed to compile"), std::string::npos) << log;

        // A four-sample scene: orange everywhere.
        glGenTextures(1, &scene);
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, scene);
        glTexImage2DMultisample(GL_TEXTURE_2D_MULTISAMPLE, 4, GL_RGBA, SIZE, SIZE, GL_TRUE);
        glGenFramebuffers(1, &sceneBuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, sceneBuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D_MULTISAMPLE, scene, 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        // A single-sample scene: teal everywhere.
        glGenTextures(1, &plainScene);
        glBindTexture(GL_TEXTURE_2D, plainScene);
        std::vector<unsigned char> teal(SIZE * SIZE * 4);
        for (size_t i = 0; i < teal.size(); i += 4) {
            teal[i + 1] = 128;
            teal[i + 2] = 255;
        }
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, teal.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

        glGenTextures(1, &target);
        glBindTexture(GL_TEXTURE_2D, target);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers(1, &targetBuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, targetBuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        quad = makeFullscreenQuad();
    }

    void TearDown() override
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, 0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteFramebuffers(1, &sceneBuffer);
        glDeleteFramebuffers(1, &targetBuffer);
        glDeleteTextures(1, &scene);
        glDeleteTextures(1, &plainScene);
        glDeleteTextures(1, &target);
        quad.reset();
        GlTest::TearDown();
    }

    // Draws the pass into the target and reads pixel (x, y) back.
    std::array<int, 3> draw(float circleLoad, bool grey, int x, int y, int samples = 4)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, targetBuffer);
        glViewport(0, 0, SIZE, SIZE);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        shader->bind();
        shader->setInt("texFramebuffer", 0);
        shader->setInt("texScene", 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, scene);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, plainScene);
        glActiveTexture(GL_TEXTURE0);
        shader->setInt("sampleCount", samples);
        shader->setFloat("noiseFactor", 0.0f);
        shader->setFloat("circleLoad", circleLoad);
        shader->setFloat("time", 1.0f);
        shader->setInt("isGrayscale", grey ? 1 : 0);
        shader->setFloat("potionFactor", 0.0f);
        shader->setInt("endAnimation", 0);
        shader->setFloat("gammaChange", brightnessGamma(brightness) - 1.0f);
        quad->draw();
        shader->unbind();
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return { rgba[0], rgba[1], rgba[2] };
    }

    // The whole target after the last draw (still bound), RGBA.
    std::vector<unsigned char> wholeTarget()
    {
        std::vector<unsigned char> pixels(SIZE * SIZE * 4);
        glReadPixels(0, 0, SIZE, SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    int brightness = 100; // percent, as the setting
    std::unique_ptr<Shader> shader;
    std::unique_ptr<VertexArray> quad;
    GLuint scene = 0, plainScene = 0, sceneBuffer = 0, target = 0, targetBuffer = 0;
};

TEST_F(PostProcessingShader, ResolvesTheSceneInsideTheOpenReveal)
{
    EXPECT_NE(shader->program, 0u);
    const auto centre = draw(1.5f, false, SIZE / 2, SIZE / 2);
    EXPECT_NEAR(centre[0], 255, 2);
    EXPECT_NEAR(centre[1], 128, 2);
    EXPECT_NEAR(centre[2], 0, 2);
    const auto corner = draw(1.5f, false, 0, 0);
    EXPECT_NEAR(corner[0], 255, 2); // fully open: the corners too
    // Without anti-aliasing the scene is a plain texture on the second unit.
    EXPECT_EQ(draw(1.5f, false, SIZE / 2, SIZE / 2, 1), (std::array<int, 3> { 0, 128, 255 }));
}

TEST_F(PostProcessingShader, ClosedRevealIsBlackAndHalfOpenShowsOnlyTheMiddle)
{
    EXPECT_EQ(draw(0.0f, false, SIZE / 2, SIZE / 2), (std::array<int, 3> { 0, 0, 0 }));
    EXPECT_GT(draw(0.5f, false, SIZE / 2, SIZE / 2)[0], 250);
    EXPECT_EQ(draw(0.5f, false, 0, 0), (std::array<int, 3> { 0, 0, 0 }));
}

TEST_F(PostProcessingShader, BrightnessIsAGammaThatLeavesEveryValueAloneAt100)
{
    // Every 8-bit value in every channel: red rising, green falling, blue in steps of 7.
    std::vector<unsigned char> ramp(SIZE * SIZE * 4);
    for (int i = 0; i < SIZE * SIZE; ++i) {
        ramp[size_t(i) * 4] = (unsigned char)(i % 256);
        ramp[size_t(i) * 4 + 1] = (unsigned char)(255 - i % 256);
        ramp[size_t(i) * 4 + 2] = (unsigned char)(i * 7 % 256);
        ramp[size_t(i) * 4 + 3] = 255;
    }
    glBindTexture(GL_TEXTURE_2D, plainScene);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, ramp.data());
    auto frame = [&](int percent) {
        brightness = percent;
        draw(1.5f, false, 0, 0, 1);
        return wholeTarget();
    };
    EXPECT_EQ(frame(100), ramp);

    const std::vector<unsigned char> brighter = frame(150);
    const std::vector<unsigned char> darker = frame(50);
    for (size_t i = 0; i < ramp.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) {
            const int in = ramp[i + c];
            // out = in^(100 / brightness) on values from 0 to 1, to within rounding.
            EXPECT_NEAR(brighter[i + c], 255.0 * std::pow(in / 255.0, 100.0 / 150.0), 1.0) << in;
            EXPECT_NEAR(darker[i + c], 255.0 * std::pow(in / 255.0, 2.0), 1.0) << in;
        }
    brightness = 100;
}

TEST_F(PostProcessingShader, PausedSceneIsGrey)
{
    const auto grey = draw(1.5f, true, SIZE / 2, SIZE / 2);
    EXPECT_EQ(grey[0], grey[1]);
    EXPECT_EQ(grey[1], grey[2]);
    EXPECT_GT(grey[0], 40);
    EXPECT_LT(grey[0], 200);
}

} // namespace

// The edge smoothing of a single-sample scene, the same file built as a program of its own.
TEST_F(PostProcessingShader, EdgeSmoothingBlendsOnlyWhereTheBrightnessJumps)
{
    Shader edges(MOSSGRAVE_SOURCE_DIR "/shader/post_processing.glsl");
    edges.defines = EDGE_SMOOTHING_DEFINES;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(edges.readFile());
    edges.link();
    testing::internal::GetCapturedStdout();
    ASSERT_NE(edges.program, 0u);
    // A white triangle above a diagonal on black, and a step of one level in the dark.
    std::vector<unsigned char> picture(SIZE * SIZE * 4, 255);
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            unsigned char* p = &picture[size_t(y * SIZE + x) * 4];
            const unsigned char v = x < SIZE / 2 ? (y > x ? 255 : 0) : (y > SIZE / 2 ? 3 : 2);
            p[0] = p[1] = p[2] = v;
        }
    glBindTexture(GL_TEXTURE_2D, plainScene);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindFramebuffer(GL_FRAMEBUFFER, targetBuffer);
    glViewport(0, 0, SIZE, SIZE);
    glDisable(GL_DEPTH_TEST);
    edges.bind();
    edges.setInt("texScene", 1);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, plainScene);
    glActiveTexture(GL_TEXTURE0);
    quad->draw();
    edges.unbind();
    const std::vector<unsigned char> out = wholeTarget();
    glDeleteProgram(edges.program);

    int blended = 0, changedAway = 0;
    for (int y = 1; y < SIZE - 1; ++y)
        for (int x = 1; x < SIZE - 1; ++x) {
            const size_t i = size_t(y * SIZE + x) * 4;
            const bool nearDiagonal = x < SIZE / 2 - 2 && std::abs(x - y) <= 2;
            blended += nearDiagonal && out[i] > 8 && out[i] < 247;
            // Away from the diagonal (the dark step among it) every texel stays as it was.
            changedAway += !nearDiagonal && std::abs(x - SIZE / 2) > 2 && out[i] != picture[i];
        }
    EXPECT_GT(blended, SIZE / 2) << "the staircase along the diagonal is softened";
    EXPECT_EQ(changedAway, 0) << "flat areas and a step of one level keep their texels";
}
