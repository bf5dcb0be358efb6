#include "base/SimplexNoise.h"

#include <cmath>

namespace SimplexNoise {

namespace {

constexpr std::array<uint8_t, 256> kPermutation = { 151, 160, 137, 91, 90, 15, 131, 13, 201, 95, 96, 53, 194,
    233, 7, 225, 140, 36, 103, 30, 69, 142, 8, 99, 37, 240, 21, 10, 23, 190, 6, 148, 247, 120, 234, 75, 0, 26,
    197, 62, 94, 252, 219, 203, 117, 35, 11, 32, 57, 177, 33, 88, 237, 149, 56, 87, 174, 20, 125, 136, 171,
    168, 68, 175, 74, 165, 71, 134, 139, 48, 27, 166, 77, 146, 158, 231, 83, 111, 229, 122, 60, 211, 133, 230,
    220, 105, 92, 41, 55, 46, 245, 40, 244, 102, 143, 54, 65, 25, 63, 161, 1, 216, 80, 73, 209, 76, 132, 187,
    208, 89, 18, 169, 200, 196, 135, 130, 116, 188, 159, 86, 164, 100, 109, 198, 173, 186, 3, 64, 52, 217,
    226, 250, 124, 123, 5, 202, 38, 147, 118, 126, 255, 82, 85, 212, 207, 206, 59, 227, 47, 16, 58, 17, 182,
    189, 28, 42, 223, 183, 170, 213, 119, 248, 152, 2, 44, 154, 163, 70, 221, 153, 101, 155, 167, 43, 172, 9,
    129, 22, 39, 253, 19, 98, 108, 110, 79, 113, 224, 232, 178, 185, 112, 104, 218, 246, 97, 228, 251, 34,
    242, 193, 238, 210, 144, 12, 191, 179, 162, 241, 81, 51, 145, 235, 249, 14, 239, 107, 49, 192, 214, 31,
    181, 199, 106, 157, 184, 84, 204, 176, 115, 121, 50, 45, 127, 4, 150, 254, 138, 236, 205, 93, 222, 114,
    67, 29, 24, 72, 243, 141, 128, 195, 78, 66, 215, 61, 156, 180 };

constexpr std::array<uint8_t, 512> doubled()
{
    std::array<uint8_t, 512> out {};
    for (int i = 0; i < 512; ++i)
        out[i] = kPermutation[i & 255];
    return out;
}

// The twelve midpoints of the cube's edges.
constexpr int8_t kGrad3[12][3] = {
    { 1, 1, 0 },
    { -1, 1, 0 },
    { 1, -1, 0 },
    { -1, -1, 0 },
    { 1, 0, 1 },
    { -1, 0, 1 },
    { 1, 0, -1 },
    { -1, 0, -1 },
    { 0, 1, 1 },
    { 0, -1, 1 },
    { 0, 1, -1 },
    { 0, -1, -1 },
};

thread_local uint64_t tEvaluations = 0;

// floor() as an integer. Far outside any sensible coordinate the value is
// clamped first, so absurd seeds give flat noise instead of an undefined
// float-to-int conversion.
inline int64_t floorToInt(float v)
{
    constexpr float kLimit = 4.0e18f;
    if (!(v > -kLimit))
        v = -kLimit;
    else if (v > kLimit)
        v = kLimit;
    const int64_t t = static_cast<int64_t>(v);
    return v < static_cast<float>(t) ? t - 1 : t;
}

inline float corner3(float falloff, float x, float y, float z, int gi)
{
    float t = falloff - x * x - y * y - z * z;
    if (t < 0.0f)
        return 0.0f;
    t *= t;
    const int8_t* g = kGrad3[gi];
    return t * t * (g[0] * x + g[1] * y + g[2] * z);
}

inline float corner2(float x, float y, int gi)
{
    float t = 0.5f - x * x - y * y;
    if (t < 0.0f)
        return 0.0f;
    t *= t;
    const int8_t* g = kGrad3[gi];
    return t * t * (g[0] * x + g[1] * y);
}

} // namespace

const std::array<uint8_t, 512> perm = doubled();

float raw3(float xin, float yin, float zin)
{
    ++tEvaluations;
    constexpr float F3 = 1.0f / 3.0f;
    constexpr float G3 = 1.0f / 6.0f;

    // Skew the input space to find the simplex cell.
    const float s = (xin + yin + zin) * F3;
    const int64_t i = floorToInt(xin + s);
    const int64_t j = floorToInt(yin + s);
    const int64_t k = floorToInt(zin + s);
    const float t = static_cast<float>(i + j + k) * G3;
    const float x0 = xin - (static_cast<float>(i) - t);
    const float y0 = yin - (static_cast<float>(j) - t);
    const float z0 = zin - (static_cast<float>(k) - t);

    // Which of the six tetrahedra of the cube the point lies in.
    int i1, j1, k1, i2, j2, k2;
    if (x0 >= y0) {
        if (y0 >= z0) {
            i1 = 1, j1 = 0, k1 = 0, i2 = 1, j2 = 1, k2 = 0;
        } else if (x0 >= z0) {
            i1 = 1, j1 = 0, k1 = 0, i2 = 1, j2 = 0, k2 = 1;
        } else {
            i1 = 0, j1 = 0, k1 = 1, i2 = 1, j2 = 0, k2 = 1;
        }
    } else {
        if (y0 < z0) {
            i1 = 0, j1 = 0, k1 = 1, i2 = 0, j2 = 1, k2 = 1;
        } else if (x0 < z0) {
            i1 = 0, j1 = 1, k1 = 0, i2 = 0, j2 = 1, k2 = 1;
        } else {
            i1 = 0, j1 = 1, k1 = 0, i2 = 1, j2 = 1, k2 = 0;
        }
    }

    const float x1 = x0 - i1 + G3, y1 = y0 - j1 + G3, z1 = z0 - k1 + G3;
    const float x2 = x0 - i2 + 2.0f * G3, y2 = y0 - j2 + 2.0f * G3, z2 = z0 - k2 + 2.0f * G3;
    const float x3 = x0 - 1.0f + 3.0f * G3, y3 = y0 - 1.0f + 3.0f * G3, z3 = z0 - 1.0f + 3.0f * G3;

    const int ii = static_cast<int>(i & 255), jj = static_cast<int>(j & 255), kk = static_cast<int>(k & 255);
    const int gi0 = perm[ii + perm[jj + perm[kk]]] % 12;
    const int gi1 = perm[ii + i1 + perm[jj + j1 + perm[kk + k1]]] % 12;
    const int gi2 = perm[ii + i2 + perm[jj + j2 + perm[kk + k2]]] % 12;
    const int gi3 = perm[ii + 1 + perm[jj + 1 + perm[kk + 1]]] % 12;

    const float n = corner3(0.6f, x0, y0, z0, gi0) + corner3(0.6f, x1, y1, z1, gi1)
        + corner3(0.6f, x2, y2, z2, gi2) + corner3(0.6f, x3, y3, z3, gi3);
    return 32.0f * n;
}

float scaled3(float lo, float hi, float x, float y, float z)
{
    return raw3(x, y, z) * (hi - lo) / 2.0f + (hi + lo) / 2.0f;
}

float octave3(int octaves, float persistence, float scale, float x, float y, float z)
{
    if (octaves <= 0)
        return 0.0f;
    float total = 0.0f;
    float frequency = scale;
    float amplitude = 1.0f;
    float amplitudeSum = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        total += raw3(x * frequency, y * frequency, z * frequency) * amplitude;
        amplitudeSum += amplitude;
        frequency *= 2.0f;
        amplitude *= persistence;
    }
    return total / amplitudeSum;
}

