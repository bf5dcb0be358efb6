#pragma once

// The pictures behind every texture file the game reads from textures/
// (block faces, sky, fire, GUI images), drawn by code so the run folder can be
// rebuilt from source at any time.
#include "base/BlockType.h"
#include "tools/datagen/DataGen.h"

#include <array>
#include <string>
#include <vector>

namespace datagen {

// How a stored picture relates to what a player sees. Some GUI quads sample
// their image upside down, or also mirrored, so those files are stored
// pre-turned to show upright on screen.
enum class Storage { AsShown, FlippedVertically, Rotated180 };

// One generated picture and its file name relative to the run folder.
struct NamedImage {
    std::string path;
    Image image;
    Storage storage = Storage::AsShown;
};

// Turns a picture the way `storage` says (its own inverse).
Image applyStorage(const Image& image, Storage storage);

// Edge length of every block texture: all of them become layers of one
// mipmapped array texture, so they share a size that halves cleanly.
constexpr int kBlockTextureSize = 64;

// Block texture files, in block type order (entry t - 1 for block type t).
extern const std::array<const char*, BLOCK_MATERIAL_COUNT> kBlockTextureFiles;

// The block textures (8-bit RGB, tiling), in kBlockTextureFiles order.
std::vector<NamedImage> makeBlockTextures();
// Moon and star sprites, the flame mask and colour, and the night sky strip (RGB).
std::vector<NamedImage> makeSkyAndFireTextures();
// Menu, loading and game-over backgrounds (RGB) and the transparent overlay
// images (RGBA), stored the way the GUI quads sample them.
std::vector<NamedImage> makeGuiImages();

// Previews for people to look at, each picture labelled with its file name:
// the block textures at 4x scale; each block texture repeated 3 x 3 under a
// torch-like falloff (seams and night readability); the sky, fire and GUI
// pictures the way they appear on screen.
Image makeBlockContactSheet(const std::vector<NamedImage>& blocks);
Image makeBlockNightSheet(const std::vector<NamedImage>& blocks);
Image makeImageContactSheet(const std::vector<NamedImage>& images);

} // namespace datagen
