#include "world/Octree.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Octree makeRoot(BlockType type)
{
    return Octree(type, 0, aabb({ 0, 0, 0 }, { 64, 64, 64 }), 0);
}

// The deepest node containing p, stopping at maxDepth.
const Octree& nodeAt(const Octree& root, const glm::vec3& p, int maxDepth = 7)
{
    const Octree* node = &root;
    while (node->isSplit && node->depth < maxDepth) {
        const glm::vec3 c = node->box.center();
        node = &node->child((p.x >= c.x ? 1 : 0) | (p.y >= c.y ? 2 : 0) | (p.z >= c.z ? 4 : 0));
    }
    return *node;
}

void expectInvariants(const Octree& node)
{
    EXPECT_EQ(node.isSplit, node.type == MIXED_NODE);
    EXPECT_TRUE(node.depth >= 2 || node.isSplit);
    EXPECT_TRUE(node.depth < 7 || !node.isSplit);
    for (int k = 0; node.isSplit && k < 8; ++k) {
        EXPECT_EQ(node.child(k).depth, node.depth + 1);
        expectInvariants(node.child(k));
    }
}

}

TEST(Octree, EmptyChunkIsSeventyThreeNodesWithDrawNodesAtDepthTwo)
{
    Octree root = makeRoot(BLOCK_DIRT);
    EXPECT_EQ(root.countNodes(), 73);
    EXPECT_FALSE(root.collapse());
    EXPECT_FALSE(root.child(3).collapse());
    int solid = 0;
    root.countSolidLeaves(solid);
    EXPECT_EQ(solid, 64);
    EXPECT_EQ(dynamic_cast<const Octree_draw_node*>(&root.child(7)), nullptr);
    const Octree& draw = root.child(5).child(2); // upper x and z, then upper y
    EXPECT_NE(dynamic_cast<const Octree_draw_node*>(&draw), nullptr);
    EXPECT_EQ(draw.box.min, glm::vec3(32, 16, 32));
    EXPECT_EQ(draw.box.max, glm::vec3(48, 32, 48));
    EXPECT_EQ(draw.type, BLOCK_DIRT);
    expectInvariants(root);
}

TEST(Octree, SplitClearsInnerFacesAndComplainsOnlyWhenAlreadySplit)
{
    Octree node(BLOCK_STONE, 3, aabb({ 0, 0, 0 }, { 8, 8, 8 }), 0x3F);
    node.split();
    EXPECT_EQ(node.child(0).visibleFaces, FACE_NEG_X | FACE_NEG_Y | FACE_NEG_Z);
    EXPECT_EQ(node.child(7).visibleFaces, FACE_POS_X | FACE_POS_Y | FACE_POS_Z);
    EXPECT_EQ(node.child(1).visibleFaces, FACE_POS_X | FACE_NEG_Y | FACE_NEG_Z);
    node.child(3).type = BLOCK_SAND;
    const Octree* before = &node.child(3);

    testing::internal::CaptureStdout();
    node.split();
    Octree voxel(BLOCK_STONE, 7, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }), 0);
    voxel.split();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Octree split error: already split\n");
    EXPECT_EQ(&node.child(3), before);
    EXPECT_EQ(node.child(3).type, BLOCK_SAND);
    EXPECT_FALSE(voxel.isSplit);

    EXPECT_TRUE(node.collapse());
    EXPECT_EQ(node.countNodes(), 1);
}

TEST(Octree, BoxOverDepthThreeNodeLeavesOneLeaf)
{
    Octree root = makeRoot(BLOCK_DIRT);
    root.fill(BLOCK_GRASS, aabb({ 1, 1, 1 }, { 1.5f, 1.5f, 1.5f })); // splits down to a voxel
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 8, 8, 8 }));
    const Octree& n3 = nodeAt(root, { 1, 1, 1 });
    EXPECT_EQ(n3.depth, 3);
    EXPECT_EQ(n3.type, BLOCK_STONE);
    EXPECT_EQ(root.countNodes(), 73 + 8); // only draw node 0 stays split
}

TEST(Octree, BoxOverWholeChunkKeepsUpperLevelsSplit)
{
    Octree root = makeRoot(BLOCK_DIRT);
    root.fill(BLOCK_SAND, aabb({ 3, 3, 3 }, { 3.2f, 3.2f, 3.2f }));
    EXPECT_FALSE(root.fill(BLOCK_STONE, aabb({ -1, -1, -1 }, { 65, 65, 65 })));
    EXPECT_EQ(root.countNodes(), 73);
    for (int a = 0; a < 8; ++a)
        for (int b = 0; b < 8; ++b)
            EXPECT_EQ(root.child(a).child(b).type, BLOCK_STONE);
    // A box that only touches the chunk writes nothing.
    root.fill(BLOCK_DIRT, aabb({ 64, 0, 0 }, { 70, 64, 64 }));
    EXPECT_EQ(root.countNodes(), 73);
}

TEST(Octree, ThinBoxesSelectTheVoxelLayerTheyOverlap)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 9.999f, 0 }, { 64, 10, 64 }));
    root.fill(BLOCK_GRASS, aabb({ 0, 10, 0 }, { 64, 10.5f, 64 }));
    EXPECT_EQ(nodeAt(root, { 2.6f, 9.75f, 3.6f }).type, BLOCK_STONE); // the layer 9.5..10
    EXPECT_EQ(nodeAt(root, { 63.9f, 9.75f, 63.9f }).type, BLOCK_STONE);
    EXPECT_EQ(nodeAt(root, { 2.6f, 9.25f, 3.6f }).type, BLOCK_AIR);
    EXPECT_EQ(nodeAt(root, { 2.6f, 10.25f, 3.6f }).type, BLOCK_GRASS);
    EXPECT_EQ(nodeAt(root, { 2.6f, 10.75f, 3.6f }).type, BLOCK_AIR);
    expectInvariants(root);
}

