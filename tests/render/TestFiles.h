#pragma once

// Small helpers for tests that read files: a temporary folder and a PNG
// encoder that can write every colour type and bit depth.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    // Writes `text` to `name` (sub-folders created) and returns the full path.
    std::string write(const std::string& name, const std::string& text) const;
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::filesystem::path root;
};

// Changes the working directory for the lifetime of the object.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& dir);
    ~ScopedWorkingDirectory();

private:
    std::filesystem::path previous;
};

// What to encode: `samples` holds the rows top to bottom exactly as PNG
// stores them (packed for depths below 8, big-endian for 16).
struct TestPng {
    int width = 1;
    int height = 1;
    int colorType = 2; // PNG_COLOR_TYPE_RGB
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> samples;
    std::vector<uint8_t> palette; // r, g, b triples for palette images
    std::vector<uint8_t> transparency; // tRNS: palette alphas
};

// Encodes with libpng; empty on failure.
std::vector<uint8_t> encodePng(const TestPng& png);

// An 8-bit RGB (channels 3) or RGBA (channels 4) image whose pixel (x, y),
// counted from the top row, is (16x + 1, 16y + 2, 7 + x + y, 200 + y), so
// every pixel is recognisable after a flip.
TestPng patternPng(int width, int height, int channels);
// The expected 8-bit value of channel `c` of pattern pixel (x, y).
uint8_t patternValue(int x, int y, int c);
