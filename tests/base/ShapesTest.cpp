#include "base/Plane.h"
#include "base/Ray.h"
#include "base/Shapes.h"
#include "physics/CollisionObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

aabb unitBoxAt(float x, float y, float z) { return aabb({ x, y, z }, { x + 1, y + 1, z + 1 }); }

TEST(AabbTest, SharedFaceIsNoOverlapButTouches)
{
    const aabb below = unitBoxAt(0, 0, 0);
    const aabb above = unitBoxAt(0, 1, 0);
    EXPECT_FALSE(below.intersects(above));
    EXPECT_EQ(below.classify(above), OVERLAP_NONE);
    EXPECT_TRUE(below.intersectsInclusive(above));
    EXPECT_EQ(below.touchingFaces(above), FACE_POS_Y);
    EXPECT_EQ(above.touchingFaces(below), FACE_NEG_Y);
}

TEST(AabbTest, ClassifyContainmentIsInclusive)
{
    const aabb big({ 0, 0, 0 }, { 4, 4, 4 });
    EXPECT_EQ(big.classify(big), OVERLAP_CONTAINS);
    EXPECT_EQ(big.classify(aabb({ 1, 1, 1 }, { 2, 2, 2 })), OVERLAP_CONTAINS);
    EXPECT_EQ(big.classify(aabb({ 3, 3, 3 }, { 5, 5, 5 })), OVERLAP_PARTIAL);
    EXPECT_EQ(big.classify(aabb({ -1, -1, -1 }, { 5, 5, 5 })), OVERLAP_PARTIAL);
    EXPECT_EQ(big.classify(aabb({ 5, 0, 0 }, { 6, 1, 1 })), OVERLAP_NONE);
}

TEST(AabbTest, ContainsPointOnSurface)
{
    const aabb b = unitBoxAt(0, 0, 0);
    EXPECT_TRUE(b.containsPoint({ 1, 0.5f, 0 }));
    EXPECT_TRUE(b.containsPoint({ 0, 0, 0 }));
    EXPECT_FALSE(b.containsPoint({ 1.0001f, 0.5f, 0.5f }));
}

TEST(AabbTest, NormalizeSwapsEachAxisIndependently)
{
    aabb b({ 3, 5, 1 }, { 1, 2, 4 });
    EXPECT_EQ(b.min, glm::vec3(3, 5, 1));
    b.normalize();
    EXPECT_EQ(b.min, glm::vec3(1, 2, 1));
    EXPECT_EQ(b.max, glm::vec3(3, 5, 4));
}

TEST(AabbTest, CornerBitOrderAndOutOfRange)
{
    const aabb b({ 0, 10, 20 }, { 1, 11, 21 });
    EXPECT_EQ(b.corner(0), glm::vec3(0, 10, 20));
    EXPECT_EQ(b.corner(1), glm::vec3(0, 10, 21)); // bit 0 is z
    EXPECT_EQ(b.corner(2), glm::vec3(0, 11, 20)); // bit 1 is y
    EXPECT_EQ(b.corner(4), glm::vec3(1, 10, 20)); // bit 2 is x
    EXPECT_EQ(b.corner(7), glm::vec3(1, 11, 21));
    EXPECT_EQ(b.corner(8), b.min);
    EXPECT_EQ(b.corner(-1), b.min);
}

TEST(AabbTest, MoveCenterAndScaleKeepTheRightPoint)
{
    aabb b({ 0, 0, 0 }, { 2, 4, 6 });
    b.moveCenterTo({ 10, 10, 10 });
    EXPECT_EQ(b.min, glm::vec3(9, 8, 7));
    EXPECT_EQ(b.max, glm::vec3(11, 12, 13));
    b.scaleAboutCenter({ 2, 0.5f, 1 });
    EXPECT_EQ(b.center(), glm::vec3(10, 10, 10));
    EXPECT_EQ(b.min, glm::vec3(8, 9, 7));
    EXPECT_EQ(b.max, glm::vec3(12, 11, 13));
}

TEST(AabbTest, TouchingToleranceAndOrder)
{
    const aabb a = unitBoxAt(0, 0, 0);
    EXPECT_EQ(a.touchingFaces(unitBoxAt(1.0009f, 0, 0)), FACE_POS_X);
    EXPECT_EQ(a.touchingFaces(unitBoxAt(-1.0005f, 0, 0)), FACE_NEG_X);
    EXPECT_EQ(a.touchingFaces(unitBoxAt(1.002f, 0, 0)), NO_TOUCHING_FACE);
    EXPECT_EQ(a.touchingFaces(unitBoxAt(0, 0, 1)), FACE_POS_Z);
    EXPECT_EQ(a.touchingFaces(unitBoxAt(0, 0, -1)), FACE_NEG_Z);
    // Meeting only at an edge is not touching.
    EXPECT_EQ(a.touchingFaces(unitBoxAt(1, 1, 0)), NO_TOUCHING_FACE);
    // A flat box lying exactly on a face touches both its sides: +X is reported first.
    const aabb sliver({ 1, 0, 0 }, { 1, 1, 1 });
    const aabb slab({ 0, 0, 0 }, { 1, 1, 1 });
    EXPECT_EQ(slab.touchingFaces(sliver), FACE_POS_X);
}

