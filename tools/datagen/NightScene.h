#pragma once

// Full-screen backgrounds of the menus and the loading screen: a forest at
// night with layered tree silhouettes fading into fog, under a glowing moon.
#include "tools/datagen/DataGen.h"
#include "tools/datagen/Procedural.h"

namespace datagen {

struct SceneStyle {
    uint32_t seed = 1;
    Rgb skyTop, skyHorizon;
    Rgb moon, moonGlow;
    float moonX = 0.8f, moonY = 0.15f; // centre, as fractions of width and height
    float moonRadius = 0.05f; // fraction of the height
    Rgb fog;
    float fogDensity = 0.6f;
    bool reaper = false; // a cloaked figure with a scythe between the trees
};

Image paintNightForest(const SceneStyle& style, int width, int height);

} // namespace datagen
