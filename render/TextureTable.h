#pragma once

#include "render/Texture.h"

// The model textures, loaded once at start-up and fetched by index. Code that
// draws with one names it here rather than repeating the number.
enum ModelTextureIndex : int {
    TEXTURE_MOON = 0,
    TEXTURE_STAR = 1,
    TEXTURE_DEATH = 2,
    TEXTURE_FIRE_ALPHA = 3,
    TEXTURE_FIRE_DIFFUSE = 4,
    TEXTURE_CAT = 5,
    TEXTURE_DYNAMITE = 6,
    TEXTURE_PLAYER = 7,
    TEXTURE_CAGE = 8,
    TEXTURE_FLASHLIGHT = 9,
    TEXTURE_GLOVES = 10,
    TEXTURE_FISH = 11,
    TEXTURE_LOGS = 12,
    TEXTURE_JETPACK = 13,
    TEXTURE_SIGN_PYRAMID = 14,
    TEXTURE_BLASTING_MACHINE = 15,
    TEXTURE_WOOL = 16,
    TEXTURE_POTION = 17,
};

constexpr int MODEL_TEXTURE_COUNT = 18;

// Texture files by index, relative to the working directory.
extern const char* const modelTexturePaths[MODEL_TEXTURE_COUNT];

// Loads every model texture in table order with a repeat, linear sampler,
// printing a progress line for each. Returns false after printing the failure
// line for the first texture that cannot be loaded; the game must then end
// with exit code 1. Needs a current GL context.
bool loadModelTextures();

// The texture at `index` (0..17); no bounds check.
Texture* getTexture(int index);

// Deletes every texture and empties the table.
void freeTextures();
