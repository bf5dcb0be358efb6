#pragma once

#include "physics/MovingObject.h"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <vector>

// An animated body: the player, the cats and Death. Besides its collision box it
// carries body-part boxes that move with it; they are only drawn as a debug
// wireframe and never collide.
class Character : public MovingObject {
public:
    glm::vec4 debugColour { 0.0f }; // wireframe colour
    // PLACEHOLDER: the body model, the part-box line meshes and the debug shader join here
    // with the render work (the model needs its own name: the model matrix is `model`).
    std::vector<aabb> partBoxes;
    bool showBoxes = true;
    bool canStep = false; // may climb half-block ledges in the collision pass

    using MovingObject::MovingObject;

    // Moves the part boxes along with the body.
    void move(float scale, int axis) override;
    // Centres the body box on the point; the part boxes keep their places relative to the body.
    virtual void placeAt(const glm::vec3& point);
    virtual void draw() = 0;

    // Half a block up or down, body and part boxes together; nothing unless canStep.
    void stepUp();
    void stepDown();
    // Looks along the horizontal unit direction d without moving.
    void faceDirection(const glm::vec3& d);
    // PLACEHOLDER: the box wireframe is drawn by the render work.
    void drawBoxes() { }

private:
    void translateAll(const glm::vec3& d);
};
