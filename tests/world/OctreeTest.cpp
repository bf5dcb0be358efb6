#include "world/Octree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

Octree makeRoot(BlockType type = BLOCK_DIRT)
{
    return Octree(type, 0, aabb({ 0, 0, 0 }, { 64, 64, 64 }), 0);
}

// The node whose box is the cube of the given depth containing point p.
const Octree* nodeAt(const Octree& root, const glm::vec3& p, int depth)
{
    const Octree* node = &root;
    while (node->depth < depth && node->isSplit) {
        const glm::vec3 c = node->box.center();
        node = &node->child((p.x >= c.x ? 1 : 0) | (p.y >= c.y ? 2 : 0) | (p.z >= c.z ? 4 : 0));
    }
    return node->depth == depth ? node : nullptr;
}

// The type of the voxel with cell (ix, iy, iz), read by descending to the leaf.
BlockType voxel(const Octree& root, int ix, int iy, int iz)
{
    const glm::vec3 p(ix * 0.5f + 0.25f, iy * 0.5f + 0.25f, iz * 0.5f + 0.25f);
    const Octree* node = &root;
    while (node->isSplit) {
        const glm::vec3 c = node->box.center();
        node = &node->child((p.x >= c.x ? 1 : 0) | (p.y >= c.y ? 2 : 0) | (p.z >= c.z ? 4 : 0));
    }
    return node->type;
}

void expectInvariants(const Octree& node)
{
    EXPECT_EQ(node.isSplit, node.type == MIXED_NODE);
    if (node.depth < 2) {
        EXPECT_TRUE(node.isSplit);
    }
    if (node.depth >= 7) {
        EXPECT_FALSE(node.isSplit);
    }
    if (!node.isSplit)
        return;
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(node.child(k).depth, node.depth + 1);
        expectInvariants(node.child(k));
    }
}

}

TEST(Octree, EmptyChunkIsRootEightAndSixtyFourDrawNodes)
{
    Octree root = makeRoot();
    EXPECT_EQ(root.countNodes(), 73);
    EXPECT_EQ(root.type, MIXED_NODE);
    int drawNodes = 0;
    for (int a = 0; a < 8; ++a) {
        const Octree& mid = root.child(a);
        EXPECT_TRUE(mid.isSplit);
        EXPECT_EQ(dynamic_cast<const Octree_draw_node*>(&mid), nullptr);
        for (int b = 0; b < 8; ++b) {
            const Octree& leaf = mid.child(b);
            EXPECT_NE(dynamic_cast<const Octree_draw_node*>(&leaf), nullptr);
            EXPECT_EQ(leaf.type, BLOCK_DIRT);
            EXPECT_FALSE(leaf.isSplit);
            EXPECT_EQ(leaf.box.max - leaf.box.min, glm::vec3(16.0f));
            ++drawNodes;
        }
    }
    EXPECT_EQ(drawNodes, 64);
    int solid = 0;
    root.countSolidLeaves(solid);
    EXPECT_EQ(solid, 64);
}

TEST(Octree, ChildBitsSelectUpperHalves)
{
    Octree root = makeRoot();
    const Octree& c5 = root.child(5); // upper x and z, lower y
    EXPECT_EQ(c5.box.min, glm::vec3(32, 0, 32));
    EXPECT_EQ(c5.box.max, glm::vec3(64, 32, 64));
    const Octree& c2 = root.child(2);
    EXPECT_EQ(c2.box.min, glm::vec3(0, 32, 0));
    EXPECT_EQ(c2.box.max, glm::vec3(32, 64, 32));
}

