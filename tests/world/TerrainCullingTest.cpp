// The tests the terrain culling makes of boxes, and where the fog leaves nothing to see.
#include "render/Camera.h"
#include "render/DepthTiles.h"
#include "render/FogHorizon.h"
#include "world/TerrainCulling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/vec4.hpp>
#include <vector>
#include <glm/trigonometric.hpp>

namespace {

// A box of `half` around `c`.
struct Box {
    glm::vec3 min, max;
};
Box around(const glm::vec3& c, float half) { return { c - glm::vec3(half), c + glm::vec3(half) }; }

TEST(TerrainCulling, BoxTestsKeepEveryBoxTheVolumeOrConeTouches)
{
    PerspectiveCamera camera("test");
    camera.setPerspective(70.0f, 16.0f / 9.0f, 0.1f, 1000.0f);
    camera.lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    // Touching the volume (or the cone) and lying wholly within it.
    const struct {
        Box box;
        bool inView, within;
    } views[] = {
        { around({ 0, 0, -20 }, 1), true, true },
        { around({ 0, 0, 20 }, 1), false, false }, // behind
        { around({ 0, 0, 0 }, 1), true, false }, // around the eye
        { around({ 60, 0, -20 }, 8), false, false }, // far to the right: its bounding sphere would reach in
        { around({ 30, 0, -20 }, 8), true, false }, // across the right plane
        { around({ 0, 0, -1100 }, 8), false, false }, // beyond the far plane
    };
    for (const auto& v : views) {
        EXPECT_EQ(boxInFrustum(camera, v.box.min, v.box.max), v.inView) << v.box.min.x << " " << v.box.min.z;
        EXPECT_EQ(boxWithinFrustum(camera, v.box.min, v.box.max), v.within) << v.box.min.x << " " << v.box.min.z;
    }

    LightCone cone;
    cone.apex = glm::vec3(0.0f);
    cone.axis = glm::vec3(0.0f, 0.0f, -1.0f);
    cone.halfAngle = glm::radians(25.0f);
    cone.reach = 100.0f;
    const struct {
        Box box;
        bool lit, within;
    } lamps[] = {
        { around({ 0, 0, -20 }, 1), true, true },
        { around({ 0, 0, 20 }, 1), false, false }, // behind the lamp
        { around({ 0, 0, 0.5f }, 1), true, false }, // holding the apex
        { around({ 9.8f, 0, -20 }, 1), true, false }, // 26 degrees off, its corner inside 25
        { around({ 8.5f, 0, -20 }, 1), true, false }, // 23 degrees off, a corner at 27
        { around({ 5.0f, 0, -20 }, 1), true, true }, // 14 degrees off
        { around({ 15, 0, -20 }, 1), false, false }, // 37 degrees off
        { around({ 0, 0, -101.5f }, 1), false, false }, // beyond the reach
        { around({ 0, 0, -100.5f }, 1), true, false }, // its near face within it
        { around({ 0, 0, -98.5f }, 1), true, true }, // its far corners too
    };
    for (const auto& l : lamps) {
        EXPECT_EQ(boxInCone(cone, l.box.min, l.box.max), l.lit) << l.box.min.x << " " << l.box.min.z;
        EXPECT_EQ(boxWithinCone(cone, l.box.min, l.box.max), l.within) << l.box.min.x << " " << l.box.min.z;
    }

    EXPECT_EQ(boxDistance({ 1, 1, 1 }, { 0, 0, 0 }, { 2, 2, 2 }), 0.0f);
    EXPECT_FLOAT_EQ(boxDistance({ 5, 6, 1 }, { 0, 0, 0 }, { 2, 2, 2 }), 5.0f);
}

// A box is behind what was drawn only where every tile it covers lies nearer than its nearest
// point; the clear depth (1) hides nothing, and a box reaching behind the eye is never hidden.
TEST(TerrainCulling, DepthTilesHideOnlyBoxesBehindEveryTileTheyCover)
{
    PerspectiveCamera camera("test");
    camera.setPerspective(60.0f, 2.0f, 0.5f, 500.0f);
    camera.lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    const int w = 64, h = 32;
    // A wall 20 units ahead over the left half of the view; nothing drawn on the right.
    const glm::vec4 wall = camera.projView * glm::vec4(0.0f, 0.0f, -20.0f, 1.0f);
    const float wallDepth = wall.z / wall.w * 0.5f + 0.5f;
    std::vector<float> depths(size_t(w * h), 1.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            depths[size_t(y * w + x)] = wallDepth;
    DepthTiles tiles;
    tiles.build(depths, w, h);
    EXPECT_EQ(tiles.columns(), w / DepthTiles::TILE);
    EXPECT_EQ(tiles.rows(), h / DepthTiles::TILE);
    const glm::mat4& pv = camera.projView;
    EXPECT_TRUE(tiles.hides(pv, { -12, -2, -42 }, { -8, 2, -38 })) << "behind the wall";
    EXPECT_FALSE(tiles.hides(pv, { -12, -2, -18 }, { -8, 2, -14 })) << "in front of it";
    EXPECT_FALSE(tiles.hides(pv, { 8, -2, -42 }, { 12, 2, -38 })) << "behind nothing";
    EXPECT_FALSE(tiles.hides(pv, { -12, -2, -42 }, { 12, 2, -38 })) << "half behind it";
    EXPECT_FALSE(tiles.hides(pv, { -12, -2, -42 }, { -8, 2, 5 })) << "reaching behind the eye";
    DepthTiles none;
    EXPECT_FALSE(none.hides(pv, { -12, -2, -42 }, { -8, 2, -38 }));

    // A step: 50 units deep over the left five tile columns, 20 over the rest. A long box
    // at a slant is nearer than 50 only where it lies in front of the 20: hidden, though its
    // nearest point (25) is nearer than the farthest depth of tiles it covers. Moved 4 units
    // to the left, part of it shows in front of the 50.
    auto depthAt = [&](float distance) {
        const glm::vec4 p = camera.projView * glm::vec4(0.0f, 0.0f, -distance, 1.0f);
        return p.z / p.w * 0.5f + 0.5f;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            depths[size_t(y * w + x)] = depthAt(x < 40 ? 50.0f : 20.0f);
    DepthTiles step;
    step.build(depths, w, h);
    EXPECT_TRUE(step.hides(pv, { 16, -1, -80 }, { 30, 1, -25 })) << "behind the step everywhere";
    EXPECT_FALSE(step.hides(pv, { 12, -1, -80 }, { 30, 1, -25 })) << "in front of the far part";
    // Only its halves show that: tested whole (as a single quad is), it counts as shown.
    EXPECT_FALSE(step.hides(pv, { 16, -1, -80 }, { 30, 1, -25 }, 0)) << "whole";
    EXPECT_FALSE(step.hides(pv, { 16, -1, -80 }, { 30, 1, -25 }, -1)) << "no halving at all is no test";
    EXPECT_TRUE(step.hides(pv, { -12, -2, -82 }, { -8, 2, -78 }, 0)) << "a small box behind the 50";

    // A quad's box is flat: grown, it stays in its plane, and it is tested by its four corners.
    glm::vec3 lo(-12, -2, -80), hi(-8, 2, -80);
    grownNodeBox(glm::vec3(0.0f), lo, hi);
    EXPECT_EQ(lo.z, -80.0f);
    EXPECT_EQ(hi.z, -80.0f);
    EXPECT_LT(lo.x, -12.0f);
    EXPECT_GT(hi.y, 2.0f);
    EXPECT_TRUE(step.hides(pv, lo, hi, 0)) << "a quad behind the 50";
    EXPECT_FALSE(step.hides(pv, { -12, -2, -50 }, { -8, 2, -50 }, 0)) << "a quad at the 50 itself";
    EXPECT_FALSE(step.hides(pv, { 5, -1, -15 }, { 7, 1, -15 }, 0)) << "a quad in front of the 20";
    EXPECT_TRUE(step.hides(pv, { 8, -2, -25 }, { 12, 2, -25 }, 0)) << "a quad behind it";
}

// Terrain left undrawn shows what lies behind it: the floor only where every ray through the
// box reaches it inside its rectangle, below the eye, and nearer than the stars.
TEST(TerrainCulling, TheFloorShowsBehindOnlyBoxesItIsSureToFill)
{
    FloorRect floor { -160.0f, -160.0f, 160.0f, 160.0f, 0.0f, 250.0f };
    const glm::vec3 eye(0.0f, 40.0f, 0.0f);
    EXPECT_TRUE(floorBehindBox(eye, floor, { 40, 0, 40 }, { 56, 8, 56 })) << "low ground, well inside";
    EXPECT_FALSE(floorBehindBox(eye, floor, { 40, 32, 40 }, { 56, 48, 56 })) << "reaching above the eye";
    EXPECT_FALSE(floorBehindBox(eye, floor, { 120, 16, 0 }, { 136, 32, 16 })) << "its rays leave the square";
    floor.maxDistance = 60.0f;
    EXPECT_FALSE(floorBehindBox(eye, floor, { 40, 0, 40 }, { 56, 8, 56 })) << "the floor behind the stars";
    EXPECT_FALSE(floorBehindBox({ 0, -1, 0 }, floor, { 40, -16, 40 }, { 56, -8, 56 })) << "an eye below the floor";
}

// The shader's brightest light at distance d, as the shader computes it: no surface beyond the
// horizon differs from the fog's colour by half a step, and one just inside it can.
TEST(TerrainCulling, FogHorizonIsWhereTheBrightestLightFadesBelowHalfAStep)
{
    SceneLight clear;
    clear.flashLightIntensity = 0.75f;
    clear.flashLightPos = glm::vec3(1.0f, 0.0f, 0.0f);
    clear.fireNoise = 1.0f;
    SceneLight rain = clear;
    rain.rain = true;
    SceneLight flash = rain;
    flash.lightning = true;
    flash.lightningFactor = 1.0f;
    SceneLight off = clear;
    off.flashLightPos = glm::vec3(1337.0f, 100014.0f, 10240.0f); // the lamp switched off
    const glm::vec3 eye(0.0f);
    const float h = fogHorizon(clear, eye, false);
    EXPECT_GT(h, 150.0f);
    EXPECT_LT(h, 200.0f);
    EXPECT_LT(fogHorizon(rain, eye, false), 0.7f * h) << "rain thickens the fog";
    EXPECT_GT(fogHorizon(flash, eye, false), fogHorizon(rain, eye, false)) << "a flash carries farther";
    EXPECT_GT(fogHorizon(clear, eye, true), h) << "the bonfire's light carries farther still";
    EXPECT_LE(fogHorizon(off, eye, false), h);
    for (const SceneLight& l : { clear, rain, flash, off }) {
        const float at = fogHorizon(l, eye, false);
        for (float d = at; d < at + 300.0f; d += 7.0f) {
            const float lamp = std::fabs(d - glm::distance(l.flashLightPos, eye));
            const float left = std::max(brightestLight(l, lamp, false), 0.016f) * fogTransmittance(l, d);
            EXPECT_LT(left, HALF_COLOR_STEP) << d;
        }
        const float inside = std::max(brightestLight(l, std::fabs(at - 1.0f - 1.0f), false), 0.016f);
        if (&l != &off) {
            EXPECT_GE(inside * fogTransmittance(l, at - 1.0f), HALF_COLOR_STEP) << "not farther than needed";
        }
    }
    // The lamp's own light fades sooner than the moon's: its shadow matters only that far.
    EXPECT_LT(lampReach(clear, eye), h);
    EXPECT_GT(lampReach(clear, eye), 100.0f);
    EXPECT_EQ(lampReach(off, eye), 0.0f) << "the lamp moved out of the world lights nothing to see";
    EXPECT_EQ(lampReach(SceneLight {}, eye), 0.0f) << "a lamp giving no light";
}

} // namespace
