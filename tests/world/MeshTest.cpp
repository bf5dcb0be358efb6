#include "world/FaceMasks.h"
#include "world/TerrainMesher.h"

#include "LeafSquares.h"
#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <glm/geometric.hpp>
#include <map>
#include <set>
#include <random>

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
    ASSERT_NE(big.meshData, nullptr);
    const TerrainMeshData& mesh = *big.meshData;
    ASSERT_EQ(mesh.vertices.size(), 4u);
    ASSERT_EQ(mesh.indexCount(), 6u);
    EXPECT_EQ(mesh.ranges.faceCount, (std::array<uint32_t, 6> { 0, 0, 0, 6, 0, 0 }));
    // One quad over the whole +x side of the 16-unit box: 32 voxels from the node's origin.
    EXPECT_EQ(mesh.placement.origin, glm::vec3(0.0f));
    EXPECT_EQ(mesh.placement.step, glm::vec3(VOXEL_SIZE));
    for (const TerrainVertex& v : mesh.vertices) {
        EXPECT_EQ(v.x, 32);
        EXPECT_EQ(v.typeAndFace, BLOCK_STONE | 3 << TERRAIN_FACE_SHIFT);
    }
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

namespace {

// Every voxel square of every drawn face, as (direction, plane, u, v) -> block type.
std::map<std::array<int, 4>, int> coveredSquares(const TerrainMeshData& mesh)
{
    std::map<std::array<int, 4>, int> squares;
    for (size_t q = 0; q < mesh.quadCount(); ++q) {
        const TerrainVertex* c = &mesh.vertices[q * 4];
        const int face = c[0].typeAndFace >> TERRAIN_FACE_SHIFT;
        const int axis = face % 3, u = (axis + 1) % 3, v = (axis + 2) % 3;
        int lo[3] = { 255, 255, 255 }, hi[3] = { 0, 0, 0 };
        for (int k = 0; k < 4; ++k) {
            const int p[3] = { c[k].x, c[k].y, c[k].z };
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], p[a]);
                hi[a] = std::max(hi[a], p[a]);
            }
            EXPECT_EQ(c[k].typeAndFace, c[0].typeAndFace);
        }
        EXPECT_EQ(lo[axis], hi[axis]); // flat
        // Counter-clockwise seen from outside: the turn of the first three corners points
        // along the face's direction.
        const glm::ivec3 p0(c[0].x, c[0].y, c[0].z), p1(c[1].x, c[1].y, c[1].z), p2(c[2].x, c[2].y, c[2].z);
        const glm::ivec3 turn = glm::cross(glm::vec3(p1 - p0), glm::vec3(p2 - p1));
        EXPECT_EQ(turn[axis] > 0, face >= 3) << "face " << face << " winds the wrong way";
        for (int i = lo[u]; i < hi[u]; ++i) {
            for (int j = lo[v]; j < hi[v]; ++j) {
                const bool fresh
                    = squares.emplace(std::array<int, 4> { face, lo[axis], i, j }, c[0].typeAndFace & TERRAIN_TYPE_MASK)
                          .second;
                EXPECT_TRUE(fresh) << "two quads cover one square";
            }
        }
    }
    return squares;
}

}

namespace {

// The masks as the plain rules give them: every air leaf in the region, in order, clears its
// own mask and marks every leaf of every root that lies against it.
void referenceMarks(Octree& node, const std::vector<Octree*>& roots, const aabb& region)
{
    if (!node.box.intersects(region))
        return;
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            referenceMarks(node.child(k), roots, region);
        return;
    }
    if (node.type != BLOCK_AIR)
        return;
    node.visibleFaces = 0;
    for (Octree* root : roots)
        markTouching(*root, node.box);
}

// Two chunks side by side, holed and built up at random: leaves of every size, air and solid.
ChunkList makeRoughPair(unsigned seed)
{
    ChunkList chunks;
    for (int cx : { 0, 1 })
        chunks.push_back(makeGroundChunk(cx, 0, 20.0f));
    std::mt19937 random(seed);
    for (int i = 0; i < 80; ++i) {
        const glm::vec3 p(float(random() % 256) * 0.5f, float(random() % 60) * 0.5f, float(random() % 128) * 0.5f);
        const float r = float(1 + random() % 12) * 0.5f;
        for (auto& chunk : chunks) {
            if (i % 4 == 0)
                chunk->root->fill(BLOCK_DIRT, aabb(p, p + glm::vec3(r, 2.0f * r, r)));
            else
                chunk->root->fill(BLOCK_AIR, Sphere(p, r));
        }
    }
    return chunks;
}

void collectMasks(const Octree& node, std::vector<int>& out)
{
    out.push_back(node.visibleFaces | node.type << 8);
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            collectMasks(node.child(k), out);
    }
}

}