TEST(Octree, SplitClearsTheThreeInnerFacesOfEachChild)
{
    Octree node(BLOCK_STONE, 3, aabb({ 0, 0, 0 }, { 8, 8, 8 }), 0x3F);
    node.split();
    EXPECT_EQ(node.type, MIXED_NODE);
    EXPECT_EQ(node.child(0).visibleFaces, FACE_NEG_X | FACE_NEG_Y | FACE_NEG_Z);
    EXPECT_EQ(node.child(7).visibleFaces, FACE_POS_X | FACE_POS_Y | FACE_POS_Z);
    EXPECT_EQ(node.child(1).visibleFaces, FACE_POS_X | FACE_NEG_Y | FACE_NEG_Z);
    EXPECT_EQ(node.child(6).type, BLOCK_STONE);
    EXPECT_EQ(dynamic_cast<Octree_draw_node*>(&node.child(0)), nullptr);
}

TEST(Octree, SplitTwicePrintsOnceAndKeepsChildren)
{
    Octree node(BLOCK_STONE, 4, aabb({ 0, 0, 0 }, { 4, 4, 4 }), 0);
    node.split();
    node.child(3).type = BLOCK_SAND;
    const Octree* before = &node.child(3);
    testing::internal::CaptureStdout();
    node.split();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Octree split error: already split\n");
    EXPECT_EQ(&node.child(3), before);
    EXPECT_EQ(node.child(3).type, BLOCK_SAND);

    Octree voxelNode(BLOCK_STONE, 7, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }), 0);
    voxelNode.split();
    EXPECT_FALSE(voxelNode.isSplit);
    EXPECT_EQ(voxelNode.type, BLOCK_STONE);
}

TEST(Octree, CollapseRefusedAboveDrawNodes)
{
    Octree root = makeRoot();
    EXPECT_FALSE(root.collapse());
    EXPECT_EQ(root.countNodes(), 73);
    EXPECT_FALSE(root.child(0).collapse());

    Octree node(BLOCK_STONE, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0x3F);
    node.split();
    EXPECT_TRUE(node.collapse());
    EXPECT_FALSE(node.isSplit);
    EXPECT_EQ(node.visibleFaces, 0);
    EXPECT_EQ(node.countNodes(), 1);
}

TEST(Octree, BoxOverDepthThreeNodeLeavesOneLeaf)
{
    Octree root = makeRoot();
    root.fill(BLOCK_GRASS, aabb({ 1, 1, 1 }, { 2, 2, 2 })); // splits the area down to voxels
    ASSERT_TRUE(nodeAt(root, { 1, 1, 1 }, 3)->isSplit);
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 8, 8, 8 }));
    const Octree* n3 = nodeAt(root, { 1, 1, 1 }, 3);
    ASSERT_NE(n3, nullptr);
    EXPECT_FALSE(n3->isSplit);
    EXPECT_EQ(n3->type, BLOCK_STONE);
    EXPECT_EQ(root.countNodes(), 73 + 8); // only draw node 0 stays split
    expectInvariants(root);
}

TEST(Octree, BoxOverWholeChunkMakesSixtyFourUniformDrawNodes)
{
    Octree root = makeRoot();
    root.fill(BLOCK_SAND, aabb({ 3, 3, 3 }, { 3.2f, 3.2f, 3.2f }));
    EXPECT_FALSE(root.fill(BLOCK_STONE, aabb({ -1, -1, -1 }, { 65, 65, 65 })));
    EXPECT_EQ(root.countNodes(), 73);
    for (int a = 0; a < 8; ++a) {
        EXPECT_TRUE(root.child(a).isSplit);
        for (int b = 0; b < 8; ++b)
            EXPECT_EQ(root.child(a).child(b).type, BLOCK_STONE);
    }
}

TEST(Octree, ThinBoxesSelectTheVoxelLayerTheyOverlap)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 9.999f, 0 }, { 64, 10, 64 }));
    EXPECT_EQ(voxel(root, 5, 19, 7), BLOCK_STONE); // the layer 9.5..10
    EXPECT_EQ(voxel(root, 127, 19, 127), BLOCK_STONE);
    EXPECT_EQ(voxel(root, 5, 18, 7), BLOCK_AIR);
    EXPECT_EQ(voxel(root, 5, 20, 7), BLOCK_AIR);

    root.fill(BLOCK_GRASS, aabb({ 0, 10, 0 }, { 64, 10.5f, 64 }));
    EXPECT_EQ(voxel(root, 5, 19, 7), BLOCK_STONE);
    EXPECT_EQ(voxel(root, 5, 20, 7), BLOCK_GRASS);
    expectInvariants(root);
}

