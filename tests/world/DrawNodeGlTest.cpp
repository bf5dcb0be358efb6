// Chunk meshes on the GPU: upload, cull, draw and release, in a real GL context.
#include "WorldTestHelpers.h"

#include "../render/GlContextFixture.h"
#include "physics/WorldFloor.h"
#include "render/Camera.h"
#include "render/Shader.h"
#include "render/TerrainMesh.h"
#include "world/FaceMasks.h"

#include <vector>

namespace {

// Terrain corners placed as the game's shaders place them, through one matrix; the block
// type comes out in red.
const char* kVertex = "#version 330 core\n"
                      "layout(location = 0) in uvec4 corner;\n"
                      "layout(location = 1) in vec3 meshOrigin;\n"
                      "layout(location = 2) in vec3 meshStep;\n"
                      "uniform mat4 modelViewProjMatrix;\n"
                      "flat out float type;\n"
                      "void main() { type = float(corner.w & 31u);\n"
                      "  gl_Position = modelViewProjMatrix * vec4(meshOrigin + meshStep * vec3(corner.xyz), 1.0); }\n";
const char* kFragment = "#version 330 core\n"
                        "flat in float type;\n"
                        "out vec4 colour;\n"
                        "void main() { colour = vec4(type / 32.0, 1.0, 1.0, 1.0); }\n";

class DrawNodeGl : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        chunk = makeGroundChunk(0, 0, 10.0f);
        region = aabb(chunk->bounds().min - glm::vec3(0.1f), chunk->bounds().max + glm::vec3(0.1f));
    }
    void TearDown() override
    {
        chunk.reset(); // releases the GPU buffers while the context is current
        GlTest::TearDown();
    }

    // The worker's part: visible faces, then the arrays; then the main thread's upload.
    void rebuild()
    {
        clearFaces(*chunk->root, region);
        markFaces(*chunk->root, { chunk->root.get() }, region);
        chunk->root->buildMesh(region);
        chunk->root->uploadMesh(region);
    }
    std::vector<Octree_draw_node*> drawNodes()
    {
        std::vector<Octree_draw_node*> nodes;
        forEachDrawNode(*chunk->root, region, [&](Octree_draw_node& node) { nodes.push_back(&node); });
        return nodes;
    }
    // Looks from above the chunk's middle towards `target`, draws, and reads the centre pixel.
    glm::vec4 drawAndRead(const glm::vec3& target)
    {
        int width = 0, height = 0;
        glfwGetFramebufferSize(window(), &width, &height);
        glViewport(0, 0, width, height);
        PerspectiveCamera camera("test");
        camera.setPerspective(60.0f, float(width) / float(height), 0.1f, 500.0f);
        camera.lookAt(glm::vec3(32.0f, 30.0f, 32.0f), target, glm::vec3(0.0f, 0.0f, -1.0f));
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        shader.bind();
        shader.setMat4("modelViewProjMatrix", camera.projection * camera.view);
        chunk->root->cull(camera);
        chunk->root->draw();
        shader.unbind();
        glm::vec4 pixel(0.0f);
        glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_FLOAT, &pixel);
        return pixel;
    }
    void makeShader()
    {
        testing::internal::CaptureStdout();
        shader.compile(kVertex, ShaderStage::Vertex);
        shader.compile(kFragment, ShaderStage::Fragment);
        shader.link();
        testing::internal::GetCapturedStdout();
    }

    std::unique_ptr<Chunk> chunk;
    aabb region;
    Shader shader;
};

}

