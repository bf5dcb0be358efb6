#pragma once

// One picture of every mesh in the game's mesh table, drawn by the game's own
// model shader and Model::draw with the texture the game gives it, so an
// artist or a reviewer sees the meshes as the game shows them without
// walking around a world to find a cage or a fish.
//
//   mossgrave_modelsheet <run-folder> <out.png>

#include "render/MeshTable.h"
#include "render/ObjReader.h"
#include "tools/datagen/DataGen.h"

#include <filesystem>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace modelsheet {

// The model texture (index into modelTexturePaths) each mesh is drawn with in
// the game. The hand meshes of the flashlight and the jetpack wear the gloves.
extern const int meshTexture[MESH_COUNT];

// The sheet's layout: a 5 x 5 grid of square tiles, each with the mesh's file
// name in a strip below it. Tests read the tiles back with these numbers.
constexpr int COLUMNS = 5;
constexpr int ROWS = (MESH_COUNT + COLUMNS - 1) / COLUMNS;
constexpr int TILE = 224;
constexpr int PAD = 12;
constexpr int LABEL = 22;
constexpr int SHEET_WIDTH = COLUMNS * (TILE + PAD) + PAD;
constexpr int SHEET_HEIGHT = ROWS * (TILE + PAD + LABEL) + PAD;
// Tiles are drawn at this multiple and averaged down, which smooths edges
// without asking the driver for multisampling.
constexpr int SUPERSAMPLE = 2;
// Behind the models, in the tiles and around them.
constexpr uint8_t BACKGROUND[3] = { 0x26, 0x28, 0x2a };

// Top left pixel of tile `index` in the sheet.
inline int tileX(int index) { return PAD + (index % COLUMNS) * (TILE + PAD); }
inline int tileY(int index) { return PAD + (index / COLUMNS) * (TILE + PAD + LABEL); }

struct Bounds {
    glm::vec3 lo { 0.0f };
    glm::vec3 hi { 0.0f };
    bool empty = true;
};

// The box around every vertex a triangle uses.
Bounds meshBounds(const MeshData& mesh);

struct Framing {
    glm::mat4 view { 1.0f };
    glm::mat4 projection { 1.0f };
    glm::vec3 eye { 0.0f };
    glm::vec3 lamp { 0.0f }; // the key light, world space
    glm::vec3 centre { 0.0f }; // what the camera and the lamp aim at
};

// A three-quarter view from the front right and a little above, far enough
// back that the whole box fits in a square picture with a small margin.
Framing frameBounds(const Bounds& bounds);

// Files the sheet needs that `runDir` lacks (meshes, their textures, the
// model shader), as paths relative to the run folder.
std::vector<std::string> missingFiles(const std::filesystem::path& runDir);

// Reads every mesh of the table from the working directory (the run folder)
// for its bounds. False with `error` naming the file when one has no
// triangles, so damaged data is reported before any window opens.
bool readBounds(std::vector<Bounds>& bounds, std::string& error);

// Draws every mesh into its own TILE x TILE image (rows top to bottom),
// framed by `bounds` (from readBounds). The working directory must be the run
// folder and a GL context current. False with `error` set when the model
// shader or a texture cannot be loaded.
bool renderTiles(const std::vector<Bounds>& bounds, std::vector<datagen::Image>& tiles, std::string& error);

// The tiles in the grid with the mesh file names below them.
datagen::Image composeSheet(const std::vector<datagen::Image>& tiles);

} // namespace modelsheet
