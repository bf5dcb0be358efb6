#include "world/FaceMasks.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

namespace {

const aabb kEverywhere(glm::vec3(-10000.0f), glm::vec3(10000.0f));

// The leaf holding the point (points on a boundary go to the upper side).
Octree& leafAt(Octree& root, const glm::vec3& p)
{
    Octree* node = &root;
    while (node->isSplit) {
        const glm::vec3 c = node->box.center();
        node = &node->child((p.x >= c.x ? 1 : 0) | (p.y >= c.y ? 2 : 0) | (p.z >= c.z ? 4 : 0));
    }
    return *node;
}

Octree_draw_node& drawNodeAt(Octree& root, const glm::vec3& p)
{
    Octree* node = &root;
    while (node->depth < 2) {
        const glm::vec3 c = node->box.center();
        node = &node->child((p.x >= c.x ? 1 : 0) | (p.y >= c.y ? 2 : 0) | (p.z >= c.z ? 4 : 0));
    }
    return static_cast<Octree_draw_node&>(*node);
}

aabb voxelAt(const glm::vec3& min)
{
    return aabb(min, min + glm::vec3(VOXEL_SIZE));
}

int visibleFacesOf(const Octree& root)
{
    int faces = 0;
    root.countVisibleFaces(faces);
    return faces;
}

// A ready chunk of solid stone with its masks computed.
std::unique_ptr<Chunk> makeSolidChunk(int cx, int cz)
{
    return makeGroundChunk(cx, cz, CHUNK_SIZE);
}

}

TEST(FaceMasks, CarvedVoxelShowsExactlyTheSixFacesAroundIt)
{
    ChunkList chunks;
    chunks.push_back(makeSolidChunk(0, 0));
    Octree& root = *chunks[0]->root;
    updateFaces(chunks, kEverywhere);
    EXPECT_EQ(visibleFacesOf(root), 0);

    root.fill(BLOCK_AIR, voxelAt({ 8, 8, 8 }));
    updateFaces(chunks, aabb({ 7, 7, 7 }, { 9.5f, 9.5f, 9.5f }));
    EXPECT_EQ(visibleFacesOf(root), 6);
    EXPECT_EQ(leafAt(root, { 8.75f, 8.25f, 8.25f }).visibleFaces, FACE_NEG_X);
    EXPECT_EQ(leafAt(root, { 7.75f, 8.25f, 8.25f }).visibleFaces, FACE_POS_X);
    EXPECT_EQ(leafAt(root, { 8.25f, 8.75f, 8.25f }).visibleFaces, FACE_NEG_Y);
    EXPECT_EQ(leafAt(root, { 8.25f, 7.75f, 8.25f }).visibleFaces, FACE_POS_Y);
    EXPECT_EQ(leafAt(root, { 8.25f, 8.25f, 8.75f }).visibleFaces, FACE_NEG_Z);
    EXPECT_EQ(leafAt(root, { 8.25f, 8.25f, 7.75f }).visibleFaces, FACE_POS_Z);
    // A diagonal neighbour only shares an edge.
    EXPECT_EQ(leafAt(root, { 8.75f, 8.75f, 8.25f }).visibleFaces, 0);

    // A second hole elsewhere, updated over its own region, keeps the first hole's marks.
    root.fill(BLOCK_AIR, voxelAt({ 40, 40, 40 }));
    updateFaces(chunks, aabb({ 39, 39, 39 }, { 41.5f, 41.5f, 41.5f }));
    EXPECT_EQ(visibleFacesOf(root), 12);
}

TEST(FaceMasks, ClearFacesClearsAChunkOnlyWhenTheRegionCoversIt)
{
    // Marks stay valid because later edits only ever turn voxels into air, so a
    // partial region leaves a chunk's old marks to be added to.
    Octree root(BLOCK_STONE, 0, aabb({ 0, 0, 0 }, { 64, 64, 64 }), 0x3F);
    Octree& corner = root.child(0).child(0);
    corner.visibleFaces = 0x3F;
    clearFaces(root, aabb({ -1, -1, -1 }, { 40, 40, 40 }));
    EXPECT_EQ(root.visibleFaces, 0x3F);
    EXPECT_EQ(corner.visibleFaces, 0x3F);
    clearFaces(root.child(0), aabb({ -1, -1, -1 }, { 40, 40, 40 })); // a subtree it covers
    EXPECT_EQ(corner.visibleFaces, 0);
    corner.visibleFaces = 0x3F;
    clearFaces(root, aabb({ 0, 0, 0 }, { 64, 64, 64 })); // touching the border still covers it
    EXPECT_EQ(root.visibleFaces, 0);
    EXPECT_EQ(corner.visibleFaces, 0);
    EXPECT_EQ(root.child(7).child(7).visibleFaces, 0);
}

