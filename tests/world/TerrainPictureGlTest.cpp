// Merged terrain meshes, drawn as the game draws them (only the directions that can face the
// eye), give the same picture through the game's own world shader, and the same shadow map
// through its depth shader, as a reference built straight from the octree's leaf boxes: one
// quad per voxel square of every marked leaf face, which meet edge to edge and so leave no
// crack of their own. Real forest terrain across a chunk border, with a crater blasted into
// it and a brick wall standing on it, seen and lit from several places.
#include "../render/GlContextFixture.h"
#include "LeafSquares.h"

#include "render/Shader.h"
#include "render/TerrainMesh.h"
#include "world/FaceMasks.h"
#include "world/TerrainMesher.h"
#include "world/WorldGenerator.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <memory>
#include <vector>

namespace {

constexpr int SIZE = 192;
// Cleared to a colour the world shader never makes: a pixel of it is sky or a crack.
constexpr unsigned char kSky[3] = { 255, 0, 255 };

class TerrainPictureGl : public GlTest {
protected:
    static constexpr int SHADOW = 256;
    struct MergedMesh {
        std::unique_ptr<TerrainMesh> mesh;
        aabb box; // the draw node's
    };
    struct ReferenceMesh {
        GLuint vao = 0, vertices = 0, indices = 0;
        GLsizei count = 0;
        glm::vec3 origin { 0.0f };
    };

    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Seed 42's forest chunk (3, -1) and its neighbour on +x, so the border is drawn
        // from both sides' masks.
        const WorldGenerator generator(42);
        for (int cx : { 3, 4 }) {
            auto chunk = std::make_unique<Chunk>(cx, -1);
            chunk->prepareGeneration();
            generator.generate(*chunk);
            chunk->finishGeneration();
            chunks.push_back(std::move(chunk));
        }
        // A crater on the border and a wall with a doorway beside it.
        const glm::vec3 crater(256.0f, 0.0f, -40.0f);
        for (auto& chunk : chunks) {
            const float ground = groundAt(*chunk, crater);
            if (ground > 0.0f)
                craterY = std::max(craterY, ground);
        }
        for (auto& chunk : chunks) {
            chunk->root->fill(BLOCK_AIR, Sphere(crater + glm::vec3(0.0f, craterY, 0.0f), 6.0f));
            chunk->root->fill(BLOCK_BRICK, aabb({ 245.0f, craterY - 4.0f, -30.0f }, { 255.0f, craterY + 6.0f, -29.0f }));
            chunk->root->fill(BLOCK_AIR, aabb({ 249.0f, craterY - 1.0f, -30.5f }, { 251.0f, craterY + 3.0f, -28.5f }));
        }
        updateFaces(chunks, aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
        for (auto& chunk : chunks) {
            forEachDrawNode(*chunk->root, chunk->bounds(), [&](Octree_draw_node& node) {
                auto merged = buildTerrainMesh(node, true);
                if (!merged)
                    return;
                mergedQuads += merged->quadCount();
                mergedMeshes.push_back({ std::make_unique<TerrainMesh>(*merged), node.box });
                reference.push_back(makeReference(node));
                referenceQuads += reference.back().count / 6;
            });
        }
        makeTargets();
    }
    void TearDown() override
    {
        mergedMeshes.clear();
        for (const ReferenceMesh& r : reference) {
            glDeleteBuffers(1, &r.vertices);
            glDeleteBuffers(1, &r.indices);
            glDeleteVertexArrays(1, &r.vao);
        }
        if (depthShader)
            glDeleteProgram(depthShader->program);
        glDeleteTextures(1, &shadowMap);
        glDeleteFramebuffers(1, &shadowFramebuffer);
        if (shader)
            glDeleteProgram(shader->program);
        glDeleteTextures(1, &blocks);
        glDeleteTextures(1, &depth);
        glDeleteSamplers(1, &rawDepths);
        glDeleteRenderbuffers(1, &colour);
        glDeleteRenderbuffers(1, &depthBuffer);
        glDeleteFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        GlTest::TearDown();
    }

    static float groundAt(Chunk& chunk, const glm::vec3& p)
    {
        if (!chunk.bounds().intersects(aabb(p, p + glm::vec3(0.1f))))
            return -1.0f;
        for (float y = 63.5f; y > 0.0f; y -= 0.5f) {
            if (chunk.root->isSolidIn(aabb({ p.x, y, p.z }, { p.x + 0.5f, y + 0.5f, p.z + 0.5f })))
                return y + 0.5f;
        }
        return 0.0f;
    }

