// Texture uploads, samplers and binding against a real GL context.
#include "GlContextFixture.h"
#include "TestFiles.h"
#include "render/PngImage.h"
#include "render/ProceduralTexture.h"
#include "render/Shader.h"
#include "render/TextureTable.h"

#include <gtest/gtest.h>
#include <png.h>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

GLint levelParameter(GLenum target, GLenum name)
{
    GLint value = -1;
    glGetTexLevelParameteriv(target, 0, name, &value);
    return value;
}

// Level 0 of a 2D texture as RGBA bytes, bottom row first.
std::vector<uint8_t> readRgba(const Texture& texture, int& width, int& height)
{
    glBindTexture(GL_TEXTURE_2D, texture.id);
    width = levelParameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH);
    height = levelParameter(GL_TEXTURE_2D, GL_TEXTURE_HEIGHT);
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

// Checks that the texture holds the pattern image, flipped, with `alpha`
// (or the pattern's own alpha when negative).
void expectPattern(const Texture& texture, int w, int h, int alpha)
{
    int width = 0, height = 0;
    std::vector<uint8_t> pixels = readRgba(texture, width, height);
    ASSERT_EQ(width, w);
    ASSERT_EQ(height, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &pixels[(size_t(h - 1 - y) * size_t(w) + size_t(x)) * 4];
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(p[c], patternValue(x, y, c)) << x << "," << y << " channel " << c;
            ASSERT_EQ(p[3], alpha < 0 ? patternValue(x, y, 3) : alpha) << x << "," << y;
        }
}

std::unique_ptr<Shader> samplerShader()
{
    auto shader = std::make_unique<Shader>();
    CaptureStdout();
    shader->compile(
        "#version 330 compatibility\nvoid main() { gl_Position = vec4(0.0); }\n", ShaderStage::Vertex);
    shader->compile("#version 330 compatibility\nuniform sampler2D tex;\nuniform sampler2D other;\n"
                    "out vec4 c;\nvoid main() { c = texture(tex, vec2(0.5)) + texture(other, vec2(0.5)); }\n",
        ShaderStage::Fragment);
    shader->link();
    GetCapturedStdout();
    return shader;
}

} // namespace

class TextureGlTest : public GlTest {
protected:
    TempDir dir;
    std::string png(const std::string& name, const TestPng& image)
    {
        return dir.write(name, encodePng(image));
    }
};

TEST_F(TextureGlTest, RgbAndRgbaFilesUploadAsImmutableRgba8)
{
    // Odd widths give RGB rows that are not a multiple of four bytes.
    Texture rgb;
    ASSERT_EQ(loadRgb(rgb, png("rgb.png", patternPng(3, 5, 3))), 0);
    ASSERT_NE(rgb.id, 0u);
    glBindTexture(GL_TEXTURE_2D, rgb.id);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
    GLint immutable = 0, levels = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_IMMUTABLE_FORMAT, &immutable);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_IMMUTABLE_LEVELS, &levels);
    EXPECT_EQ(immutable, GL_TRUE);
    EXPECT_EQ(levels, 1);
    expectPattern(rgb, 3, 5, 255);

    Texture rgba;
    ASSERT_EQ(loadRgba(rgba, png("rgba.png", patternPng(5, 3, 4))), 0);
    expectPattern(rgba, 5, 3, -1);
}

TEST_F(TextureGlTest, MismatchedLayoutsAreConvertedNotOverread)
{
    Texture alphaAsRgb;
    ASSERT_EQ(loadRgb(alphaAsRgb, png("a.png", patternPng(7, 7, 4))), 0);
    expectPattern(alphaAsRgb, 7, 7, 255);

    Texture rgbAsRgba;
    ASSERT_EQ(loadRgba(rgbAsRgba, png("b.png", patternPng(6, 9, 3))), 0);
    expectPattern(rgbAsRgba, 6, 9, 255);

    TestPng grey;
    grey.width = 3;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.samples = { 10, 20, 30 };
    Texture greyAsRgba;
    ASSERT_EQ(loadRgba(greyAsRgba, png("g.png", grey)), 0);
    int w = 0, h = 0;
    EXPECT_EQ(readRgba(greyAsRgba, w, h),
        (std::vector<uint8_t> { 10, 10, 10, 255, 20, 20, 20, 255, 30, 30, 30, 255 }));
}

TEST_F(TextureGlTest, FailuresLeaveTheTextureEmpty)
{
    Texture texture;
    CaptureStderr();
    EXPECT_EQ(loadRgb(texture, (dir.path() / "missing.png").string()), 1);
    EXPECT_EQ(loadRgba(texture, dir.write("bad.png", "garbage")), 1);
    std::vector<uint8_t> cut = encodePng(patternPng(8, 8, 3));
    cut.resize(cut.size() - 20);
    EXPECT_EQ(loadRgb(texture, dir.write("cut.png", cut)), 1);
    // One pixel wider than the GL allows: refused before decoding the rows.
    EXPECT_EQ(loadRgb(texture, png("wide.png", patternPng(maxTextureSize() + 1, 1, 3))), 1);
    GetCapturedStderr();
    EXPECT_EQ(texture.id, 0u);
}

TEST_F(TextureGlTest, BgraPixelsUploadInCairoOrder)
{
    const uint8_t bgra[] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    Texture texture;
    ASSERT_EQ(fromBgra(texture, bgra, 2, 1), 0);
    int w = 0, h = 0;
    EXPECT_EQ(readRgba(texture, w, h), (std::vector<uint8_t> { 3, 2, 1, 4, 7, 6, 5, 8 }));
    Texture refused;
    EXPECT_EQ(fromBgra(refused, bgra, 0, 1), 1);
    EXPECT_EQ(fromBgra(refused, nullptr, 1, 1), 1);
    EXPECT_EQ(fromBgra(refused, bgra, maxTextureSize() + 1, 1), 1);
    EXPECT_EQ(refused.id, 0u);
}

