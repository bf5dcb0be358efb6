// Shader compile, link and uniforms against a real GL context.
#include "GlContextFixture.h"
#include "TestFiles.h"
#include "render/ShaderTable.h"

#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

const char* const vertexSection = "##start\n"
                                  "##vertex\n"
                                  "#version 330 compatibility\n"
                                  "layout(location = 0) in vec2 position;\n"
                                  "uniform mat4 transform;\n"
                                  "void main() { gl_Position = transform * vec4(position, 0.0, 1.0); }\n"
                                  "##end\n";

const char* const fragmentSection
    = "##start\n"
      "##fragment\n"
      "#version 330 compatibility\n"
      "uniform int count;\n"
      "uniform float level;\n"
      "uniform vec3 tint;\n"
      "uniform sampler2D image;\n"
      "out vec4 color;\n"
      "void main() { color = texture(image, vec2(level)) * vec4(tint, float(count)); }\n"
      "##end\n";

GLint programInt(GLuint program, GLenum what)
{
    GLint value = -1;
    glGetProgramiv(program, what, &value);
    return value;
}

} // namespace

class ShaderGlTest : public GlTest {
protected:
    TempDir dir;

    std::unique_ptr<Shader> load(
        const std::string& text, std::string* out = nullptr, std::string* err = nullptr)
    {
        auto shader = std::make_unique<Shader>(dir.write("test.glsl", text));
        CaptureStdout();
        CaptureStderr();
        shader->readFile();
        shader->link();
        std::string o = GetCapturedStdout();
        std::string e = GetCapturedStderr();
        if (out)
            *out = o;
        if (err)
            *err = e;
        return shader;
    }
};