    // One draw node's reference: every voxel square of its leaves' marked faces as a quad in
    // the terrain format the shaders read (four bytes: steps from the node's corner, the block
    // type with the direction in the top three bits). The corners come in the order the
    // shaders grow quads by: the second and third on the upper side of the face's first
    // other axis, and on the second other axis the third and fourth for faces looking along
    // their axis, the first and second for the others.
    static ReferenceMesh makeReference(const Octree& node)
    {
        std::vector<unsigned char> corners;
        std::vector<GLuint> indices;
        forEachLeafSquare(node, node.box.min, [&](const LeafSquare& q) {
            const int axis = q.face % 3, u = (axis + 1) % 3, v = (axis + 2) % 3;
            const GLuint first = GLuint(corners.size() / 4);
            for (int k = 0; k < 4; ++k) {
                const bool highU = k == 1 || k == 2;
                const bool highV = (k >= 2) == (q.face >= 3);
                unsigned char c[4];
                c[axis] = (unsigned char)q.plane;
                c[u] = (unsigned char)(q.u + (highU ? 1 : 0));
                c[v] = (unsigned char)(q.v + (highV ? 1 : 0));
                c[3] = (unsigned char)(q.type | q.face << 5);
                corners.insert(corners.end(), c, c + 4);
            }
            for (GLuint i : { 0u, 1u, 2u, 2u, 3u, 0u })
                indices.push_back(first + i);
        });
        ReferenceMesh mesh;
        mesh.origin = node.box.min;
        mesh.count = GLsizei(indices.size());
        glGenVertexArrays(1, &mesh.vao);
        glBindVertexArray(mesh.vao);
        glGenBuffers(1, &mesh.vertices);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(corners.size()), corners.data(), GL_STATIC_DRAW);
        glVertexAttribIPointer(0, 4, GL_UNSIGNED_BYTE, 4, nullptr);
        glEnableVertexAttribArray(0);
        glGenBuffers(1, &mesh.indices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(), GL_STATIC_DRAW);
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        return mesh;
    }

    // The merged meshes as the game draws them from `eye`, or every reference quad.
    void drawTerrain(bool merged, const glm::vec3& eye)
    {
        if (merged) {
            for (const auto& m : mergedMeshes)
                m.mesh->draw(m.mesh->faceRanges().seenFrom(eye, m.mesh->meshPlacement().origin, m.mesh->meshPlacement().step));
            return;
        }
        for (const ReferenceMesh& r : reference) {
            glVertexAttrib3fv(1, &r.origin.x);
            glVertexAttrib3f(2, 0.5f, 0.5f, 0.5f);
            glBindVertexArray(r.vao);
            glDrawElements(GL_TRIANGLES, r.count, GL_UNSIGNED_INT, nullptr);
            glBindVertexArray(0);
        }
        glVertexAttrib4f(1, 0.0f, 0.0f, 0.0f, 1.0f);
        glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
    }

    // The light's depth, as the shadow pass renders it through the depth shader, from a
    // lamp at `eye` (the flashlight's camera: 50 degrees, near 1, far 1000), linearised to
    // distances from the lamp; 1000 where nothing is hit.
    std::vector<float> shadowDepth(bool merged, const glm::vec3& eye, const glm::vec3& target)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        glViewport(0, 0, SHADOW, SHADOW);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        const float nearPlane = 1.0f, farPlane = 1000.0f;
        const glm::mat4 projView = glm::perspective(glm::radians(50.0f), 1.0f, nearPlane, farPlane)
            * glm::lookAt(eye, target, glm::vec3(0, 1, 0));
        depthShader->bind();
        depthShader->setMat4("projview", projView);
        depthShader->setVec3("eyePosition", eye);
        drawTerrain(merged, eye);
        depthShader->unbind();
        glDisable(GL_CULL_FACE);
        std::vector<float> depth(SHADOW * SHADOW);
        glReadPixels(0, 0, SHADOW, SHADOW, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        for (float& d : depth) {
            const float ndc = d * 2.0f - 1.0f;
            d = 2.0f * nearPlane * farPlane / (farPlane + nearPlane - ndc * (farPlane - nearPlane));
        }
        return depth;
    }

