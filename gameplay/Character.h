#pragma once

#include "physics/MovingObject.h"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <memory>
#include <vector>

struct FrameState;
class GameServices;
class VertexArray;
// Deletes a line mesh where VertexArray is complete, so bodies can be built without GL headers.
struct BoxMeshDeleter {
    void operator()(VertexArray* mesh) const;
};

// The twelve edges of a box as 24 line-list vertices, relative to `origin`.
std::vector<glm::vec3> boxOutline(const aabb& box, const glm::vec3& origin);

// An animated body: the player, the cats and Death. Besides its collision box it
// carries body-part boxes that move with it; they are only drawn as a debug
// wireframe and never collide.
class Character : public MovingObject {
public:
    glm::vec4 debugColour { 0.0f }; // wireframe colour
    // The body model lives in each subclass as `bodyModel`: the model matrix is `model`.
    std::vector<aabb> partBoxes;
    bool showBoxes = true;
    bool canStep = false; // may climb half-block ledges in the collision pass
    // The game around the body, handed down by the world that owns it; null
    // while no game exists (creatures then stand still).
    GameServices* services = nullptr;

    using MovingObject::MovingObject;
    ~Character() override;

    // Moves the part boxes along with the body.
    void move(float scale, int axis) override;
    // Centres the body box on the point; the part boxes keep their places relative to the body.
    virtual void placeAt(const glm::vec3& point);
    virtual void draw(const FrameState& frame) = 0;

    // Half a block up or down, body and part boxes together; nothing unless canStep.
    void stepUp();
    void stepDown();
    // Looks along the horizontal unit direction d without moving.
    void faceDirection(const glm::vec3& d);
    // Draws the body box and the part boxes as coloured lines with the frame's matrices,
    // when showBoxes is set. Needs a GL context; the line meshes are built at the first call.
    void drawBoxes(const FrameState& frame);

private:
    void translateAll(const glm::vec3& d);
    void buildBoxMeshes();

    // The body box's outline, then one per part box, relative to the body's centre: the
    // part boxes only ever move with the body, so the outlines never need rebuilding.
    std::vector<std::unique_ptr<VertexArray, BoxMeshDeleter>> boxMeshes;
};
