// The off-screen targets of a frame: the shadow map's size rule, the scene
// buffer's sample count and the reports of incomplete framebuffers, then the
// real targets made in a GL context.
#include "render/Framebuffers.h"

#include "GlContextFixture.h"

#include <sstream>

TEST(ShadowMapSize, FollowsTheWindowAndTheFactorUpToTheTextureLimit)
{
    EXPECT_EQ(shadowMapSize(1, 640, 360, 16384).width, 640);
    EXPECT_EQ(shadowMapSize(2, 640, 360, 16384).height, 720);
    // Capped on the wide side first, the aspect kept.
    const ShadowMapSize big = shadowMapSize(10, 1920, 1080, 16384);
    EXPECT_EQ(big.width, 16384);
    EXPECT_EQ(big.height, 9216);
    // A tall window is capped on its height.
    const ShadowMapSize tall = shadowMapSize(4, 1000, 5000, 8192);
    EXPECT_EQ(tall.height, 8192);
    EXPECT_EQ(tall.width, 1638);
}

TEST(ShadowMapSize, NonsenseFactorsGiveAUsableMap)
{
    // Zero or negative would make an empty texture and an incomplete framebuffer.
    EXPECT_EQ(shadowMapSize(0, 640, 360, 16384).width, 640);
    EXPECT_EQ(shadowMapSize(-7, 640, 360, 16384).height, 360);
    // A huge factor must not overflow on its way to the cap.
    const ShadowMapSize huge = shadowMapSize(2147483647, 1920, 1080, 16384);
    EXPECT_EQ(huge.width, 16384);
    EXPECT_EQ(huge.height, 9216);
}

TEST(SceneBuffer, SampleCountBelowOneIsReportedAndBecomesOne)
{
    std::ostringstream err;
    EXPECT_EQ(sceneSampleCount(4, err), 4);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(sceneSampleCount(0, err), 1);
    EXPECT_EQ(err.str(), "Anti Aliasing Factor must be greater than 0!\n");
}

TEST(SceneBuffer, IncompleteStatusesAreNamed)
{
    EXPECT_EQ(framebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT), "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT");
    EXPECT_EQ(framebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT),
        "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT");
    EXPECT_EQ(framebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER), "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER");
    EXPECT_EQ(framebufferStatusText(GL_FRAMEBUFFER_UNSUPPORTED), "GL_FRAMEBUFFER_UNSUPPORTED");
    EXPECT_EQ(framebufferStatusText(0x1234), "Unknown issue 4660");
}

class FramebuffersGlTest : public GlTest {};

TEST_F(FramebuffersGlTest, BothTargetsAreCompleteWithOneAndFourSamples)
{
    for (int samples : { 1, 4 }) {
        SCOPED_TRACE(samples);
        Framebuffers fb;
        testing::internal::CaptureStdout();
        createFramebuffers(fb, 320, 180, 2, samples);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("Max texture size: "), std::string::npos);
        EXPECT_NE(out.find("Shadowmap size: 640 x 360\n"), std::string::npos);

        GLint bound = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        EXPECT_EQ(bound, 0) << "the default framebuffer is bound afterwards";

        glBindFramebuffer(GL_FRAMEBUFFER, fb.sceneFramebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        // One sample is a plain texture: a multisample target costs a software rasterizer its
        // early depth test.
        const GLenum target = samples > 1 ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D;
        GLint actualSamples = 0, width = 0;
        glBindTexture(target, fb.sceneColor);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_SAMPLES, &actualSamples);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 320);
        EXPECT_GE(actualSamples, samples > 1 ? samples : 0);
        EXPECT_EQ(fb.samples, samples);
        glBindTexture(target, 0);

        glBindFramebuffer(GL_FRAMEBUFFER, fb.shadowFramebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glBindTexture(GL_TEXTURE_2D, fb.shadowMap);
        GLint compare = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compare);
        EXPECT_EQ(compare, GL_COMPARE_REF_TO_TEXTURE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        freeFramebuffers(fb);
        EXPECT_EQ(fb.sceneFramebuffer, 0u);
    }
}