    void makeTargets()
    {
        testing::internal::CaptureStdout();
        shader = std::make_unique<Shader>(MOSSGRAVE_SOURCE_DIR "/shader/world.glsl");
        ASSERT_TRUE(shader->readFile());
        shader->link();
        testing::internal::GetCapturedStdout();

        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, SIZE, SIZE);
        glGenRenderbuffers(1, &depthBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, SIZE, SIZE);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));

        // Each layer a checker of its own two colours, so a texture placed wrongly shows.
        std::vector<unsigned char> texels;
        for (int layer = 0; layer < BLOCK_MATERIAL_COUNT; ++layer) {
            for (int i = 0; i < 8 * 8; ++i) {
                const bool dark = ((i % 8) / 2 + (i / 8) / 2) % 2;
                texels.insert(texels.end(), { (unsigned char)(40 + layer * 9), (unsigned char)(dark ? 60 : 200),
                                                (unsigned char)(250 - layer * 10), 255 });
            }
        }
        glGenTextures(1, &blocks);
        glBindTexture(GL_TEXTURE_2D_ARRAY, blocks);
        glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, 8, 8, BLOCK_MATERIAL_COUNT, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
        depthShader = std::make_unique<Shader>(MOSSGRAVE_SOURCE_DIR "/shader/depth.glsl");
        testing::internal::CaptureStdout();
        ASSERT_TRUE(depthShader->readFile());
        depthShader->link();
        testing::internal::GetCapturedStdout();
        glGenTextures(1, &shadowMap);
        glBindTexture(GL_TEXTURE_2D, shadowMap);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, SHADOW, SHADOW, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &shadowFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMap, 0);
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glBindFramebuffer(GL_FRAMEBUFFER, 0);

        // A shadow map that lights everything.
        glGenTextures(1, &depth);
        glBindTexture(GL_TEXTURE_2D, depth);
        const float far = 1.0f;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 1, 1, 0, GL_DEPTH_COMPONENT, GL_FLOAT, &far);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenSamplers(1, &rawDepths);
        glSamplerParameteri(rawDepths, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glSamplerParameteri(rawDepths, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glSamplerParameteri(rawDepths, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    }

    // The picture of the merged meshes or the reference from `eye` towards `target`, the lamp
    // in the eye.
    std::vector<unsigned char> draw(bool merged, const glm::vec3& eye, const glm::vec3& target)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, SIZE, SIZE);
        glClearColor(kSky[0] / 255.0f, kSky[1] / 255.0f, kSky[2] / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        const glm::mat4 view = glm::lookAt(eye, target, glm::vec3(0, 1, 0));
        const glm::mat4 projection = glm::perspective(glm::radians(70.0f), 1.0f, 0.1f, 300.0f);
        shader->bind();
        shader->setMat4("modelMatrix", glm::mat4(1.0f));
        shader->setMat4("viewMatrix", view);
        shader->setMat4("modelViewMatrix", view);
        shader->setVec3("eyePosition", eye);
        shader->setMat4("modelViewProjMatrix", projection * view);
        glm::mat4 bias(0.0f);
        bias[3] = glm::vec4(0.5f, 0.5f, 0.5f, 1.0f);
        shader->setMat4("depthBiasMV", bias);
        shader->setFloat("flashLightIntensity", 1.0f);
        shader->setFloat("night", 1.0f);
        shader->setFloat("flashLightFOV", 80.0f);
        shader->setVec3("flashLightPos", eye);
        shader->setVec3("flashLightDir", glm::normalize(eye - target)); // the lamp's back axis
        shader->setVec3("firePos", glm::vec3(view * glm::vec4(target + glm::vec3(0, 2, 0), 1.0f)));
        shader->setFloat("fireNoise", 1.0f);
        shader->setInt("outsideShadow", 1);
        shader->setFloat("fogFactor", 0.0f);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, blocks);
        shader->setInt("diffuseTexArray", 0);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_2D, depth);
        shader->setInt("depthTex", 5);
        glActiveTexture(GL_TEXTURE6); // the same map, read without comparison
        glBindTexture(GL_TEXTURE_2D, depth);
        glBindSampler(6, rawDepths);
        shader->setInt("depthValues", 6);
        drawTerrain(merged, eye);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindSampler(6, 0);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
        shader->unbind();
        glDisable(GL_CULL_FACE);
        std::vector<unsigned char> pixels(SIZE * SIZE * 4);
        glReadPixels(0, 0, SIZE, SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return pixels;
    }

    static bool isSky(const std::vector<unsigned char>& p, size_t i)
    {
        return p[i] == kSky[0] && p[i + 1] == kSky[1] && p[i + 2] == kSky[2];
    }

    ChunkList chunks;
    float craterY = 0.0f;
    size_t mergedQuads = 0, referenceQuads = 0;
    std::vector<MergedMesh> mergedMeshes;
    std::vector<ReferenceMesh> reference;
    std::unique_ptr<Shader> shader, depthShader;
    GLuint colour = 0, depthBuffer = 0, framebuffer = 0, blocks = 0, depth = 0, rawDepths = 0;
    GLuint shadowMap = 0, shadowFramebuffer = 0;
};