float raw2(float xin, float yin)
{
    ++tEvaluations;
    const float F2 = 0.5f * (std::sqrt(3.0f) - 1.0f);
    const float G2 = (3.0f - std::sqrt(3.0f)) / 6.0f;

    const float s = (xin + yin) * F2;
    const int64_t i = floorToInt(xin + s);
    const int64_t j = floorToInt(yin + s);
    const float t = static_cast<float>(i + j) * G2;
    const float x0 = xin - (static_cast<float>(i) - t);
    const float y0 = yin - (static_cast<float>(j) - t);

    // Lower or upper triangle of the skewed square.
    const int i1 = x0 > y0 ? 1 : 0;
    const int j1 = 1 - i1;

    const float x1 = x0 - i1 + G2, y1 = y0 - j1 + G2;
    const float x2 = x0 - 1.0f + 2.0f * G2, y2 = y0 - 1.0f + 2.0f * G2;

    const int ii = static_cast<int>(i & 255), jj = static_cast<int>(j & 255);
    const int gi0 = perm[ii + perm[jj]] % 12;
    const int gi1 = perm[ii + i1 + perm[jj + j1]] % 12;
    const int gi2 = perm[ii + 1 + perm[jj + 1]] % 12;

    return 70.0f * (corner2(x0, y0, gi0) + corner2(x1, y1, gi1) + corner2(x2, y2, gi2));
}

float scaled2(float lo, float hi, float x, float y)
{
    return raw2(x, y) * (hi - lo) / 2.0f + (hi + lo) / 2.0f;
}

float octave2(int octaves, float persistence, float scale, float x, float y)
{
    if (octaves <= 0)
        return 0.0f;
    float total = 0.0f;
    float frequency = scale;
    float amplitude = 1.0f;
    float amplitudeSum = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        total += raw2(x * frequency, y * frequency) * amplitude;
        amplitudeSum += amplitude;
        frequency *= 2.0f;
        amplitude *= persistence;
    }
    return total / amplitudeSum;
}

uint64_t evaluationCount()
{
    return tEvaluations;
}

void resetEvaluationCount()
{
    tEvaluations = 0;
}

} // namespace SimplexNoise
