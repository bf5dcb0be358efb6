#pragma once

#include "render/Texture.h"

// The model textures, loaded once at start-up and fetched by index.
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