TEST_F(TextureGlTest, SamplerAndBindingHelpers)
{
    Texture texture;
    ASSERT_EQ(loadRgb(texture, png("t.png", patternPng(2, 2, 3))), 0);
    makeSampler(texture, GL_CLAMP_TO_EDGE);
    ASSERT_NE(texture.sampler, 0u);
    GLint wrap = 0, minFilter = 0;
    glGetSamplerParameteriv(texture.sampler, GL_TEXTURE_WRAP_T, &wrap);
    glGetSamplerParameteriv(texture.sampler, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(minFilter, GL_LINEAR);

    std::unique_ptr<Shader> owned = samplerShader();
    Shader& shader = *owned;
    shader.bind();
    bind(texture, shader, "tex", 5);
    GLint active = 0, bound = 0, sampler = 0, unit = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    glGetUniformiv(shader.program, shader.uniformLocation("tex"), &unit);
    EXPECT_EQ(active, GL_TEXTURE0 + 5);
    EXPECT_EQ(GLuint(bound), texture.id);
    EXPECT_EQ(GLuint(sampler), texture.sampler);
    EXPECT_EQ(unit, 5);

    bindTextureId(texture.id, 1, shader, "other");
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    glGetUniformiv(shader.program, shader.uniformLocation("other"), &unit);
    EXPECT_EQ(active, GL_TEXTURE1);
    EXPECT_EQ(sampler, 0);
    EXPECT_EQ(unit, 1);

    bind(texture, shader, "tex", 0);
    unbindTextures();
    for (GLenum u : { GL_TEXTURE0, GL_TEXTURE1 }) {
        glActiveTexture(u);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
        EXPECT_EQ(bound, 0);
        EXPECT_EQ(sampler, 0);
    }
    shader.unbind();
    glDeleteProgram(shader.program);
}

TEST_F(TextureGlTest, ProceduralTextureUploadsItsFloats)
{
    procedural_texture noise(0, 4.0f, 4.0f);
    EXPECT_EQ(noise.components, 1);
    EXPECT_EQ(noise.format, GLenum(GL_LUMINANCE));
    EXPECT_EQ(noise.pixelCount, 16);
    EXPECT_EQ(noise.id, 0u); // no GL work before the first upload
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            noise.set(x, y, float(y * 4 + x) / 16.0f);
    noise.set(4, 0, 9.0f); // outside: ignored
    noise.set(-1, 2, 9.0f);
    noise.upload();
    ASSERT_NE(noise.id, 0u);
    glBindTexture(GL_TEXTURE_2D, noise.id);
    float back[16] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_FLOAT, back);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(back[i], float(i) / 16.0f, 1.0f / 255.0f) << i;

    noise.set(0, 0, 1.0f);
    noise.upload(); // replaces the same texture
    glBindTexture(GL_TEXTURE_2D, noise.id);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_FLOAT, back);
    EXPECT_NEAR(back[0], 1.0f, 1.0f / 255.0f);
    glBindTexture(GL_TEXTURE_2D, 0);

    procedural_texture rgba(2, 2.0f, 2.0f);
    EXPECT_EQ(rgba.components, 4);
    EXPECT_EQ(rgba.format, GLenum(GL_RGBA));
    procedural_texture rgb(1, 3.0f, 3.0f);
    EXPECT_EQ(rgb.components, 3);
}

TEST_F(TextureGlTest, ModelTextureTableLoadsInOrderWithRepeatSamplers)
{
    for (int i = 0; i < MODEL_TEXTURE_COUNT; ++i)
        png(modelTexturePaths[i], patternPng(2 + i, 2, 3));
    ScopedWorkingDirectory cwd(dir.path());
    CaptureStdout();
    ASSERT_TRUE(loadModelTextures());
    std::string out = GetCapturedStdout();
    EXPECT_EQ(out.find("Texture Loader: Loading Texture 0 textures/moon.png\n"
                       "Texture Loader: Loading Texture 1 textures/star.png\n"),
        0u);
    EXPECT_NE(out.find("Texture Loader: Loading Texture 17 textures/potion.png\n"), std::string::npos);
    for (int i = 0; i < MODEL_TEXTURE_COUNT; ++i) {
        ASSERT_NE(getTexture(i), nullptr);
        EXPECT_NE(getTexture(i)->sampler, 0u);
        glBindTexture(GL_TEXTURE_2D, getTexture(i)->id);
        EXPECT_EQ(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH), 2 + i);
    }
    GLint wrap = 0;
    glGetSamplerParameteriv(getTexture(3)->sampler, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
    freeTextures();
}

TEST_F(TextureGlTest, ModelTextureFailureReportsAndStops)
{
    for (int i = 0; i < MODEL_TEXTURE_COUNT; ++i)
        if (i != TEXTURE_CAT)
            png(modelTexturePaths[i], patternPng(2, 2, 3));
    ScopedWorkingDirectory cwd(dir.path());
    CaptureStdout();
    EXPECT_FALSE(loadModelTextures());
    std::string out = GetCapturedStdout();
    const std::string tail = "Texture Loader: Loading Texture 5 textures/cat.png\n"
                             "Texture Loader: Loading Texture Failed 5 textures/cat.png !\n";
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
    freeTextures();
}
