#include "physics/MovingObject.h"
#include "gameplay/Human.h"
#include "physics/WorldFloor.h"

#include "PhysicsTestHelpers.h"

#include <gtest/gtest.h>

#include <glm/common.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

class Body : public MovingObject {
public:
    using MovingObject::MovingObject;
    void update(float) override { }
};

void expectNear(const glm::vec3& a, const glm::vec3& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-5f);
    EXPECT_NEAR(a.y, b.y, 1e-5f);
    EXPECT_NEAR(a.z, b.z, 1e-5f);
}

}

TEST(MovingObject, ConstructorsAndAxisMovesKeepBoxAndMatrixTogether)
{
    Body plain;
    EXPECT_EQ(plain.box.min, glm::vec3(-1));
    EXPECT_EQ(plain.box.max, glm::vec3(1));
    EXPECT_EQ(plain.gravity, 10.0f);
    EXPECT_TRUE(plain.alive);
    Body thrown(100.0f, 10.0f, 0.0f);
    EXPECT_EQ(thrown.speed, 100.0f);

    plain.velocity = { 1, 2, 3 };
    plain.move(1.0f, 1);
    expectNear(plain.position(), { 0, 2, 0 });
    plain.move(-0.5f, -1);
    expectNear(plain.position(), { -0.5f, 1, -1.5f });
    expectNear(plain.box.center(), plain.position());

    plain.setPosition({ 5, 6, 7 });
    EXPECT_EQ(plain.box.center(), glm::vec3(5, 6, 7));
    EXPECT_EQ(plain.model[3], glm::vec4(5, 6, 7, 1));
}

TEST(MovingObject, TurnDropsAPitchThatWouldTurnTheBodyUpsideDown)
{
    Body body;
    body.turn(90.0f, 60.0f);
    const glm::mat4 pitched = body.model;
    EXPECT_NEAR(pitched[1].y, 0.5f, 1e-5f);
    body.turn(30.0f, 60.0f); // past straight up: only the yaw is applied
    EXPECT_NEAR(body.model[1].y, 0.5f, 1e-5f);
    glm::mat4 yawOnly = glm::rotate(glm::mat4(1.0f), glm::radians(120.0f), glm::vec3(0, 1, 0));
    yawOnly = glm::rotate(yawOnly, glm::radians(60.0f), glm::vec3(1, 0, 0));
    for (int c = 0; c < 3; ++c)
        expectNear(glm::vec3(body.model[c]), glm::vec3(yawOnly[c]));

    // A yaw turns about the world's vertical even when the body is pitched.
    const glm::vec3 upBefore(body.model[1]);
    body.rotateAboutWorldAxis({ 0, 1, 0 }, 45.0f);
    EXPECT_NEAR(body.model[1].y, upBefore.y, 1e-5f);
}

TEST(Character, PartBoxesFollowMovesPlacementAndSteps)
{
    TestHuman human({ 0, 0, 0 });
    ASSERT_EQ(human.partBoxes.size(), 3u);
    EXPECT_EQ(human.box.max - human.box.min, glm::vec3(0.9f, 1.7f, 0.9f));
    EXPECT_TRUE(human.canStep);

    human.placeAt({ 10, 20, 30 });
    expectNear(human.box.center(), { 10, 20, 30 });
    expectNear(human.partBoxes[0].center(), { 10, 20.65f, 30 }); // head keeps its place on the body
    expectNear(human.partBoxes[2].center(), { 10, 19.4f, 30 }); // legs
    human.velocity = { 1, 0, 0 };
    human.move(1.0f, 0);
    expectNear(human.partBoxes[1].center(), { 11, 20.1f, 30 });
    human.stepUp();
    expectNear(human.partBoxes[1].center(), { 11, 20.6f, 30 });
    expectNear(human.position(), { 11, 20.5f, 30 });

    human.canStep = false;
    human.stepDown();
    expectNear(human.position(), { 11, 20.5f, 30 });
}

TEST(Character, FaceDirectionTurnsWithoutMoving)
{
    TestHuman human({ 1, 2, 3 });
    human.faceDirection({ 1, 0, 0 });
    expectNear(glm::vec3(human.model[2]), { -1, 0, 0 });
    expectNear(glm::vec3(human.model[0]), { 0, 0, 1 });
    expectNear(human.position(), { 1, 2, 3 });
    human.faceDirection({ 0, 0, 0 }); // no direction: no NaN
    EXPECT_EQ(glm::vec3(human.model[0]), glm::vec3(0));
}

TEST(WorldFloor, SlabSizeStartPlaceAndTopFaceMesh)
{
    WorldFloor floor(2, glm::vec3(64));
    EXPECT_EQ(floor.box.max - floor.box.min, glm::vec3(320, 20, 320));
    EXPECT_EQ(floor.box.center(), glm::vec3(10, 80, 30));
    floor.placeUnderChunk(-1, 2);
    EXPECT_EQ(floor.box.max.y, 0.0f);
    EXPECT_EQ(floor.box.min.y, -20.0f);
    EXPECT_EQ(floor.box.center(), glm::vec3(-32, -10, 160));

    // +Y quads over the whole slab, four to a chunk's side, placed by origin + step * corner in
    // the slab's own frame.
    const TerrainMeshData& mesh = floor.meshData;
    ASSERT_EQ(mesh.vertices.size(), 4u * 20 * 20);
    ASSERT_EQ(mesh.indexCount(), 6u * 20 * 20);
    EXPECT_EQ(mesh.ranges.faceCount[4], 6u * 20 * 20);
    EXPECT_EQ(mesh.placement.step, glm::vec3(16, 20, 16));
    // A wider square has fewer patches to a chunk, down to one; past 255 chunks to a side a
    // corner's steps would no longer fit its byte, and the slab is one quad.
    EXPECT_EQ(WorldFloor(4, glm::vec3(64)).meshData.vertices.size(), 4u * 36 * 36);
    EXPECT_EQ(WorldFloor(8, glm::vec3(64)).meshData.vertices.size(), 4u * 51 * 51);
    EXPECT_EQ(WorldFloor(127, glm::vec3(64)).meshData.vertices.size(), 4u * 255 * 255);
    EXPECT_EQ(WorldFloor(128, glm::vec3(64)).meshData.vertices.size(), 4u);
    glm::vec3 lo(1e9f), hi(-1e9f);
    for (const TerrainVertex& v : mesh.vertices) {
        EXPECT_EQ(v.typeAndFace, BLOCK_BEDROCK | 4 << TERRAIN_FACE_SHIFT);
        const glm::vec3 p = mesh.placement.origin + mesh.placement.step * glm::vec3(v.x, v.y, v.z);
        lo = glm::min(lo, p);
        hi = glm::max(hi, p);
    }
    EXPECT_EQ(lo, glm::vec3(-160, 10, -160));
    EXPECT_EQ(hi, glm::vec3(160, 10, 160));
    // Drawn through the model matrix, the top lies at y = 0.
    const glm::vec4 top = floor.modelMatrix() * glm::vec4(0, lo.y, 0, 1);
    EXPECT_EQ(top.y, 0.0f);
}
