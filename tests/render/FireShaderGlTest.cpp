// The fire program: one point becomes an upright, textured flame.
#include "GlContextFixture.h"
#include "render/Shader.h"

#include <array>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

namespace {

class FireShader : public GlTest { };

GLuint whiteTexture(int unit)
{
    GLuint id = 0;
    const unsigned char white[4] = { 255, 255, 255, 255 };
    glActiveTexture(GL_TEXTURE0 + unit);
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return id;
}

}

TEST_F(FireShader, CompilesLinksAndTurnsAPointIntoAnUprightFlame)
{
    Shader shader(MOSSGRAVE_SOURCE_DIR "/shader/fire.glsl");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(shader.readFile());
    shader.link();
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_EQ(log.find("Failed"), std::string::npos) << log;
    ASSERT_NE(shader.geometryShader + shader.program, 0u);
    GLint linked = 0;
    glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
    ASSERT_EQ(linked, GL_TRUE) << log;

    constexpr int SIZE = 64;
    GLuint target = 0, buffer = 0;
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &buffer);
    glBindFramebuffer(GL_FRAMEBUFFER, buffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, SIZE, SIZE);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);

    const std::array<GLuint, 3> textures = { whiteTexture(0), whiteTexture(1), whiteTexture(3) };
    shader.bind();
    shader.setMat4("modelMatrix", glm::translate(glm::mat4(1.0f), glm::vec3(0, -1.5f, 0)));
    shader.setMat4("viewMatrix", glm::lookAt(glm::vec3(0, 0, 6), glm::vec3(0), glm::vec3(0, 1, 0)));
    shader.setMat4("projMatrix", glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 50.0f));
    shader.setFloat("yDist", -0.3f);
    shader.setFloat("resolution", 1.0f);
    shader.setInt("alphaTex", 0);
    shader.setInt("distTex", 1);
    shader.setInt("diffTex", 3);
    const float vertex[4] = { 0, 0, 0, 1 };
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    GLuint vbo = 0;
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertex), vertex, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 16, nullptr);
    glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, 16, reinterpret_cast<const void*>(12));
    glDrawArrays(GL_POINTS, 0, 1);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    shader.unbind();

    std::vector<unsigned char> pixels(SIZE * SIZE * 4);
    glReadPixels(0, 0, SIZE, SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    auto lit = [&](int x, int y) { return pixels[size_t((y * SIZE + x) * 4 + 3)] > 0; };
    int litCount = 0;
    for (int k = 0; k < SIZE * SIZE; ++k)
        litCount += pixels[size_t(k * 4 + 3)] > 0;
    EXPECT_GT(litCount, SIZE * SIZE / 20);
    // The flame stands on the point: taller than wide, rising above the centre.
    EXPECT_TRUE(lit(SIZE / 2, SIZE / 2));
    EXPECT_FALSE(lit(2, SIZE / 2));
    EXPECT_FALSE(lit(SIZE - 3, SIZE / 2));

    glDeleteBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    for (int unit : { 0, 1, 3 }) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
    glDeleteTextures(3, textures.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &buffer);
    glDeleteTextures(1, &target);
}