TEST_F(ShaderGlTest, CompilesAndLinksEachSection)
{
    std::string out, err;
    auto shader = load(std::string("notes\n") + vertexSection + fragmentSection, &out, &err);
    EXPECT_EQ(out,
        "Shader-Loader: Reading file " + shader->path + "\ncreate shader finish\ncreate shader finish\n");
    EXPECT_EQ(err, "");
    ASSERT_NE(shader->program, 0u);
    EXPECT_EQ(programInt(shader->program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(programInt(shader->program, GL_ATTACHED_SHADERS), 2);
    EXPECT_EQ(shader->vertexShader, 0u);
    EXPECT_EQ(shader->fragmentShader, 0u);
    EXPECT_EQ(shader->geometryShader, 0u);
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, CompileErrorNamesTheStageAndTheFileLine)
{
    std::string out;
    // The broken statement sits on the third source line, file line 12.
    std::string broken = "##start\n##fragment\n#version 330 compatibility\nout vec4 color;\n"
                         "void main() { color = undefinedThing; }\n##end\n";
    auto shader = load(std::string(vertexSection) + broken, &out);
    EXPECT_EQ(out,
        "Shader-Loader: Reading file " + shader->path
            + "\ncreate shader finish\n### Failed to compile Fragment Shader! ###\ncreate shader finish\n");
    // Linked without the failed stage.
    EXPECT_EQ(programInt(shader->program, GL_ATTACHED_SHADERS), 1);

    // The compiler itself reports the file's line number.
    std::string source;
    std::istringstream in(std::string(vertexSection) + broken);
    std::ostringstream ignored;
    readShaderSections(in, ignored, [&](const ShaderSection& s) { source = s.source; });
    GLuint id = glCreateShader(GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(id, 1, &text, nullptr);
    glCompileShader(id);
    char log[2048] = {};
    glGetShaderInfoLog(id, sizeof log, nullptr, log);
    glDeleteShader(id);
    EXPECT_NE(std::string(log).find("0:12("), std::string::npos) << log;
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, VertexOnlyFileLinksWithoutAFragmentStage)
{
    auto shader = load(vertexSection);
    EXPECT_EQ(programInt(shader->program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(programInt(shader->program, GL_ATTACHED_SHADERS), 1);
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, MisplacedMarkerCompilesNothingAndLoadingGoesOn)
{
    std::string out, err;
    auto shader = load(std::string("##vertex\n") + vertexSection, &out, &err);
    EXPECT_EQ(err, "Shader-Loader: Error  in line 1\n");
    EXPECT_EQ(out.find("create shader finish"), std::string::npos);
    EXPECT_NE(shader->program, 0u);
    EXPECT_EQ(programInt(shader->program, GL_ATTACHED_SHADERS), 0);
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, MissingFileStillGivesAProgram)
{
    Shader shader((dir.path() / "absent.glsl").string());
    CaptureStdout();
    CaptureStderr();
    EXPECT_FALSE(shader.readFile());
    shader.link();
    EXPECT_EQ(GetCapturedStderr(), "Could not read file " + shader.path + ". File does not exist.\n");
    EXPECT_EQ(GetCapturedStdout().rfind("Shader-Loader: Reading file " + shader.path + "\n", 0), 0u);
    EXPECT_NE(shader.program, 0u);
    glDeleteProgram(shader.program);
}

TEST_F(ShaderGlTest, GeometryStageLinksWithLayoutsDeclaredInGlsl)
{
    std::string geometry = "##start\n##geometry\n#version 330 compatibility\n"
                           "layout(triangles) in;\nlayout(triangle_strip, max_vertices = 3) out;\n"
                           "void main() { for (int i = 0; i < 3; ++i) { gl_Position = gl_in[i].gl_Position; "
                           "EmitVertex(); } EndPrimitive(); }\n##end\n";
    auto shader = load(std::string(vertexSection) + geometry + fragmentSection);
    EXPECT_EQ(programInt(shader->program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(programInt(shader->program, GL_ATTACHED_SHADERS), 3);
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, UniformSettersByName)
{
    auto shader = load(std::string(vertexSection) + fragmentSection);
    shader->bind();
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), shader->program);

    shader->setInt("count", 7);
    setInt(9, *shader, "image");
    shader->setFloat("level", 0.25f);
    shader->setVec3("tint", glm::vec3(1.0f, 2.0f, 3.0f));
    glm::mat4 transform(2.0f);
    transform[3][0] = 5.0f;
    shader->setMat4("transform", transform);
    shader->setFloat("notInTheProgram", 1.0f); // silently ignored

    GLint count = 0, image = 0;
    glGetUniformiv(shader->program, shader->uniformLocation("count"), &count);
    glGetUniformiv(shader->program, shader->uniformLocation("image"), &image);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(image, 9);
    GLfloat level = 0.0f, tint[3] = {}, matrix[16] = {};
    glGetUniformfv(shader->program, shader->uniformLocation("level"), &level);
    glGetUniformfv(shader->program, shader->uniformLocation("tint"), tint);
    glGetUniformfv(shader->program, shader->uniformLocation("transform"), matrix);
    EXPECT_EQ(level, 0.25f);
    EXPECT_EQ(tint[2], 3.0f);
    EXPECT_EQ(matrix[12], 5.0f);
    EXPECT_EQ(matrix[0], 2.0f);

    shader->unbind();
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    glDeleteProgram(shader->program);
}

TEST_F(ShaderGlTest, TableLoadsElevenFilesInOrder)
{
    dir.write("shader/gui.glsl", std::string(vertexSection) + fragmentSection);
    dir.write("shader/post_processing.glsl", std::string(vertexSection) + fragmentSection);
    ScopedWorkingDirectory cwd(dir.path());
    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(loadShaders(), SHADER_COUNT);
    std::string out = GetCapturedStdout();
    std::string err = GetCapturedStderr();

    for (int i = 0; i < SHADER_COUNT; ++i) {
        ASSERT_NE(getShader(i), nullptr);
        EXPECT_EQ(getShader(i)->path, shaderFiles[i]);
        EXPECT_NE(getShader(i)->program, 0u);
    }
    EXPECT_EQ(programInt(getShader(SHADER_GUI)->program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(programInt(getShader(SHADER_POST_PROCESSING)->program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_STREQ(shaderFiles[SHADER_LIGHTNING], "shader/lightning.glsl");
    EXPECT_EQ(out.find("Shader-Loader: Reading file shader/world.glsl\n"), 0u);
    EXPECT_LT(out.find("shader/fire.glsl"), out.find("shader/post_processing.glsl"));
    EXPECT_NE(
        err.find("Could not read file shader/lightning.glsl. File does not exist.\n"), std::string::npos);
    EXPECT_EQ(err.find("post_processing"), std::string::npos);
    for (int i = 0; i < SHADER_COUNT; ++i)
        glDeleteProgram(getShader(i)->program);
    freeShaders();
}

TEST(ShaderDeathTest, BindingWithoutAProgramEndsTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Shader shader("shader/none.glsl");
    EXPECT_EXIT(shader.bind(), testing::ExitedWithCode(1), "^bind: no shader loaded!\n$");
}
