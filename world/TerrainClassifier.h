#pragma once

#include "base/SimplexNoise.h"
#include "base/TerrainCodes.h"

#include <cmath>

// The biome and site classifiers. Each looks at one noise field through a
// transform; sites (trees, cacti, houses, landmarks) are the rare columns
// where the field is nearly flat and flatter than all of its neighbours.
//
// The classifiers are written once against a "field": DirectField evaluates
// every value on demand from float positions; the generator's shared column
// grid answers the same questions from values computed once per column. Both
// must give bit-identical answers, which the tests check.
namespace terrain {

// One column, in chunk units.
constexpr float kColumnStep = 1.0f / 128.0f;

// Noise position of a transformed field: ((x - ox) * k, (z - oz) * k).
struct NoiseTransform {
    float ox, oz, k;
};

enum Field : int {
    FIELD_DESERT_BAND, // desert or not
    FIELD_DESERT_SITES, // cactus sites
    FIELD_FOREST_BAND, // plain forest, village edge, village area
    FIELD_TREE_SITES, // trees
    FIELD_VILLAGE_SITES, // village houses
    FIELD_LANDMARK, // landmark areas and their sites
    FIELD_COUNT
};

constexpr NoiseTransform kTransforms[FIELD_COUNT] = {
    { 2.0f, 5.0f, 0.09f },
    { 11.0f, 52.0f, 1.0f },
    { 21.0f, 52.0f, 0.4f },
    { 211.0f, 52.0f, 4.0f },
    { 111.0f, 452.0f, 3.0f },
    { 1111.0f, 45.0f, 0.3f },
};

// noise01 of the generator: raw noise mapped onto 0..1, the seed offset as third coordinate.
inline float noise01(float x, float z, float seedOffset)
{
    return SimplexNoise::scaled3(0.0f, 1.0f, x, z, seedOffset);
}

inline float transformedNoise(Field f, float x, float z, float seedOffset)
{
    const NoiseTransform& t = kTransforms[f];
    return noise01((x - t.ox) * t.k, (z - t.oz) * t.k, seedOffset);
}

// Evaluates everything on demand at float positions.
struct DirectField {
    struct Pos {
        float x, z;
        Pos offset(int a, int b) const { return { x + a * kColumnStep, z + b * kColumnStep }; }
    };

    float seedOffset;

    float value(Field f, Pos p) const { return transformedNoise(f, p.x, p.z, seedOffset); }
    float gradient(Field f, Pos p) const
    {
        const float dz = transformedNoise(f, p.x, p.z + kColumnStep, seedOffset)
            - transformedNoise(f, p.x, p.z - kColumnStep, seedOffset);
        const float dx = transformedNoise(f, p.x + kColumnStep, p.z, seedOffset)
            - transformedNoise(f, p.x - kColumnStep, p.z, seedOffset);
        return std::sqrt(dz * dz + dx * dx);
    }
};

inline bool inLandmarkBand(float v)
{
    return v >= 0.15f && v <= 0.85f;
}
inline bool isDesertValue(float v)
{
    return !(v >= 0.15f && v <= 0.8f);
}

// True when every other column of the n-neighbourhood has a strictly larger
// gradient; with `landmarkNeighbours` also every neighbour's own value must lie
// outside the landmark band.
template <class F>
bool isNeighbourhoodMinimum(
    const F& field, Field f, typename F::Pos p, int n, bool landmarkNeighbours = false)
{
    const float g = field.gradient(f, p);
    for (int a = -n; a <= n; ++a) {
        for (int b = -n; b <= n; ++b) {
            if (a == 0 && b == 0)
                continue;
            const typename F::Pos q = p.offset(a, b);
            if (!(field.gradient(f, q) > g))
                return false;
            if (landmarkNeighbours && inLandmarkBand(field.value(f, q)))
                return false;
        }
    }
    return true;
}

// Desert classification: 0 (not desert), CODE_DESERT or CODE_CACTUS.
template <class F> int classifyDesert(const F& field, typename F::Pos p)
{
    if (!isDesertValue(field.value(FIELD_DESERT_BAND, p)))
        return 0;
    if (field.gradient(FIELD_DESERT_SITES, p) >= 0.0003f)
        return CODE_DESERT;
    return isNeighbourhoodMinimum(field, FIELD_DESERT_SITES, p, 10) ? CODE_CACTUS : CODE_DESERT;
}

// Forest classification: CODE_FOREST, CODE_TREE, CODE_VILLAGE_EDGE,
// CODE_VILLAGE_AREA or CODE_VILLAGE_HOUSE (never 0).
template <class F> int classifyForest(const F& field, typename F::Pos p)
{
    const float v = field.value(FIELD_FOREST_BAND, p);
    if (v <= 0.85f) {
        if (field.gradient(FIELD_TREE_SITES, p) >= 0.005f)
            return CODE_FOREST;
        return isNeighbourhoodMinimum(field, FIELD_TREE_SITES, p, 4) ? CODE_TREE : CODE_FOREST;
    }
    if (v < 0.9f)
        return CODE_VILLAGE_EDGE;
    if (field.gradient(FIELD_VILLAGE_SITES, p) >= 0.003f)
        return CODE_VILLAGE_AREA;
    return isNeighbourhoodMinimum(field, FIELD_VILLAGE_SITES, p, 20) ? CODE_VILLAGE_HOUSE : CODE_VILLAGE_AREA;
}

// Landmark classification: 0, CODE_LANDMARK_AREA or CODE_LANDMARK.
template <class F> int classifyLandmark(const F& field, typename F::Pos p)
{
    if (inLandmarkBand(field.value(FIELD_LANDMARK, p)))
        return 0;
    if (field.gradient(FIELD_LANDMARK, p) >= 0.0005f)
        return CODE_LANDMARK_AREA;
    return isNeighbourhoodMinimum(field, FIELD_LANDMARK, p, 20, true) ? CODE_LANDMARK : CODE_LANDMARK_AREA;
}

// The terrain code of a column, evaluating only what can change it: under a
// landmark area or site only "desert or not" matters, and a desert column
// never looks at the forest.
template <class F> int classifyColumn(const F& field, typename F::Pos p)
{
    const int landmark = classifyLandmark(field, p);
    if (landmark != 0) {
        const bool desert = isDesertValue(field.value(FIELD_DESERT_BAND, p));
        return terrainCode(desert ? CODE_DESERT : 0, CODE_FOREST, landmark);
    }
    const int desert = classifyDesert(field, p);
    if (desert != 0)
        return desert;
    return classifyForest(field, p);
}

} // namespace terrain
