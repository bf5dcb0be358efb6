// The block array texture: layers, mipmaps, filtering and refused layers.
#include "GlContextFixture.h"
#include "TestFiles.h"
#include "render/BlockTextureArray.h"
#include "render/Shader.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// A square RGB image filled with one colour.
TestPng solid(int side, uint8_t r, uint8_t g, uint8_t b)
{
    TestPng png;
    png.width = png.height = side;
    for (int i = 0; i < side * side; ++i)
        png.samples.insert(png.samples.end(), { r, g, b });
    return png;
}

GLint arrayParameter(GLenum name)
{
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D_ARRAY, name, &value);
    return value;
}

} // namespace

class BlockTextureArrayGlTest : public GlTest {
protected:
    TempDir dir;
    std::vector<std::string> files;
    std::vector<const char*> paths;

    void add(const TestPng& png)
    {
        files.push_back(dir.write("textures/layer" + std::to_string(files.size()) + ".png", encodePng(png)));
        paths.clear();
        for (const std::string& f : files)
            paths.push_back(f.c_str());
    }

    bool build(BlockTextureArray& array, int anisotropy, std::string* err = nullptr)
    {
        CaptureStderr();
        bool ok = buildBlockTextureArray(array, paths, anisotropy);
        std::string e = GetCapturedStderr();
        if (err)
            *err = e;
        return ok;
    }
};

TEST_F(BlockTextureArrayGlTest, OneLayerPerFileWithMipmapsAndAnisotropy)
{
    add(solid(16, 255, 0, 0));
    add(solid(16, 0, 255, 0));
    add(patternPng(16, 16, 4)); // alpha is dropped, not read as a fourth colour
    BlockTextureArray array;
    ASSERT_TRUE(build(array, 4));
    ASSERT_NE(array.id, 0u);

    glBindTexture(GL_TEXTURE_2D_ARRAY, array.id);
    EXPECT_EQ(arrayParameter(GL_TEXTURE_IMMUTABLE_LEVELS), BLOCK_TEXTURE_LEVELS);
    EXPECT_EQ(arrayParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(arrayParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(arrayParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    GLfloat anisotropy = 0.0f;
    glGetTexParameterfv(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(anisotropy, 4.0f);
    GLint depth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D_ARRAY, 0, GL_TEXTURE_DEPTH, &depth);
    EXPECT_EQ(depth, 3);

    // Level 0 holds the files; the coarsest level (1 × 1) holds their average.
    std::vector<uint8_t> level0(16 * 16 * 3 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA, GL_UNSIGNED_BYTE, level0.data());
    const size_t layer = 16 * 16 * 4;
    EXPECT_EQ(level0[0], 255);
    EXPECT_EQ(level0[layer + 1], 255);
    const uint8_t* top = &level0[2 * layer + 15 * 16 * 4]; // pattern row 0 is the top row
    EXPECT_EQ(top[0], patternValue(0, 0, 0));
    EXPECT_EQ(top[2], patternValue(0, 0, 2));
    EXPECT_EQ(top[3], 255);
    std::vector<uint8_t> level4(3 * 4);
    glGetTexImage(GL_TEXTURE_2D_ARRAY, 4, GL_RGBA, GL_UNSIGNED_BYTE, level4.data());
    EXPECT_EQ(level4[0], 255);
    EXPECT_EQ(level4[4 + 1], 255);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
}

TEST_F(BlockTextureArrayGlTest, LayerOfAnotherSizeIsRefused)
{
    add(solid(16, 1, 2, 3));
    add(solid(16, 1, 2, 3));
    add(solid(32, 1, 2, 3));
    add(solid(16, 1, 2, 3));
    BlockTextureArray array;
    std::string err;
    EXPECT_FALSE(build(array, 0, &err));
    EXPECT_EQ(err, "failed to load texture 2\n");
    EXPECT_EQ(array.id, 0u);
}

TEST_F(BlockTextureArrayGlTest, MissingOrBrokenLayerStopsTheBuild)
{
    add(solid(8, 1, 2, 3));
    files.push_back((dir.path() / "textures/absent.png").string());
    paths = { files[0].c_str(), files[1].c_str() };
    BlockTextureArray array;
    std::string err;
    EXPECT_FALSE(build(array, 2, &err));
    EXPECT_EQ(err, "failed to load texture 1\n");
    EXPECT_EQ(array.id, 0u);

    paths = { files[1].c_str(), files[0].c_str() };
    EXPECT_FALSE(build(array, 2, &err));
    EXPECT_EQ(err, "failed to load texture 0\n");
}

TEST_F(BlockTextureArrayGlTest, SmallTexturesGetFewerLevels)
{
    add(solid(4, 9, 9, 9));
    add(solid(4, 9, 9, 9));
    BlockTextureArray array;
    ASSERT_TRUE(build(array, 0));
    glBindTexture(GL_TEXTURE_2D_ARRAY, array.id);
    EXPECT_EQ(arrayParameter(GL_TEXTURE_IMMUTABLE_LEVELS), 3);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
}

TEST_F(BlockTextureArrayGlTest, BindArrayUsesUnitZero)
{
    add(solid(2, 1, 1, 1));
    BlockTextureArray array;
    ASSERT_TRUE(build(array, 0));
    Shader shader;
    testing::internal::CaptureStdout();
    shader.compile(
        "#version 330 compatibility\nvoid main() { gl_Position = vec4(0.0); }\n", ShaderStage::Vertex);
    shader.compile("#version 330 compatibility\nuniform sampler2DArray blocks;\nout vec4 c;\n"
                   "void main() { c = texture(blocks, vec3(0.5, 0.5, 0.0)); }\n",
        ShaderStage::Fragment);
    shader.link();
    testing::internal::GetCapturedStdout();
    shader.bind();
    shader.setInt("blocks", 3);
    glActiveTexture(GL_TEXTURE2);
    bindArray(array, shader, "blocks");
    GLint active = 0, bound = 0, unit = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D_ARRAY, &bound);
    glGetUniformiv(shader.program, shader.uniformLocation("blocks"), &unit);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(GLuint(bound), array.id);
    EXPECT_EQ(unit, 0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
    shader.unbind();
    glDeleteProgram(shader.program);
}
