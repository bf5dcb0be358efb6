#pragma once

#include <cstdint>
#include <glm/vec3.hpp>

// The per-column codes of terrain generation. A column first gets a terrain
// code N (biome plus "something may stand here"), then a feature code O that
// names what actually stands there.
namespace terrain {

// Terrain and feature codes that occur.
enum Code : int {
    CODE_FOREST = 1,
    CODE_VILLAGE_AREA = 2,
    CODE_DESERT = 8,
    CODE_PYRAMID = 9,
    CODE_TREE = 10,
    CODE_CACTUS = 11,
    CODE_VILLAGE_HOUSE = 12,
    CODE_VILLAGE_EDGE = 13,
    CODE_LANDMARK_AREA = 17,
    CODE_LANDMARK = 18,
    CODE_BIG_HOUSE = 19,
    CODE_DESERT_CRYPT = 20,
    CODE_MINESHAFT = 21,
    CODE_CAMP = 22,
    CODE_BALLOON = 23,
    CODE_TOWER = 24,
};

// Rounds to the nearest integer, halves away from zero.
float roundHalfAway(float v);
// Rounds to two decimals: R(v x 100) / 100.
float roundToHundredths(float v);

// Multiply-with-carry hash of a position: the same point always gives the
// same value, on every thread and platform.
uint32_t pointHash(const glm::vec3& p);

// Combines the desert (D), forest (F) and landmark (L) classifications into
// the terrain code N; the first matching rule wins.
int terrainCode(int desert, int forest, int landmark);
// Picks the structure kind of a landmark column from its hash; any other code
// is its own feature.
int featureCode(int terrain, uint32_t hash);
// True for the terrain codes of desert columns (sand on top).
bool isDesertCode(int terrain);
// Block type of the top voxel of a column with terrain code N.
int surfaceBlockFor(int terrain);

// What a feature code puts into the world.
enum class Placement { Nothing, Tree, Cactus, Structure };
Placement placementOf(int feature);

} // namespace terrain