TEST(Octree, FillOutsideTheBoxChangesNothing)
{
    Octree root = makeRoot();
    root.fill(BLOCK_STONE, aabb({ 64, 0, 0 }, { 70, 64, 64 })); // touches the +x face only
    EXPECT_EQ(root.countNodes(), 73);
    EXPECT_EQ(voxel(root, 127, 10, 10), BLOCK_DIRT);
}

TEST(Octree, AirSphereInStoneMatchesVoxelByVoxelClassification)
{
    Octree_draw_node node(BLOCK_STONE, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0);
    const Sphere sphere({ 8.2f, 7.9f, 8.1f }, 1.0f);
    EXPECT_FALSE(node.fill(BLOCK_AIR, sphere));
    EXPECT_TRUE(node.isSplit);

    int airVoxels = 0;
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 32; ++y)
            for (int z = 0; z < 32; ++z) {
                const glm::vec3 lo(x * 0.5f, y * 0.5f, z * 0.5f);
                const aabb cell(lo, lo + glm::vec3(0.5f));
                const bool expectAir = sphere.classify(cell) != OVERLAP_NONE;
                airVoxels += expectAir;
                ASSERT_EQ(node.isSolidIn(cell), !expectAir) << x << " " << y << " " << z;
            }
    EXPECT_GT(airVoxels, 8);
    // Far from the sphere the stone stays in large uniform nodes.
    EXPECT_FALSE(node.child(0).child(0).isSplit);
    EXPECT_EQ(node.child(0).child(0).type, BLOCK_STONE);
    EXPECT_LT(node.countNodes(), 1000);
    expectInvariants(node);
}

TEST(Octree, SiblingsMergeOnlyOnceAllHoldTheWrittenType)
{
    Octree root = makeRoot();
    // Seven of the eight voxels of the unit cube at the origin.
    for (int k = 1; k < 8; ++k) {
        const glm::vec3 lo((k & 1) * 0.5f, ((k >> 1) & 1) * 0.5f, ((k >> 2) & 1) * 0.5f);
        root.fill(BLOCK_STONE, aabb(lo, lo + glm::vec3(0.5f)));
    }
    const Octree* cube = nodeAt(root, { 0, 0, 0 }, 6);
    ASSERT_NE(cube, nullptr);
    EXPECT_TRUE(cube->isSplit);
    EXPECT_EQ(cube->child(0).type, BLOCK_DIRT);

    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }));
    cube = nodeAt(root, { 0, 0, 0 }, 6);
    EXPECT_FALSE(cube->isSplit);
    EXPECT_EQ(cube->type, BLOCK_STONE);
    EXPECT_TRUE(nodeAt(root, { 0, 0, 0 }, 5)->isSplit); // its siblings are still dirt

    // Writing the old type back everywhere merges all the way up to the draw node.
    root.fill(BLOCK_DIRT, aabb({ 0, 0, 0 }, { 1, 1, 1 }));
    EXPECT_EQ(root.countNodes(), 73);
}

TEST(Octree, WritingTheSameTypeClearsFacesWithoutSplitting)
{
    Octree_draw_node node(BLOCK_STONE, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0x3F);
    EXPECT_TRUE(node.fill(BLOCK_STONE, aabb({ 1, 1, 1 }, { 1.2f, 1.2f, 1.2f })));
    EXPECT_FALSE(node.isSplit);
    EXPECT_EQ(node.visibleFaces, 0);
}