TEST(AabbTest, AppendMeshTopFaceOnly)
{
    std::vector<float> v(64 * 2, -7.0f);
    std::vector<uint32_t> idx(72, 999);
    int vc = 0, ic = 0;
    const aabb b({ 1, 2, 3 }, { 4, 5, 6 });
    b.appendMesh(v.data(), vc, idx.data(), ic, FACE_POS_Y, 9);
    EXPECT_EQ(vc, 64);
    EXPECT_EQ(ic, 6);
    const std::vector<uint32_t> top(idx.begin(), idx.begin() + 6);
    EXPECT_EQ(top, (std::vector<uint32_t> { 2, 6, 7, 7, 3, 2 }));
    // Vertex 5: x bit 0 set, y bit 1 clear, z bit 2 set.
    const float* v5 = &v[5 * 8];
    const float n = static_cast<float>(1.0 / std::sqrt(3.0));
    EXPECT_EQ(v5[0], 4.0f);
    EXPECT_EQ(v5[1], 2.0f);
    EXPECT_EQ(v5[2], 6.0f);
    EXPECT_EQ(v5[3], n);
    EXPECT_EQ(v5[4], -n);
    EXPECT_EQ(v5[5], n);
    EXPECT_EQ(v5[6], 9.0f);
    EXPECT_EQ(v5[7], 5.0f);

    // A second box continues the numbering; an empty mask still writes vertices.
    b.appendMesh(v.data(), vc, idx.data(), ic, 0, 1);
    EXPECT_EQ(vc, 128);
    EXPECT_EQ(ic, 6);
    vc = 64;
    b.appendMesh(v.data(), vc, idx.data(), ic, FACE_NEG_X | FACE_POS_Z, 1);
    EXPECT_EQ(ic, 18);
    EXPECT_EQ(idx[6], 8u + 4u);
    EXPECT_EQ(idx[12], 8u + 5u);
}

TEST(SphereTest, TouchingBoxIntersectsAndClassifiesPartial)
{
    const Sphere s({ 0, 0, 0 }, 1.0f);
    const aabb b({ 1, -1, -1 }, { 2, 1, 1 });
    EXPECT_TRUE(s.intersects(b));
    EXPECT_EQ(s.classify(b), OVERLAP_PARTIAL);
    EXPECT_EQ(s.classify(aabb({ 1.01f, 0, 0 }, { 2, 1, 1 })), OVERLAP_NONE);
    aabb bb;
    s.boundingBox(bb);
    EXPECT_EQ(bb.min, glm::vec3(-2));
    EXPECT_EQ(bb.max, glm::vec3(2));
}

TEST(SphereTest, ContainmentNeedsEveryCornerStrictlyInside)
{
    const aabb b({ -1, -1, -1 }, { 1, 1, 1 });
    const float cornerDistance = std::sqrt(3.0f);
    EXPECT_EQ(Sphere({ 0, 0, 0 }, cornerDistance + 0.01f).classify(b), OVERLAP_CONTAINS);
    EXPECT_EQ(Sphere({ 0, 0, 0 }, cornerDistance).classify(b), OVERLAP_PARTIAL);
    // A sphere inside a box overlaps it only partly.
    EXPECT_EQ(Sphere({ 0, 0, 0 }, 0.5f).classify(b), OVERLAP_PARTIAL);
}

TEST(RayTest, SlabTest)
{
    const aabb b({ 2, -1, -1 }, { 4, 1, 1 });
    float t = 0;
    EXPECT_TRUE(Ray({ 0, 0, 0 }, { 1, 0, 0 }).hitBox(b, t));
    EXPECT_FLOAT_EQ(t, 2.0f);
    // From inside: negative entry distance.
    EXPECT_TRUE(Ray({ 3, 0, 0 }, { 1, 0, 0 }).hitBox(b, t));
    EXPECT_FLOAT_EQ(t, -1.0f);
    // Wholly behind the origin.
    EXPECT_FALSE(Ray({ 5, 0, 0 }, { 1, 0, 0 }).hitBox(b, t));
    // Axis-parallel ray beside the box (zero direction components).
    EXPECT_FALSE(Ray({ 0, 3, 0 }, { 1, 0, 0 }).hitBox(b, t));
    // Straight down onto a column.
    EXPECT_TRUE(Ray({ 3, 64, 0 }, { 0, -1, 0 }).hitBox(b, t));
    EXPECT_FLOAT_EQ(t, 63.0f);
}

TEST(PlaneTest, SignedDistanceWithNormalisedNormal)
{
    const Plane p({ 0, 2, 0 }, { 0, 5, 0 });
    EXPECT_EQ(p.normal, glm::vec3(0, 1, 0));
    EXPECT_FLOAT_EQ(p.d, -2.0f);
    EXPECT_FLOAT_EQ(p.signedDistance({ 7, 5, -3 }), 3.0f);
    const Plane def;
    EXPECT_EQ(def.normal, glm::vec3(1, 0, 0));
    EXPECT_EQ(def.d, 0.0f);
}

TEST(CollisionObjectTest, DefaultIsStrictBoxOverlap)
{
    const CollisionObject a(unitBoxAt(0, 0, 0));
    const CollisionObject b(unitBoxAt(1, 0, 0));
    const CollisionObject c(unitBoxAt(0.5f, 0.5f, 0.5f));
    EXPECT_FALSE(a.intersects(b));
    EXPECT_TRUE(a.intersects(c));
}

} // namespace
