#pragma once

#include <iosfwd>
#include <string>

// Settings the hardware may not support are lowered to its limit at start-up,
// with one line on the error stream, and the game goes on.

// Anisotropic filtering above the largest supported level.
bool lowerAnisotropy(int& anisotropicFiltering, float maxAnisotropy, std::ostream& err);

// An anti-aliasing factor above the largest sample count of a multisample
// buffer: the scene buffer could not be made and the game would end.
bool lowerSampleCount(int& antiAliasingFactor, int maxSamples, std::ostream& err);

// Software renderers (Mesa's llvmpipe and softpipe) filter anisotropically
// in their shader code: at level 8 a frame takes ten times as long as at 1,
// which turns play into a slide show. On them the level is lowered to 1.
bool isSoftwareRenderer(const std::string& rendererName);
bool lowerAnisotropyForSoftware(int& anisotropicFiltering, const std::string& rendererName, std::ostream& err);