TEST(FaceMasks, LargeLeafAgainstOneAirVoxelGetsItsWholeFace)
{
    ChunkList chunks;
    chunks.push_back(makeSolidChunk(0, 0));
    Octree& root = *chunks[0]->root;
    root.fill(BLOCK_AIR, voxelAt({ 16, 4, 4 })); // first voxel layer of the next draw node on +x
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& big = drawNodeAt(root, { 1, 1, 1 });
    ASSERT_FALSE(big.isSplit);
    EXPECT_EQ(big.visibleFaces, FACE_POS_X);

    big.buildMesh(kEverywhere);
    EXPECT_EQ(big.vertexFloatCount, 64);
    ASSERT_EQ(big.indexCount, 6);
    // All six indices name corners on the +x side of the 16-unit box.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(big.vertices[big.indices[i] * 8], 16.0f);
}

TEST(FaceMasks, FaceBetweenChunksIsMarkedOnceBothAreReady)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, CHUNK_SIZE)); // solid
    chunks.push_back(makeGroundChunk(1, 0, 0.0f, false)); // all air, still generating
    Octree& solid = *chunks[0]->root;
    const glm::vec3 border(63.75f, 30.25f, 30.25f);
    // The slab straddling the shared face, as the neighbour updates use it.
    const aabb slab({ 63.5f, 0.1f, 0.1f }, { 64.5f, 63.9f, 63.9f });

    updateFaces(chunks, slab);
    EXPECT_EQ(leafAt(solid, border).visibleFaces, 0);

    chunks[1]->finishGeneration();
    updateFaces(chunks, slab);
    EXPECT_EQ(leafAt(solid, border).visibleFaces, FACE_POS_X);
    // The whole +x side of the chunk shows, and nothing else does.
    EXPECT_EQ(visibleFacesOf(solid), 4 * 4);
}

TEST(DrawNodeMesh, CountsFollowSolidLeavesAndMarkedFaces)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 8.0f)); // stone below y = 8, air above
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& node = drawNodeAt(*chunks[0]->root, { 1, 1, 1 });
    ASSERT_TRUE(node.isSplit);
    int leaves = 0;
    node.countSolidLeaves(leaves);
    EXPECT_EQ(leaves, 4); // the four lower octants
    node.buildMesh(aabb({ 100, 0, 0 }, { 101, 1, 1 })); // outside: nothing happens
    EXPECT_FALSE(node.pendingData);

    node.buildMesh(kEverywhere);
    EXPECT_TRUE(node.pendingData);
    EXPECT_EQ(node.vertexFloatCount, 64 * leaves);
    EXPECT_EQ(node.indexCount, 6 * visibleFacesOf(node));
    EXPECT_EQ(node.indexCount, 6 * 4); // the top faces of the four leaves under the surface
    for (int i = 0; i < node.indexCount; ++i) {
        ASSERT_LT(node.indices[i], uint32_t(node.vertexFloatCount / 8));
        EXPECT_EQ(node.vertices[node.indices[i] * 8 + 1], 8.0f); // every triangle lies on the surface
        EXPECT_EQ(node.vertices[node.indices[i] * 8 + 6], float(BLOCK_STONE));
    }

    // A rebuild replaces the pending arrays.
    node.buildMesh(kEverywhere);
    EXPECT_EQ(node.vertexFloatCount, 64 * leaves);
}

TEST(DrawNodeMesh, SolidNodeWithoutAirHasVerticesButNoTriangles)
{
    ChunkList chunks;
    chunks.push_back(makeSolidChunk(0, 0));
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& node = drawNodeAt(*chunks[0]->root, { 20, 20, 20 });
    node.buildMesh(kEverywhere);
    EXPECT_EQ(node.vertexFloatCount, 64);
    EXPECT_EQ(node.indexCount, 0);
    EXPECT_NE(node.vertices, nullptr);
    EXPECT_NE(node.indices, nullptr);
}

TEST(DrawNodeMesh, NodeTurnedToAirBuildsAnEmptyMesh)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 8.0f));
    Octree& root = *chunks[0]->root;
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& node = drawNodeAt(root, { 1, 1, 1 });
    node.buildMesh(kEverywhere);
    ASSERT_NE(node.vertices, nullptr);

    root.fill(BLOCK_AIR, aabb({ 0, 0, 0 }, { 16, 16, 16 }));
    updateFaces(chunks, aabb({ -1, -1, -1 }, { 17, 17, 17 }));
    node.buildMesh(aabb({ 0, 0, 0 }, { 16, 16, 16 }));
    EXPECT_TRUE(node.pendingData);
    EXPECT_EQ(node.vertices, nullptr);
    EXPECT_EQ(node.indices, nullptr);
    EXPECT_EQ(node.vertexFloatCount, 0);
    EXPECT_EQ(node.indexCount, 0);
    // The neighbour on +x now shows its -x face where the node was.
    EXPECT_EQ(leafAt(root, { 16.25f, 4.25f, 4.25f }).visibleFaces, FACE_NEG_X | FACE_POS_Y);
}
