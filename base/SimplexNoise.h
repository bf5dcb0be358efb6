#pragma once

#include <array>
#include <cstdint>

// Simplex noise in its classic formulation (Perlin's reference permutation,
// the twelve cube-edge gradients), single precision throughout so that every
// worker thread and every platform builds the same terrain from the same seed.
// All functions are pure and safe to call from any thread.
namespace SimplexNoise {

// Perlin's reference permutation of 0..255, written out twice so lookups of
// index + permutation value never need wrapping.
extern const std::array<uint8_t, 512> perm;

// 3D noise, about -1..1; exactly 0 on every simplex lattice corner.
float raw3(float x, float y, float z);
// raw3 mapped linearly from -1..1 onto lo..hi.
float scaled3(float lo, float hi, float x, float y, float z);
// Sum of `octaves` layers of raw3, each at twice the frequency (starting at
// `scale`) and `persistence` times the amplitude of the one before, divided by
// the sum of the amplitudes.
float octave3(int octaves, float persistence, float scale, float x, float y, float z);

// The same three in two dimensions (skew (sqrt 3 - 1) / 2, falloff 0.5 - d², sum x 70).
float raw2(float x, float y);
float scaled2(float lo, float hi, float x, float y);
float octave2(int octaves, float persistence, float scale, float x, float y);

// Number of raw2/raw3 evaluations made by the calling thread since it started
// (or since the last reset); the terrain benchmark reads it to show how much
// noise one chunk costs.
uint64_t evaluationCount();
void resetEvaluationCount();

} // namespace SimplexNoise
