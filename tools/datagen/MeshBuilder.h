#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <glm/glm.hpp>

// A small builder for the game's low-poly meshes: closed solids (boxes, lathed
// profiles such as tubes, cones and bottles, ellipsoids, extruded ribbons)
// placed with matrices, textured from rectangles of a texture atlas, and
// written as the OBJ subset the game's loader reads.
namespace datagen {

// A rectangle of texture coordinates. OBJ's v = 0 is the bottom row of the
// image, because the game flips images bottom row first when loading them.
struct UvRect {
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;

    // (s, t) in 0..1 across the rectangle, t = 0 at its bottom edge.
    glm::vec2 at(float s, float t) const { return { u0 + (u1 - u0) * s, v0 + (v1 - v0) * t }; }
};

// A rectangle of pixels (x, y from the top-left corner of the image).
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// The texture coordinates of a pixel rectangle in a size x size image, kept
// half a pixel inside so linear filtering never picks up the neighbour.
UvRect uvOf(PixelRect rect, int size);

struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

class Mesh {
public:
    uint32_t addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv);

    // Adds a triangle wound counter-clockwise around the mean of its corner
    // normals (the order is swapped when needed). Triangles of no area are
    // dropped, so collapsed rings at poles and tips cost nothing.
    void addTriangle(uint32_t a, uint32_t b, uint32_t c);
    void addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);

    // Adds a copy of `part` moved by `transform`; normals follow the inverse
    // transpose, so scaled and mirrored parts still face outwards.
    void append(const Mesh& part, const glm::mat4& transform = glm::mat4(1.0f));

    const std::vector<MeshVertex>& vertices() const { return vertices_; }
    const std::vector<uint32_t>& indices() const { return indices_; }
    size_t triangleCount() const { return indices_.size() / 3; }

    glm::vec3 boundsMin() const;
    glm::vec3 boundsMax() const;

private:
    std::vector<MeshVertex> vertices_;
    std::vector<uint32_t> indices_;
};

// Box faces in the game's face order: -X, -Y, -Z, +X, +Y, +Z. Each face's
// rectangle is seen from outside with +y up on the side faces; the top face
// has -z (the front of every model) at the top of its rectangle.
struct BoxUv {
    UvRect faces[6];
    static BoxUv all(UvRect rect);
    // `front` on the -Z face, `rest` elsewhere.
    static BoxUv withFront(UvRect rest, UvRect front);
};

Mesh box(glm::vec3 min, glm::vec3 max, const BoxUv& uv);

// Revolves a profile of (radius, y) points about the y axis. Bands that lie
// flat (both ends at one height) are caps and map polar-wise into `capUv`
// (u around, v from the axis outwards); the others share `sideUv`, u around
// and v along the profile's length. A profile starting and ending on the axis
// gives a closed solid.
Mesh lathe(const std::vector<glm::vec2>& profile, int segments, UvRect sideUv, UvRect capUv);

// A capped tube from a to b whose radius goes from ra to rb (rb = 0 gives a cone).
Mesh tube(glm::vec3 a, glm::vec3 b, float ra, float rb, int segments, UvRect sideUv, UvRect capUv);

// An ellipsoid about `centre`; u runs around y, v from the bottom pole to the top.
Mesh ellipsoid(glm::vec3 centre, glm::vec3 radii, int segments, int rings, UvRect uv);

// The same with the middle of the texture (u = 0.5) on its front (-z) and
// the seam at the back: for faces painted onto a round head.
Mesh frontEllipsoid(glm::vec3 centre, glm::vec3 radii, int segments, int rings, UvRect uv);

// A flat solid in the xy plane, `thickness` deep on z: consecutive pairs of
// points (one on each edge of the ribbon) outline it from one end to the
// other, which draws curved shapes such as blades and fins. Both flat faces
// map the outline's bounding rectangle onto `uv`.
Mesh ribbon(
    const std::vector<glm::vec2>& edgeA, const std::vector<glm::vec2>& edgeB, float thickness, UvRect uv);

// Matrix helpers; angles in degrees.
glm::mat4 translation(glm::vec3 offset);
glm::mat4 rotationX(float degrees);
glm::mat4 rotationY(float degrees);
glm::mat4 rotationZ(float degrees);
glm::mat4 scaling(glm::vec3 factors);

// Writes the mesh as OBJ: positions, texture coordinates and normals each
// listed once, then faces whose corners all give position/uv/normal indices.
bool writeObj(const std::filesystem::path& path, const Mesh& mesh, const std::string& objectName);

// The OBJ text itself (what writeObj stores).
std::string objText(const Mesh& mesh, const std::string& objectName);

} // namespace datagen
