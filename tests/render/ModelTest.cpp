#include "render/Model.h"
#include "render/FrameState.h"
#include "render/GlContextFixture.h"
#include "render/MeshTable.h"
#include "render/TestFiles.h"
#include "render/TextureTable.h"
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

    const glm::mat4 view = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -5.0f));
    cat.setModelMatrix(leg);
    cat.updateNormalMatrix(view);
    EXPECT_EQ(cat.normalMatrix, view * leg);
}

// Models name their meshes and textures by these indices; a table edited
// without its names (or the reverse) would draw the wrong part everywhere.
TEST(ModelTables, EveryNamedIndexNamesItsFile)
{
    const std::pair<MeshIndex, const char*> meshes[] = {
        { MESH_PLAYER, "models/player.obj" },
        { MESH_DEATH_SCYTHE, "models/death_scythe.obj" },
        { MESH_DEATH_LEFT_ARM, "models/death_left_arm.obj" },
        { MESH_DEATH_RIGHT_ARM, "models/death_right_arm.obj" },
        { MESH_DEATH_HEAD, "models/death_head.obj" },
        { MESH_DEATH_BODY, "models/death_body.obj" },
        { MESH_CAT_HEAD, "models/cat_head.obj" },
        { MESH_CAT_BODY, "models/cat_body.obj" },
        { MESH_CAT_LEG, "models/cat_leg.obj" },
        { MESH_CAT_TAIL, "models/cat_tail.obj" },
        { MESH_DYNAMITE, "models/dynamite.obj" },
        { MESH_CAGE, "models/cage.obj" },
        { MESH_FLASHLIGHT, "models/flashlight.obj" },
        { MESH_FLASHLIGHT_HAND, "models/flashlight_hand.obj" },
        { MESH_FISH, "models/fish.obj" },
        { MESH_BONFIRE, "models/bonfire.obj" },
        { MESH_JETPACK, "models/jetpack.obj" },
        { MESH_JETPACK_HAND, "models/jetpack_hand.obj" },
        { MESH_SIGN, "models/sign.obj" },
        { MESH_DYNAMITE_PACK, "models/dynamite_pack.obj" },
        { MESH_BLASTING_MACHINE, "models/blasting_machine.obj" },
        { MESH_BLASTING_MACHINE_HANDLE, "models/blasting_machine_handle.obj" },
        { MESH_BALL, "models/ball.obj" },
        { MESH_POTION_BOTTLE, "models/potion_bottle.obj" },
        { MESH_POTION_CORK, "models/potion_cork.obj" },
    };
    ASSERT_EQ(std::size(meshes), size_t(MESH_COUNT));
    for (int i = 0; i < MESH_COUNT; ++i) {
        EXPECT_EQ(meshes[i].first, i) << "names listed out of table order";
        EXPECT_STREQ(meshFiles[meshes[i].first], meshes[i].second);
    }

    const std::pair<ModelTextureIndex, const char*> textures[] = {
        { TEXTURE_MOON, "textures/moon.png" },
        { TEXTURE_STAR, "textures/star.png" },
        { TEXTURE_DEATH, "textures/death.png" },
        { TEXTURE_FIRE_ALPHA, "textures/fire_alpha.png" },
        { TEXTURE_FIRE_DIFFUSE, "textures/fire_diffuse.png" },
        { TEXTURE_CAT, "textures/cat.png" },
        { TEXTURE_DYNAMITE, "textures/dynamite.png" },
        { TEXTURE_PLAYER, "textures/player.png" },
        { TEXTURE_CAGE, "textures/cage.png" },
        { TEXTURE_FLASHLIGHT, "textures/flashlight.png" },
        { TEXTURE_GLOVES, "textures/gloves.png" },
        { TEXTURE_FISH, "textures/fish.png" },
        { TEXTURE_LOGS, "textures/logs.png" },
        { TEXTURE_JETPACK, "textures/jetpack.png" },
        { TEXTURE_SIGN_PYRAMID, "textures/sign_pyramid.png" },
        { TEXTURE_BLASTING_MACHINE, "textures/blasting_machine.png" },
        { TEXTURE_WOOL, "textures/wool.png" },
        { TEXTURE_POTION, "textures/potion.png" },
    };
    ASSERT_EQ(std::size(textures), size_t(MODEL_TEXTURE_COUNT));
    for (int i = 0; i < MODEL_TEXTURE_COUNT; ++i) {
        EXPECT_EQ(textures[i].first, i) << "names listed out of table order";
        EXPECT_STREQ(modelTexturePaths[textures[i].first], textures[i].second);
    }
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
    EXPECT_EQ(getMesh(MESH_SIGN)->indexCount(), 0);
    getMesh(MESH_SIGN)->draw(); // an empty mesh draws nothing and raises no GL error
    EXPECT_EQ(getMesh(MESH_COUNT), nullptr);
    EXPECT_EQ(getMesh(-1), nullptr);
}
