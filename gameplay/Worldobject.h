#pragma once

#include "physics/CollisionObject.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

class Camera;
struct FrameState;
class GameServices;

// The box's bounding sphere (centre, distance to the max corner) is not fully outside the frustum.
bool isBoxVisible(const aabb& box, const Camera& frustum);

// A static, interactive thing that a structure placed into a chunk: cages,
// containers, signs, bonfires, blasting machines. The chunk that owns it
// updates it every step and deletes it once it is no longer active.
class Worldobject : public CollisionObject {
public:
    glm::mat4 modelMatrix { 1.0f }; // last column holds the position
    bool active = true;             // false: used up or destroyed, deleted at the next chunk update
    bool culled = false;            // set by cullTest; a culled object is not drawn
    bool hint = true;               // show the interaction hint while the player is near

    Worldobject() = default;
    // Unit box centred on p, model matrix translated to p.
    explicit Worldobject(const glm::vec3& p);
    ~Worldobject() override = default;

    Worldobject(const Worldobject&) = delete;
    Worldobject& operator=(const Worldobject&) = delete;

    glm::vec3 position() const { return glm::vec3(modelMatrix[3]); }

    virtual void activate(GameServices& game) { (void)game; }
    virtual void draw(const FrameState& frame) { (void)frame; }
    virtual void update(float dt, GameServices& game)
    {
        (void)dt;
        (void)game;
    }
    // An explosion (or any carved shape) reached out: by default the object is destroyed when hit.
    virtual void onExplosion(const Geometric_Object& shape, GameServices& game);
    // Tests the box's bounding sphere against the camera's frustum; returns culled.
    virtual bool cullTest(const Camera& frustum);
};
