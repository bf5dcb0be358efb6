#pragma once

#include <cstdint>
#include <glm/vec3.hpp>

class aabb;

// Face bits shared by box meshes, touching tests and octree face masks.
enum FaceBit : uint8_t {
    FACE_NEG_X = 1 << 0,
    FACE_NEG_Y = 1 << 1,
    FACE_NEG_Z = 1 << 2,
    FACE_POS_X = 1 << 3,
    FACE_POS_Y = 1 << 4,
    FACE_POS_Z = 1 << 5,
};
constexpr uint8_t NO_TOUCHING_FACE = 0xFF;

// Result of classify(): how a shape relates to a box.
enum ShapeOverlap : int {
    OVERLAP_NONE = 0,    // disjoint, or only touching
    OVERLAP_PARTIAL = 1, // overlapping but not containing
    OVERLAP_CONTAINS = 2 // the box lies completely inside the shape
};

// Abstract shape that the octree fill, the structures and explosions use.
// The destructor is virtual because voxel orders own their shape through a
// base pointer and delete it that way.
class Geometric_Object {
public:
    virtual ~Geometric_Object() = default;
    virtual int classify(const aabb& other) const = 0;
    virtual bool intersects(const aabb& other) const = 0;
    virtual aabb& boundingBox(aabb& out) const = 0;
};

// Axis-aligned box. Construction keeps the corners as given; call normalize()
// when they may be swapped.
class aabb : public Geometric_Object {
public:
    glm::vec3 min { 0.0f };
    glm::vec3 max { 0.0f };

    aabb() = default;
    aabb(const glm::vec3& minPoint, const glm::vec3& maxPoint) : min(minPoint), max(maxPoint) { }
    aabb(const aabb&) = default;
    aabb& operator=(const aabb&) = default;

    int classify(const aabb& other) const override;
    bool intersects(const aabb& other) const override;
    aabb& boundingBox(aabb& out) const override;

    bool intersectsInclusive(const aabb& other) const;
    bool containsPoint(const glm::vec3& p) const;
    // Corner i: x from bit 2, y from bit 1, z from bit 0; other indices give min.
    glm::vec3 corner(int i) const;
    void normalize();
    glm::vec3 center() const { return (min + max) * 0.5f; }
    void translate(const glm::vec3& v)
    {
        min += v;
        max += v;
    }
    void moveCenterTo(const glm::vec3& p) { translate(p - center()); }
    void scaleAboutCenter(const glm::vec3& s);
    // The face of this box that lies against other (one FaceBit), or NO_TOUCHING_FACE.
    uint8_t touchingFaces(const aabb& other) const;

    // Appends this box as eight 8-float vertices (position, corner normal,
    // layer, corner number; vertex bits x=0, y=1, z=2) and two triangles per
    // face selected in faceMask. The running counts advance by what was written;
    // the arrays must have room for 64 floats and 36 indices.
    void appendMesh(float* vertices, int& vertexFloatCount, uint32_t* indices, int& indexCount,
                    uint8_t faceMask, int layer) const;
};

class Sphere : public Geometric_Object {
public:
    glm::vec3 center { 0.0f };
    float radius = 0.0f;

    Sphere() = default;
    Sphere(const glm::vec3& c, float r) : center(c), radius(r) { }

    int classify(const aabb& other) const override;
    bool intersects(const aabb& other) const override;
    // One unit larger than the sphere on every side so traversals never miss
    // a voxel the sphere only grazes.
    aabb& boundingBox(aabb& out) const override;
};
