// Vertex arrays: buffers, attributes, the index buffer and drawing.
#include "GlContextFixture.h"
#include "render/Shader.h"
#include "render/VertexArray.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// Primitives the vertex stage emitted while `draw` ran.
GLuint primitivesDrawn(const VertexArray& array)
{
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    array.draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint count = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
    glDeleteQueries(1, &query);
    return count;
}

std::unique_ptr<Shader> texCoordShader()
{
    auto shader = std::make_unique<Shader>();
    testing::internal::CaptureStdout();
    shader->compile("#version 330 compatibility\nlayout(location = 0) in vec2 position;\n"
                    "layout(location = 1) in vec2 uv;\nout vec2 st;\n"
                    "void main() { st = uv; gl_Position = vec4(position, 0.0, 1.0); }\n",
        ShaderStage::Vertex);
    shader->compile("#version 330 compatibility\nin vec2 st;\nout vec4 c;\n"
                    "void main() { c = vec4(st, 0.5, 1.0); }\n",
        ShaderStage::Fragment);
    shader->link();
    testing::internal::GetCapturedStdout();
    return shader;
}

const float triangle[] = { -1.0f, -1.0f, 1.0f, -1.0f, 0.0f, 1.0f };
const uint32_t triangleIndices[] = { 0, 1, 2 };

} // namespace

class VertexArrayGlTest : public GlTest { };

TEST_F(VertexArrayGlTest, SecondIndexBufferIsRefused)
{
    VertexArray array(1, GL_TRIANGLES);
    array.setIndices(triangleIndices, sizeof triangleIndices);
    GLuint first = array.indexBuffer();
    const uint32_t more[] = { 0, 1, 2, 2, 1, 0 };
    CaptureStderr();
    array.setIndices(more, sizeof more);
    EXPECT_EQ(GetCapturedStderr(), "indexBuffer already bound!\n");
    EXPECT_EQ(array.indexBuffer(), first);
    EXPECT_EQ(array.indexCount(), 3);
}

TEST_F(VertexArrayGlTest, DrawsOnlyWithIndices)
{
    std::unique_ptr<Shader> shader = texCoordShader();
    shader->bind();
    VertexArray array(1, GL_TRIANGLES);
    int b = array.addBuffer(triangle, sizeof triangle, 1);
    array.setAttribute(b, 0, VertexAttribute { 0, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    EXPECT_EQ(primitivesDrawn(array), 0u);
    array.setIndices(triangleIndices, sizeof triangleIndices);
    EXPECT_EQ(primitivesDrawn(array), 1u);

    // Drawing leaves no buffer bound and no attribute enabled.
    GLint bound = -1, enabled = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_FALSE);
    shader->unbind();
    glDeleteProgram(shader->program);
}

TEST_F(VertexArrayGlTest, FullscreenQuadCoversTheTargetWithItsTextureCoordinates)
{
    std::unique_ptr<VertexArray> quad = makeFullscreenQuad();
    EXPECT_EQ(quad->mode(), GLenum(GL_QUADS));
    EXPECT_EQ(quad->indexCount(), 4);
    ASSERT_EQ(quad->buffers().size(), 2u);
    EXPECT_EQ(quad->buffers()[1].attributes[0].location, 1u);

    const int side = 8;
    GLuint framebuffer = 0, color = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, side, side);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, side, side);
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    std::unique_ptr<Shader> shader = texCoordShader();
    shader->bind();
    quad->draw();
    shader->unbind();

    std::vector<uint8_t> pixels(side * side * 4);
    glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (size_t i = 0; i < pixels.size(); i += 4)
        ASSERT_EQ(pixels[i + 3], 255) << "pixel " << i / 4 << " not covered";
    auto at = [&](int x, int y) { return &pixels[size_t(y * side + x) * 4]; };
    EXPECT_LT(at(0, 0)[0], 32); // lower left: (0, 0)
    EXPECT_LT(at(0, 0)[1], 32);
    EXPECT_GT(at(side - 1, 0)[0], 223); // lower right: s = 1, t = 0
    EXPECT_LT(at(side - 1, 0)[1], 32);
    EXPECT_GT(at(side - 1, side - 1)[1], 223);

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &color);
    glDeleteProgram(shader->program);
}

TEST(VertexArrayTest, EmptyArrayNeedsNoContext)
{
    // Constructed and destroyed without any GL context current.
    VertexArray array(4, GL_TRIANGLES);
    EXPECT_EQ(array.indexCount(), 0);
    EXPECT_TRUE(array.buffers().empty());
}
