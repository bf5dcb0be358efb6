#pragma once

// PLACEHOLDERS for the parts of the render pipeline still to come: the
// shadow-map and multisample framebuffers and the frame passes. They keep
// the names and calls the game uses and are replaced by the render work.

#include "render/Fire.h"

#include <glm/vec3.hpp>

struct Game;

// The shadow-map and multisample framebuffers, sized once from the settings.
void createFramebuffers(int screenWidth, int screenHeight);
void freeFramebuffers();
void lookUpWorldUniforms();

// One world frame: the shadow and scene passes into the multisample buffer,
// then the post-processing pass onto the bound default framebuffer.
void drawScene(Game& game);
void postProcess(Game& game);
