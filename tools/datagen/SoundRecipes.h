#pragma once

// Recipes for every sound the game plays. Each returns a finished clip, peak
// set for its role; the same clip on every run.
#include "tools/datagen/WavWriter.h"

namespace datagen::recipes {

constexpr int kFineRate = 44100; // short, bright effects and instruments
constexpr int kLoopRate = 22050; // long loops and dark, low stings

// Short effects (SoundEffects.cpp).
SoundClip meow();
SoundClip footstepGrass();
SoundClip footstepGrass2();
SoundClip explosion();
SoundClip thunder();
SoundClip popCork();
SoundClip metalImpact();
SoundClip drinking();
SoundClip button();
SoundClip breathing();

// Seamless loops (SoundLoops.cpp and SoundAmbiences.cpp).
SoundClip forestBirds();
SoundClip forestRainMidBirds();
SoundClip desertNight();
SoundClip bonfire();
SoundClip fuse();
SoundClip heartbeat();
SoundClip staticNoise();
SoundClip jetpack();

// Jingles and stings (SoundMusic.cpp).
SoundClip success();
SoundClip piano1();
SoundClip piano2();
SoundClip endSting();
SoundClip creepyAmbience();
SoundClip frighteningPlace();
SoundClip lowDrone();
SoundClip suspense();

} // namespace datagen::recipes