TEST(FaceMasks, LookedUpMarksEqualTheSearchFromEveryRootForWholeChunksAndCraters)
{
    ChunkList fast = makeRoughPair(11), reference = makeRoughPair(11);
    const aabb regions[] = {
        aabb({ -0.1f, -0.1f, -0.1f }, { 64.1f, 64.1f, 64.1f }), // a chunk after generation
        aabb({ 63.5f, 0.1f, 0.1f }, { 64.5f, 63.9f, 63.9f }), // the slab along the shared border
        aabb({ 55.0f, 5.0f, 20.0f }, { 71.0f, 21.0f, 36.0f }), // a crater's box across it
    };
    for (const aabb& region : regions) {
        updateFaces(fast, region);
        std::vector<Octree*> roots;
        for (auto& chunk : reference) {
            clearFaces(*chunk->root, region);
            roots.push_back(chunk->root.get());
        }
        for (Octree* root : roots)
            referenceMarks(*root, roots, region);
        for (size_t c = 0; c < fast.size(); ++c) {
            std::vector<int> a, b;
            collectMasks(*fast[c]->root, a);
            collectMasks(*reference[c]->root, b);
            ASSERT_EQ(a, b) << "chunk " << c << " after region " << region.min.x;
        }
        for (auto* chunks : { &fast, &reference }) // the next edit: a crater in both
            for (auto& chunk : *chunks)
                chunk->root->fill(BLOCK_AIR, Sphere(region.center(), 5.0f));
    }
    EXPECT_GT(visibleFacesOf(*fast[0]->root), 1000);
}

TEST(DrawNodeMesh, MergedFacesCoverExactlyTheMarkedFacesWithFewerQuads)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 8.0f)); // stone below y = 8, air above
    Octree& root = *chunks[0]->root;
    // Dents, steps and a second material, so faces of several sizes, types and directions meet.
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i) {
        const glm::vec3 p(float(random() % 32) * 0.5f, float(random() % 20) * 0.5f, float(random() % 32) * 0.5f);
        root.fill(i % 3 ? BLOCK_AIR : BLOCK_DIRT, aabb(p, p + glm::vec3(float(1 + random() % 4) * 0.5f)));
    }
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& node = drawNodeAt(root, { 1, 1, 1 });
    node.buildMesh(aabb({ 100, 0, 0 }, { 101, 1, 1 })); // outside: nothing happens
    EXPECT_FALSE(node.pendingData);

    node.buildMesh(kEverywhere);
    EXPECT_TRUE(node.pendingData);
    ASSERT_NE(node.meshData, nullptr);
    const auto merged = buildTerrainMesh(node, true);
    const auto plain = buildTerrainMesh(node, false);
    EXPECT_EQ(plain->quadCount(), size_t(visibleFacesOf(node))); // a quad per marked leaf face
    EXPECT_LT(merged->quadCount() * 2, plain->quadCount());
    EXPECT_EQ(node.meshData->vertices.size(), merged->vertices.size());
    // Both cover exactly the squares of the faces the leaves marked, read from their boxes.
    std::map<std::array<int, 4>, int> marked;
    forEachLeafSquare(node, node.box.min, [&](const LeafSquare& s) {
        EXPECT_TRUE(marked.emplace(std::array<int, 4> { s.face, s.plane, s.u, s.v }, s.type).second);
    });
    EXPECT_GT(marked.size(), 1000u);
    EXPECT_EQ(coveredSquares(*merged), marked);
    EXPECT_EQ(coveredSquares(*plain), marked);
    EXPECT_EQ(merged->placement.origin, node.box.min);
    EXPECT_EQ(merged->placement.step, glm::vec3(0.5f));

    // Indices: six a quad, 16-bit, each direction's range holding only its own quads.
    ASSERT_EQ(merged->indices16.size(), merged->quadCount() * 6);
    EXPECT_TRUE(merged->indices32.empty());
    for (int f = 0; f < 6; ++f) {
        for (uint32_t i = 0; i < merged->ranges.faceCount[size_t(f)]; ++i) {
            const uint16_t corner = merged->indices16[merged->ranges.faceFirst[size_t(f)] + i];
            ASSERT_LT(corner, merged->vertices.size());
            EXPECT_EQ(merged->vertices[corner].typeAndFace >> TERRAIN_FACE_SHIFT, f);
        }
    }
    // A rebuild replaces the pending mesh.
    node.buildMesh(kEverywhere);
    EXPECT_EQ(node.meshData->vertices.size(), merged->vertices.size());
}