TEST(Octree, RayCastFindsNearestSolidEntry)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    root.fill(BLOCK_GRASS, aabb({ 20, 10, 20 }, { 20.5f, 10.5f, 20.5f }));

    float tBest = INFINITY;
    BlockType hit = BLOCK_AIR;
    root.rayCast(Ray({ 20.25f, 40, 20.25f }, { 0, -1, 0 }), tBest, hit);
    EXPECT_FLOAT_EQ(tBest, 29.5f);
    EXPECT_EQ(hit, BLOCK_GRASS);

    tBest = INFINITY;
    root.rayCast(Ray({ 30.25f, 40, 30.25f }, { 0, -1, 0 }), tBest, hit);
    EXPECT_FLOAT_EQ(tBest, 30.0f);
    EXPECT_EQ(hit, BLOCK_STONE);

    // Starting inside stone gives a negative entry distance.
    tBest = INFINITY;
    root.rayCast(Ray({ 30.25f, 5, 30.25f }, { 0, 1, 0 }), tBest, hit);
    EXPECT_LT(tBest, 0.0f);
}

TEST(Octree, RayCastKeepsSmallerBestDistance)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    float tBest = 5.0f;
    BlockType hit = BLOCK_LEAF;
    root.rayCast(Ray({ 30.25f, 40, 30.25f }, { 0, -1, 0 }), tBest, hit);
    EXPECT_EQ(tBest, 5.0f);
    EXPECT_EQ(hit, BLOCK_LEAF);

    // A ray that misses everything leaves both alone too.
    tBest = INFINITY;
    root.rayCast(Ray({ 30.1f, 40, 30.1f }, { 0, 1, 0 }), tBest, hit);
    EXPECT_EQ(tBest, INFINITY);
}

TEST(Octree, IsSolidInIsStrict)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    EXPECT_FALSE(root.isSolidIn(aabb({ 5, 10, 5 }, { 6, 12, 6 }))); // resting on top
    EXPECT_TRUE(root.isSolidIn(aabb({ 5, 9.9f, 5 }, { 6, 12, 6 })));
    CollisionObject body(aabb({ 5, 9.9f, 5 }, { 6, 12, 6 }));
    EXPECT_TRUE(root.intersects(body));
}

TEST(Octree, CountsVisibleFacesOfSolidLeavesOnly)
{
    Octree_draw_node node(BLOCK_AIR, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0);
    node.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 8, 8, 8 }));
    node.child(0).visibleFaces = 0xFF; // only bits 0..5 count
    node.child(1).visibleFaces = 0x3F; // air leaf: ignored
    int faces = 0, solid = 0;
    node.countVisibleFaces(faces);
    node.countSolidLeaves(solid);
    EXPECT_EQ(faces, 6);
    EXPECT_EQ(solid, 1);
}

TEST(Octree, PlainNodesReportMeshCallsThatCannotReachDrawNodes)
{
    Octree root = makeRoot(BLOCK_STONE);
    root.fill(BLOCK_AIR, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }));
    Octree& plain = root.child(0).child(0).child(7); // depth 3, unsplit stone
    ASSERT_EQ(plain.depth, 3);
    ASSERT_FALSE(plain.isSplit);

    testing::internal::CaptureStderr();
    plain.buildMesh(aabb({ 100, 100, 100 }, { 101, 101, 101 })); // region elsewhere: silent
    plain.buildMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    plain.uploadMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    plain.dropMesh();
    alignas(16) unsigned char cameraStandIn[16] = {}; // plain nodes never look at the camera
    EXPECT_FALSE(plain.cull(*reinterpret_cast<const Camera*>(cameraStandIn)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error updating draw nodes.\nError updating draw nodes.\n"
              "Error updating draw nodes\nError updating draw nodes\n");

    testing::internal::CaptureStdout();
    plain.draw();
    plain.type = BLOCK_AIR;
    plain.draw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error\n");

    // From the root the calls end at the draw nodes without complaint.
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    root.buildMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    root.dropMesh();
    root.draw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