TEST_F(TerrainPictureGl, MergedMeshesDrawTheSamePictureAndShadowMapWithoutCracks)
{
    EXPECT_LT(mergedQuads * 3, referenceQuads) << "merging pays on forest terrain";
    const glm::vec3 crater(256.0f, craterY, -40.0f);
    struct View {
        const char* what;
        glm::vec3 eye, target;
    };
    const View views[] = {
        { "flat ground from above", crater + glm::vec3(-30, 25, 20), crater + glm::vec3(-30, 0, 19) },
        { "slopes towards the horizon", crater + glm::vec3(-60, 8, 50), crater + glm::vec3(60, -5, -60) },
        { "into the crater", crater + glm::vec3(-3, 9, 9), crater + glm::vec3(0, -3, 0) },
        { "along the chunk border", glm::vec3(256.0f, craterY + 6, 10), glm::vec3(256.0f, craterY - 2, -60) },
        { "the wall and its doorway", crater + glm::vec3(-6, 2, 24), crater + glm::vec3(-6, 2, 10) },
        { "low over the ground", crater + glm::vec3(-40, 2.5f, 30), crater + glm::vec3(20, 0, -30) },
    };
    for (const View& v : views) {
        SCOPED_TRACE(v.what);
        const auto expected = draw(false, v.eye, v.target);
        const auto merged = draw(true, v.eye, v.target);
        double squared = 0.0;
        int cracks = 0, terrain = 0;
        for (size_t i = 0; i < expected.size(); i += 4) {
            for (size_t c = 0; c < 3; ++c) {
                const double d = (double(expected[i + c]) - double(merged[i + c])) / 255.0;
                squared += d * d;
            }
            terrain += !isSky(expected, i);
            cracks += !isSky(expected, i) && isSky(merged, i);
        }
        const double rmse = std::sqrt(squared / double(expected.size() / 4 * 3));
        EXPECT_GT(terrain, SIZE * SIZE / 4) << "the view shows terrain";
        EXPECT_LE(rmse, 0.01);
        EXPECT_EQ(cracks, 0) << "sky through terrain that was closed";

        // The lamp at the same place: wherever the reference's map holds a surface, the
        // merged map holds it too, so no speck of light reaches what that surface shadows.
        // Looked for inside surfaces (the texel's eight neighbours within a twentieth of its
        // distance): along an outline the two meshes' edges round onto either texel.
        const auto shadowExpected = shadowDepth(false, v.eye, v.target);
        const auto shadowMerged = shadowDepth(true, v.eye, v.target);
        int specks = 0, lit = 0, inside = 0;
        for (int y = 1; y + 1 < SHADOW; ++y) {
            for (int x = 1; x + 1 < SHADOW; ++x) {
                const float d = shadowExpected[size_t(y * SHADOW + x)];
                lit += d < 500.0f;
                bool surface = d < 500.0f;
                for (int n = 0; n < 9 && surface; ++n)
                    surface = std::fabs(shadowExpected[size_t((y + n / 3 - 1) * SHADOW + x + n % 3 - 1)] - d) < 0.05f * d;
                inside += surface;
                specks += surface && shadowMerged[size_t(y * SHADOW + x)] > d + 0.05f * d;
            }
        }
        EXPECT_GT(inside, lit / 2);
        EXPECT_GT(lit, SHADOW * SHADOW / 4) << "the lamp shines on terrain";
        EXPECT_EQ(specks, 0) << "the shadow map has holes where merged faces meet smaller ones";
    }
}

} // namespace
