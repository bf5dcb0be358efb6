#pragma once

#include <iosfwd>

// Settings the hardware may not support are lowered to its limit at start-up,
// with one line on the error stream, and the game goes on.

// Anisotropic filtering above the largest supported level.
bool lowerAnisotropy(int& anisotropicFiltering, float maxAnisotropy, std::ostream& err);

// An anti-aliasing factor above the largest sample count of a multisample
// buffer: the scene buffer could not be made and the game would end.
bool lowerSampleCount(int& antiAliasingFactor, int maxSamples, std::ostream& err);
