#pragma once

#include <cstdint>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <iosfwd>
#include <string>
#include <vector>

// One corner of a mesh as the model shader reads it (32 bytes).
struct MeshVertex {
    glm::vec3 position { 0.0f };
    glm::vec3 normal { 0.0f };
    glm::vec2 texCoord { 0.0f };
};
static_assert(sizeof(MeshVertex) == 32, "the mesh vertex layout is shared with the model shader");

// Unique vertices and triangle indices read from an OBJ file.
struct MeshData {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
};

// Reads the OBJ subset the game's meshes use: "v", "vt", "vn", "f" with
// "p/t/n" corners, "o" and "#" lines and "s" flags. Corners equal in all
// eight floats share one vertex; polygons become triangle fans. Warnings for
// unknown commands and skipped lines go to `log`. Never throws.
MeshData readObj(std::istream& in, std::ostream& log);

// The same for a file. A file that cannot be opened writes the stream's
// failure message and "Exception opening/reading file" to `log` and gives an
// empty mesh.
MeshData readObjFile(const std::string& path, std::ostream& log);