TEST_F(DrawNodeGl, UploadedGroundIsDrawnWhereTheCameraLooksAndNowhereElse)
{
    rebuild();
    int meshes = 0;
    for (Octree_draw_node* node : drawNodes()) {
        EXPECT_FALSE(node->pendingData);
        EXPECT_EQ(node->meshData, nullptr); // handed to the GPU and freed
        if (!node->mesh)
            continue;
        ++meshes;
        EXPECT_EQ(node->box.min.y, 0.0f); // only the nodes holding the ground's top
        // The flat top of a node is one quad: four corners of four bytes and six 16-bit indices.
        EXPECT_EQ(node->mesh->indexCount(), 6u);
        EXPECT_EQ(node->mesh->gpuBytes(), 4u * 4u + 6u * 2u);
    }
    EXPECT_EQ(meshes, 16); // the 4 x 4 nodes of the bottom layer

    makeShader();
    const glm::vec4 ground = drawAndRead(glm::vec3(32.0f, 0.0f, 32.001f));
    EXPECT_FLOAT_EQ(ground.g, 1.0f);
    EXPECT_NEAR(ground.r, BLOCK_STONE / 32.0f, 1e-3f); // the block type reaches the shader
    int visible = 0;
    for (Octree_draw_node* node : drawNodes())
        visible += node->visible;
    EXPECT_GT(visible, 0);

    // Looking up at the sky: the ground's nodes, all behind the camera, are culled.
    const glm::vec4 sky = drawAndRead(glm::vec3(32.0f, 200.0f, 32.001f));
    EXPECT_EQ(sky.g, 0.0f);
    for (Octree_draw_node* node : drawNodes()) {
        if (node->box.max.y <= 16.0f) {
            EXPECT_FALSE(node->visible);
        }
    }
}

TEST_F(DrawNodeGl, DroppedAndEmptiedMeshesReleaseTheirBuffers)
{
    rebuild();
    chunk->root->dropMesh();
    for (Octree_draw_node* node : drawNodes())
        EXPECT_EQ(node->mesh, nullptr);
    // Voxels and masks stay: the next rebuild brings the meshes back.
    rebuild();
    int meshes = 0;
    for (Octree_draw_node* node : drawNodes())
        meshes += node->mesh != nullptr;
    EXPECT_EQ(meshes, 16);

    // A build that finds no solid leaf clears the old mesh on upload.
    chunk->root->fill(BLOCK_AIR, chunk->bounds());
    rebuild();
    for (Octree_draw_node* node : drawNodes()) {
        EXPECT_EQ(node->mesh, nullptr);
        EXPECT_FALSE(node->pendingData);
    }
}

TEST_F(DrawNodeGl, FloorDrawsItsTopFaceWithItsOwnMatrices)
{
    WorldFloor floor(2, glm::vec3(64.0f));
    floor.placeUnderChunk(0, 0);
    makeShader();
    int width = 0, height = 0;
    glfwGetFramebufferSize(window(), &width, &height);
    glViewport(0, 0, width, height);
    PerspectiveCamera camera("test");
    camera.setPerspective(60.0f, float(width) / float(height), 0.1f, 500.0f);
    camera.lookAt(glm::vec3(32.0f, 30.0f, 32.0f), glm::vec3(32.0f, 0.0f, 32.001f), glm::vec3(0.0f, 0.0f, -1.0f));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shader.bind();
    floor.draw(camera, shader);
    shader.unbind();
    glm::vec4 pixel(0.0f);
    glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_FLOAT, &pixel);
    EXPECT_FLOAT_EQ(pixel.g, 1.0f);
    EXPECT_NEAR(pixel.r, BLOCK_BEDROCK / 32.0f, 1e-3f);
    ASSERT_NE(floor.mesh, nullptr);

    // Its patches reach the test in the world's frame, and those it hides are left out: here
    // the four around the point below the eye.
    float area = 0.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shader.bind();
    floor.draw(camera, shader, [&](const glm::vec3& lo, const glm::vec3& hi) {
        EXPECT_EQ(lo.y, 0.0f);
        EXPECT_EQ(hi.y, 0.0f);
        area += (hi.x - lo.x) * (hi.z - lo.z);
        return hi.x > 16.0f && lo.x < 48.0f && hi.z > 16.0f && lo.z < 48.0f;
    });
    shader.unbind();
    EXPECT_FLOAT_EQ(area, 320.0f * 320.0f);
    glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_FLOAT, &pixel);
    EXPECT_FLOAT_EQ(pixel.g, 0.0f) << "hidden";
    glReadPixels(width - 2, height / 2, 1, 1, GL_RGBA, GL_FLOAT, &pixel);
    EXPECT_FLOAT_EQ(pixel.g, 1.0f) << "past the patches hidden";
}
