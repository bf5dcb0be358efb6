#pragma once

#include "base/Shapes.h"
#include "physics/MovingObject.h"
#include "render/Model.h"

#include <glm/vec3.hpp>
#include <memory>

class GameEffects;

// A small thrown body: it flies under its own gravity, tumbles about its spin
// axis, bounces off voxels losing half its speed and dies when its lifetime
// ends. The World keeps projectiles in a list of their own and steps them
// after the characters.
class Projectile : public MovingObject {
public:
    // What is drawn with the body's matrix (`model` is the matrix itself).
    std::unique_ptr<Model> renderModel;
    glm::vec3 launchVelocity { 0.0f };
    glm::vec3 spinAxis { 1.0f, 0.0f, 0.0f }; // unit
    float lifetime = 0.0f; // seconds; the body dies when its age reaches it
    float age = 0.0f;
    float currentSpeed = 0.0f; // |velocity|, refreshed at the end of every update
    int bounceCount = 0;
    // The game the body flies in, set by the world that takes it; null: none.
    GameEffects* services = nullptr;

    // A cube of boxSize centred on position, moving with velocity, gravity 1.
    Projectile(float boxSize, const glm::vec3& position, const glm::vec3& velocity);
    ~Projectile() override = default;

    void update(float dt) override { (void)dt; }
    // The bounce: the blocked component turns round, the whole velocity is
    // halved, the spin axis follows the new motion and a puff marks the spot.
    void onBlocked(int axis) override;
    virtual void draw(const FrameState& frame);
    // A character's box overlaps this one; p is its position.
    virtual void hitCharacter(const glm::vec3& p) { (void)p; }
    // The World deletes the body after the step in which it died.
    virtual void kill() { alive = false; }
    // The sphere of voxels the body blows away when it dies, or none (the ball, the
    // fish and the cork). A grenade asks the game for its blast (GameEffects::explode).
    virtual std::unique_ptr<Sphere> explosionShape() const;

    // A direction even over the unit sphere, from two draws of the game's rand.
    static glm::vec3 randomSpinAxis();

protected:
    // Gives the body its model and scales the matrix for the mesh.
    void setModel(int mesh, int texture, float scale);
    // Grenade, fish and cork: tumble, fall, age and die when the time is up.
    void commonFlight(float dt);
    // The lifetime has run out.
    virtual void expire() { kill(); }
    // The model's matrices follow the body and the camera.
    void refreshModel();
};
