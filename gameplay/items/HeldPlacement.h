#pragma once

#include <glm/mat4x4.hpp>

// Where each item sits in the player's hand. M is the player's model matrix
// moved by the hand bob; offsets are along M's own (possibly scaled) columns.
// The more the player looks down, the higher and nearer small items come.

// Ball and fish: small, low on the left, tilted towards the eye.
glm::mat4 heldBallOrFish(const glm::mat4& M);
glm::mat4 heldDynamite(const glm::mat4& M);
glm::mat4 heldJetpack(const glm::mat4& M);
// The bottle; phase and timer are the potion's drinking phase and phase timer.
// While raised (phase 2) and drunk (phase 3) it tips towards the mouth.
glm::mat4 heldPotion(const glm::mat4& M, int phase, float timer);
