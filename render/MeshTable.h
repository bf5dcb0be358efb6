#pragma once

#include "render/ObjReader.h"

#include <memory>
#include <string>

class VertexArray;

// The game's meshes, loaded once at start-up and fetched by index.
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