TEST(DrawNodeMesh, SolidNodeWithoutAirAndNodeTurnedToAirBuildNothing)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 8.0f));
    Octree& root = *chunks[0]->root;
    updateFaces(chunks, kEverywhere);
    Octree_draw_node& buried = drawNodeAt(root, { 20, 20, 20 });
    buried.buildMesh(kEverywhere);
    EXPECT_TRUE(buried.pendingData);
    EXPECT_EQ(buried.meshData, nullptr); // leaves but no face: nothing to upload

    Octree_draw_node& node = drawNodeAt(root, { 1, 1, 1 });
    node.buildMesh(kEverywhere);
    ASSERT_NE(node.meshData, nullptr);
    root.fill(BLOCK_AIR, aabb({ 0, 0, 0 }, { 16, 16, 16 }));
    updateFaces(chunks, aabb({ -1, -1, -1 }, { 17, 17, 17 }));
    node.buildMesh(aabb({ 0, 0, 0 }, { 16, 16, 16 }));
    EXPECT_TRUE(node.pendingData); // the upload still has to clear the old mesh
    EXPECT_EQ(node.meshData, nullptr);
    // The neighbour on +x now shows its -x face where the node was.
    EXPECT_EQ(leafAt(root, { 16.25f, 4.25f, 4.25f }).visibleFaces, FACE_NEG_X | FACE_POS_Y);
}

TEST(TerrainMeshData, IndicesWidenOnlyPastSixteenBitsOfCorners)
{
    for (const size_t quads : { size_t(16384), size_t(16385) }) {
        TerrainMeshData mesh;
        for (size_t q = 0; q < quads; ++q)
            appendTerrainQuad(mesh, 4, TerrainQuad { 1, 0, 0, 1, 1, BLOCK_STONE });
        finishTerrainIndices(mesh, { 0, 0, 0, 0, uint32_t(quads), 0 });
        const bool wide = mesh.vertices.size() > 65536;
        EXPECT_EQ(mesh.indices16.size(), wide ? 0 : quads * 6) << quads;
        EXPECT_EQ(mesh.indices32.size(), wide ? quads * 6 : 0) << quads;
        EXPECT_EQ(mesh.ranges.faceFirst[4], 0u);
        EXPECT_EQ(mesh.ranges.faceCount[4], quads * 6);
        const uint32_t last = wide ? mesh.indices32.back() : mesh.indices16.back();
        EXPECT_EQ(last, uint32_t(quads * 4 - 4)) << "the last quad closes on its first corner";
        EXPECT_EQ(mesh.quadBoxes.size(), quads);
        // Runs of quads are placed in bytes of the mesh's own index size.
        const size_t bytes = wide ? 4 : 2;
        TerrainDrawRuns runs;
        runs.clear(bytes);
        for (const uint32_t first : { 0u, 6u, 18u })
            runs.add(first, 6);
        ASSERT_EQ(runs.offsets.size(), 2u) << "the first two meet";
        EXPECT_EQ(runs.indices[0], 12);
        EXPECT_EQ(reinterpret_cast<size_t>(runs.offsets[1]), 18 * bytes);
        EXPECT_EQ(runs.triangles, 6u);
    }
}

// A pass's record of the quads that showed holds for the one frame it was made in, only for the
// quads it was made for, and is replaced whole by the next.
TEST(TerrainMeshData, ARecordOfQuadsShownHoldsForItsFrameAndItsQuadsOnly)
{
    TerrainQuadsShown record;
    EXPECT_FALSE(record.madeIn(0)) << "frame 0 is never a record's";
    EXPECT_FALSE(record.madeIn(1));
    EXPECT_FALSE(record.shows(0));
    record.begin(70);
    record.markShowing(3);
    record.markShowing(69);
    EXPECT_FALSE(record.shows(3)) << "not before it is finished";
    record.finish(5);
    EXPECT_TRUE(record.madeIn(5));
    EXPECT_FALSE(record.madeIn(4));
    EXPECT_FALSE(record.madeIn(6));
    for (const uint32_t q : { 3u, 69u })
        EXPECT_TRUE(record.shows(q)) << q;
    for (const uint32_t q : { 0u, 4u, 64u, 70u, 127u, 100000u })
        EXPECT_FALSE(record.shows(q)) << q;
    record.begin(10);
    record.finish(6);
    EXPECT_TRUE(record.madeIn(6));
    EXPECT_FALSE(record.shows(3)) << "the new record replaces the old";
    EXPECT_FALSE(record.shows(69));
}

