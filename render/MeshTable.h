#pragma once

#include "render/ObjReader.h"

#include <memory>
#include <string>

class VertexArray;

// The game's meshes, loaded once at start-up and fetched by index. Code that
// draws a model names its meshes here rather than repeating the numbers.
enum MeshIndex : int {
    MESH_PLAYER = 0,
    MESH_DEATH_SCYTHE = 1,
    MESH_DEATH_LEFT_ARM = 2,
    MESH_DEATH_RIGHT_ARM = 3,
    MESH_DEATH_HEAD = 4,
    MESH_DEATH_BODY = 5,
    MESH_CAT_HEAD = 6,
    MESH_CAT_BODY = 7,
    MESH_CAT_LEG = 8,
    MESH_CAT_TAIL = 9,
    MESH_DYNAMITE = 10,
    MESH_CAGE = 11,
    MESH_FLASHLIGHT = 12,
    MESH_FLASHLIGHT_HAND = 13,
    MESH_FISH = 14,
    MESH_BONFIRE = 15,
    MESH_JETPACK = 16,
    MESH_JETPACK_HAND = 17,
    MESH_SIGN = 18,
    MESH_DYNAMITE_PACK = 19,
    MESH_BLASTING_MACHINE = 20,
    MESH_BLASTING_MACHINE_HANDLE = 21,
    MESH_BALL = 22,
    MESH_POTION_BOTTLE = 23,
    MESH_POTION_CORK = 24,
};

constexpr int MESH_COUNT = 25;

// OBJ files by index, relative to the working directory.
extern const char* const meshFiles[MESH_COUNT];

// Uploads a mesh as triangles: position at location 0, normal at 1, texture
// coordinate at 2, 32-bit indices. An empty mesh gives an array that draws
// nothing. Needs a current GL context.
std::unique_ptr<VertexArray> uploadMesh(const MeshData& mesh);

// Reads and uploads one OBJ file, messages on standard output.
std::unique_ptr<VertexArray> loadObj(const std::string& path);

// Loads every file of the table in order with a progress line for each.
void loadMeshes();

// The mesh at `index`, or null outside the table or before loadMeshes.
VertexArray* getMesh(int index);

// Deletes every mesh and empties the table.
void freeMeshes();
