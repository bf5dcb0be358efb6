#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The data generator writes every texture, mesh and sound the game reads.
// Each writer is deterministic: the same bytes on every run.
namespace datagen {

// An 8-bit image, rows top to bottom, `channels` bytes per pixel (3 RGB, 4 RGBA).
struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<uint8_t> pixels;

    Image() = default;
    Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c, 0) { }
    uint8_t* at(int x, int y) { return &pixels[(size_t(y) * width + x) * channels]; }
    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
};

// Writes an 8-bit RGB or RGBA PNG through libpng; returns false with a message on failure.
bool writePng(const std::filesystem::path& path, const Image& image);

// Each writer creates its files below `runDir` (textures/, models/, sounds/)
// and returns false when a file could not be written.
bool writeBlockAndGuiTextures(const std::filesystem::path& runDir);
bool writeModelsAndModelTextures(const std::filesystem::path& runDir);
bool writeSounds(const std::filesystem::path& runDir);

// The application icon for desktop menus, drawn at `size` pixels square;
// writeIcon writes it at each of the sizes menus ask for as preview/icon-N.png.
constexpr int kIconSizes[] = { 48, 64, 128, 256 };
Image icon(int size);
bool writeIcon(const std::filesystem::path& runDir);

} // namespace datagen
