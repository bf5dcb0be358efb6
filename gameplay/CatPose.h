#pragma once

#include <array>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// What the cat's pose depends on in one step.
struct CatPoseInput {
    bool moving = false;
    bool inAir = false;
    float swing = 0.0f; // leg swing phase in radians
    float playerDistance = 0.0f;
    glm::vec3 towardsCat { 0.0f }; // from the player to the cat, in the cat's own frame
};

// The seven part matrices of a cat (head, body, tail, then the legs front
// left, front right, back left, back right) in its model frame, before the
// size scale: standing or seated, legs swinging, tail raised as the player
// comes near, head turned to him.
std::array<glm::mat4, 7> catPose(const CatPoseInput& input);