// A face can only be seen from in front of its plane: a draw sends every face whose plane lies
// strictly on the eye's side and no other, for merged and leaf-by-leaf meshes alike; and less
// the planes farther along their axis than a depth test says hide, or the quads whose own box
// it says hides, when asked.
TEST(TerrainMeshData, ExactlyTheFacesInFrontOfTheEyeAreDrawn)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 8.0f));
    Octree& root = *chunks[0]->root;
    std::mt19937 random(11);
    for (int i = 0; i < 80; ++i) {
        const glm::vec3 p(float(random() % 32) * 0.5f, float(random() % 24) * 0.5f, float(random() % 32) * 0.5f);
        root.fill(i % 2 ? BLOCK_AIR : BLOCK_DIRT, aabb(p, p + glm::vec3(float(1 + random() % 4) * 0.5f)));
    }
    updateFaces(chunks, kEverywhere);
    const Octree_draw_node& node = drawNodeAt(root, { 1, 1, 1 });
    const glm::vec3 eyes[] = { { 8, 5, 8 }, { 8, 30, 8 }, { -5, 8, 8 }, { 20, -3, 40 }, { 4.5f, 6.0f, 0.0f },
        { 300, 200, -100 } };
    for (const bool merge : { true, false }) {
        const auto mesh = buildTerrainMesh(node, merge);
        ASSERT_NE(mesh, nullptr);
        ASSERT_TRUE(mesh->ranges.byPlane);
        const TerrainPlacement& at = mesh->placement;
        for (const glm::vec3& eye : eyes) {
            SCOPED_TRACE(testing::Message() << (merge ? "merged " : "leaf by leaf ") << eye.x << " " << eye.y << " " << eye.z);
            auto quadsOf = [&](const TerrainDrawRanges& ranges) {
                std::vector<bool> quads(mesh->quadCount(), false);
                for (int k = 0; k < ranges.count; ++k) {
                    EXPECT_EQ(ranges.first[size_t(k)] % 6, 0u);
                    for (uint32_t q = ranges.first[size_t(k)] / 6; q < (ranges.first[size_t(k)] + ranges.indices[size_t(k)]) / 6; ++q)
                        quads[q] = true;
                }
                return quads;
            };
            const TerrainDrawRanges r = mesh->ranges.seenFrom(eye, at.origin, at.step);
            const std::vector<bool> drawn = quadsOf(r);
            const float reach = 3.0f; // planes farther than this along their axis count as hidden
            const std::vector<bool> near = quadsOf(mesh->ranges.seenFrom(eye, at.origin, at.step,
                [&](int face, float plane) { return std::abs(eye[face % 3] - plane) > reach; }));
            // Quad by quad: here the quads reaching above y = 6 count as hidden.
            TerrainDrawRuns runs;
            runs.clear(2);
            addQuadsNotHidden(mesh->quadBoxes, at, r, [](glm::vec3, glm::vec3 hi) { return hi.y > 6.0f; }, runs);
            std::vector<bool> kept(mesh->quadCount(), false);
            for (size_t k = 0; k < runs.offsets.size(); ++k) {
                const size_t first = reinterpret_cast<size_t>(runs.offsets[k]) / 2;
                if (k > 0)
                    EXPECT_GT(first, reinterpret_cast<size_t>(runs.offsets[k - 1]) / 2 + size_t(runs.indices[k - 1]))
                        << "runs that meet are one";
                for (size_t q = first / 6; q < (first + size_t(runs.indices[k])) / 6; ++q)
                    kept[q] = true;
            }
            size_t seen = 0, keptQuads = 0;
            std::set<int> directions;
            for (size_t q = 0; q < mesh->quadCount(); ++q) {
                const TerrainVertex& v = mesh->vertices[q * 4];
                const int face = v.typeAndFace >> TERRAIN_FACE_SHIFT;
                const int axis = face % 3;
                const uint8_t corner[3] = { v.x, v.y, v.z };
                const float plane = at.origin[axis] + at.step[axis] * float(corner[axis]);
                const bool inFront = face < 3 ? eye[axis] < plane : eye[axis] > plane;
                seen += inFront;
                float top = 0.0f;
                for (int c = 0; c < 4; ++c)
                    top = std::max(top, at.origin.y + at.step.y * float(mesh->vertices[q * 4 + size_t(c)].y));
                EXPECT_EQ(kept[q], drawn[q] && top <= 6.0f) << "quad " << q;
                keptQuads += kept[q];
                if (drawn[q])
                    directions.insert(face);
                if (std::abs(eye[axis] - plane) > 1e-3f) {
                    EXPECT_EQ(drawn[q], inFront) << "quad " << q << " of direction " << face;
                    EXPECT_EQ(near[q], inFront && std::abs(eye[axis] - plane) <= reach) << "quad " << q;
                }
            }
            EXPECT_EQ(r.triangles(), [&] { size_t n = 0; for (bool d : drawn) n += d; return n * 2; }());
            EXPECT_EQ(runs.triangles, keptQuads * 2);
            if (eye.x == 300.0f) {
                EXPECT_EQ(directions.size(), 3u) << "from far away three directions show";
            }
            EXPECT_GT(seen, 0u);
        }
        EXPECT_EQ(mesh->ranges.all().triangles(), mesh->quadCount() * 2);
    }
}