TEST(Octree, AirSphereInStoneMatchesVoxelByVoxelClassification)
{
    Octree_draw_node node(BLOCK_STONE, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0);
    const Sphere sphere({ 8.2f, 7.9f, 8.1f }, 1.0f);
    EXPECT_FALSE(node.fill(BLOCK_AIR, sphere));
    int airVoxels = 0;
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 32; ++y)
            for (int z = 0; z < 32; ++z) {
                const glm::vec3 lo(x * 0.5f, y * 0.5f, z * 0.5f);
                const aabb cell(lo, lo + glm::vec3(0.5f));
                const bool air = sphere.classify(cell) != OVERLAP_NONE;
                airVoxels += air;
                ASSERT_EQ(node.isSolidIn(cell), !air) << x << " " << y << " " << z;
            }
    EXPECT_GT(airVoxels, 8);
    EXPECT_EQ(nodeAt(node, { 1, 1, 1 }).depth, 4); // far away: large uniform stone nodes
    EXPECT_LT(node.countNodes(), 1000);
    expectInvariants(node);
}

TEST(Octree, SiblingsMergeOnceAllHoldTheWrittenType)
{
    Octree root = makeRoot(BLOCK_DIRT);
    for (int k = 1; k < 8; ++k) { // seven of the eight voxels of the unit cube at the origin
        const glm::vec3 lo((k & 1) * 0.5f, ((k >> 1) & 1) * 0.5f, ((k >> 2) & 1) * 0.5f);
        root.fill(BLOCK_STONE, aabb(lo, lo + glm::vec3(0.5f)));
    }
    EXPECT_EQ(nodeAt(root, { 0.1f, 0.1f, 0.1f }).type, BLOCK_DIRT);
    EXPECT_EQ(nodeAt(root, { 0.1f, 0.1f, 0.1f }).depth, 7);

    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }));
    const Octree& cube = nodeAt(root, { 0.1f, 0.1f, 0.1f });
    EXPECT_EQ(cube.depth, 6);
    EXPECT_EQ(cube.type, BLOCK_STONE);

    root.fill(BLOCK_DIRT, aabb({ 0, 0, 0 }, { 1, 1, 1 })); // merges all the way up to the draw node
    EXPECT_EQ(root.countNodes(), 73);

    // Rewriting a leaf's own type only clears its face mask.
    Octree_draw_node same(BLOCK_STONE, 2, aabb({ 0, 0, 0 }, { 16, 16, 16 }), 0x3F);
    EXPECT_TRUE(same.fill(BLOCK_STONE, aabb({ 1, 1, 1 }, { 1.2f, 1.2f, 1.2f })));
    EXPECT_FALSE(same.isSplit);
    EXPECT_EQ(same.visibleFaces, 0);
}

TEST(Octree, RayCastAndSolidQueries)
{
    Octree root = makeRoot(BLOCK_AIR);
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    root.fill(BLOCK_GRASS, aabb({ 20, 10, 20 }, { 20.5f, 10.5f, 20.5f }));
    const Ray down({ 20.25f, 40, 20.25f }, { 0, -1, 0 });

    float tBest = 5.0f; // closer than every hit: nothing changes
    BlockType hit = BLOCK_LEAF;
    root.rayCast(down, tBest, hit);
    EXPECT_EQ(tBest, 5.0f);
    EXPECT_EQ(hit, BLOCK_LEAF);

    tBest = INFINITY;
    root.rayCast(down, tBest, hit);
    EXPECT_FLOAT_EQ(tBest, 29.5f);
    EXPECT_EQ(hit, BLOCK_GRASS);

    tBest = INFINITY;
    root.rayCast(Ray({ 30.25f, 5, 30.25f }, { 0, 1, 0 }), tBest, hit);
    EXPECT_LT(tBest, 0.0f); // starting inside stone

    EXPECT_FALSE(root.isSolidIn(aabb({ 5, 10, 5 }, { 6, 12, 6 }))); // resting on top
    EXPECT_TRUE(root.intersects(CollisionObject(aabb({ 5, 9.9f, 5 }, { 6, 12, 6 }))));

    int faces = 0;
    root.child(0).child(0).child(0).visibleFaces = 0xFF; // only bits 0..5 count
    root.child(2).child(2).visibleFaces = 0x3F; // air leaf: ignored
    root.countVisibleFaces(faces);
    EXPECT_EQ(faces, 6);
}

TEST(Octree, PlainNodesReportMeshCallsThatCannotReachDrawNodes)
{
    Octree root = makeRoot(BLOCK_STONE);
    root.fill(BLOCK_AIR, aabb({ 0, 0, 0 }, { 0.5f, 0.5f, 0.5f }));
    Octree& plain = root.child(0).child(0).child(7); // depth 3, unsplit stone
    ASSERT_FALSE(plain.isSplit);
    alignas(16) unsigned char cameraStandIn[16] = {}; // plain nodes never look at the camera

    testing::internal::CaptureStderr();
    plain.buildMesh(aabb({ 100, 100, 100 }, { 101, 101, 101 })); // region elsewhere: silent
    plain.buildMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    plain.uploadMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    plain.dropMesh();
    EXPECT_FALSE(plain.cull(*reinterpret_cast<const Camera*>(cameraStandIn)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "Error updating draw nodes.\nError updating draw nodes.\n"
        "Error updating draw nodes\nError updating draw nodes\n");

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    plain.draw();
    plain.type = BLOCK_AIR;
    plain.draw();
    root.buildMesh(aabb({ 0, 0, 0 }, { 64, 64, 64 })); // from the root the calls end at draw nodes
    root.dropMesh();
    root.draw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error\n");
}
