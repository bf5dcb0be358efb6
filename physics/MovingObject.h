#pragma once

#include "physics/CollisionObject.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

// A body that the simulation moves each step: characters, projectiles and the
// floor slab. Its position is kept twice, as the translation column of the model
// matrix and as the centre of the box, and every operation here updates both.
class MovingObject : public CollisionObject {
public:
    glm::mat4 model { 1.0f }; // translation column (x, y, z, 1) is the position
    glm::vec3 velocity { 0.0f }; // displacement per step
    float speed = 0.0f; // what subclasses scale their velocity by
    float gravity = 10.0f;
    bool alive = true; // false: removed (the player: respawned) by the next collision pass
    float airTime = 0.0f; // seconds since the body last stood on something

    // Box from (-1, -1, -1) to (1, 1, 1).
    MovingObject();
    MovingObject(float speed, float gravity, float airTime);
    explicit MovingObject(const aabb& box);
    ~MovingObject() override = default;

    MovingObject(const MovingObject&) = delete;
    MovingObject& operator=(const MovingObject&) = delete;

    glm::vec3 position() const { return glm::vec3(model[3]); }

    virtual void update(float dt) = 0;
    // Moves by velocity x scale, only along axis (0 x, 1 y, 2 z) unless axis is -1.
    virtual void move(float scale, int axis);
    virtual void setPosition(const glm::vec3& p);
    // A move along the axis was undone because it ran into something.
    virtual void onBlocked(int axis) { (void)axis; }
    // Yaw about the world y axis, then pitch about the local x axis; a pitch that
    // would turn the body upside down is dropped.
    virtual void turn(float yawDegrees, float pitchDegrees);
    virtual glm::mat4 modelMatrix() const { return model; }
    virtual glm::mat4 viewMatrix() const;
    virtual glm::mat4 normalMatrix() const;

    void scaleModel(float sx, float sy, float sz);
    // Rotates about an axis given in world coordinates, whatever the body's orientation.
    void rotateAboutWorldAxis(const glm::vec3& axis, float degrees);

protected:
    // velocity x scale, cut down to the one axis unless axis is -1.
    glm::vec3 displacement(float scale, int axis) const;
};

// The world's characters: the player, the cats and Death.
using BodyList = std::vector<std::unique_ptr<MovingObject>>;
