#include "render/Model.h"
#include "render/FrameState.h"
#include "render/GlContextFixture.h"
#include "render/MeshTable.h"
#include "render/TestFiles.h"
#include "render/VertexArray.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <sstream>

TEST(ModelTest, PartsStartVisibleWithIdentityMatrices)
{
    Model cat(7, 4, 3, false);
    cat.addPart(6, 4);
    cat.addPart(8, 5);
    ASSERT_EQ(cat.partCount(), 3);
    EXPECT_EQ(cat.meshes, (std::vector<int> { 7, 6, 8 }));
    EXPECT_EQ(cat.textures, (std::vector<int> { 4, 4, 5 }));
    EXPECT_EQ(cat.partMatrices[2], glm::mat4(1.0f));
    EXPECT_TRUE(cat.partVisible[2]);

    const glm::mat4 leg = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.0f, 0.0f));
    cat.setPartMatrix(leg, 2);
    cat.setPartVisible(false, 1);
    cat.setPartVisible(false, 3); // no such part
    cat.setPartMatrix(leg, -1); // no such part
    EXPECT_EQ(cat.partMatrices[2], leg);
    EXPECT_EQ(cat.partVisible, (std::vector<bool> { true, false, true }));

    gFrame.viewMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -5.0f));
    cat.setModelMatrix(leg);
    cat.updateNormalMatrix();
    EXPECT_EQ(cat.normalMatrix, gFrame.viewMatrix * leg);
    gFrame = FrameState();
}

class MeshTableGlTest : public GlTest {
protected:
    void TearDown() override
    {
        freeMeshes();
        GlTest::TearDown();
    }
};

TEST_F(MeshTableGlTest, LoadsEveryMeshInOrderAndAMissingOneDrawsNothing)
{
    TempDir dir;
    const std::filesystem::path run(MOSSGRAVE_RUN_DIR);
    std::filesystem::copy(run / "models", dir.path() / "models");
    std::filesystem::remove(dir.path() / "models" / "sign.obj");
    ScopedWorkingDirectory cwd(dir.path());

    testing::internal::CaptureStdout();
    loadMeshes();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Mesh Loader: Loading Mesh 0 models/player.obj\n"), std::string::npos);
    EXPECT_NE(out.find("Mesh Loader: Loading Mesh 24 models/potion_cork.obj\n"), std::string::npos);
    EXPECT_NE(out.find("Exception opening/reading file\n"), std::string::npos);

    for (int i = 0; i < MESH_COUNT; ++i) {
        SCOPED_TRACE(meshFiles[i]);
        ASSERT_NE(getMesh(i), nullptr);
        std::ostringstream log;
        const MeshData data = readObjFile(meshFiles[i], log);
        EXPECT_EQ(getMesh(i)->indexCount(), GLsizei(data.indices.size()));
    }
    EXPECT_EQ(getMesh(18)->indexCount(), 0);
    getMesh(18)->draw(); // an empty mesh draws nothing and raises no GL error
    EXPECT_EQ(getMesh(MESH_COUNT), nullptr);
    EXPECT_EQ(getMesh(-1), nullptr);
}
