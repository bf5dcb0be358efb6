#pragma once

// PLACEHOLDERS for the parts of the render pipeline still to come: the fire,
// the shadow-map and multisample framebuffers and the frame passes. They keep
// the names and calls the game uses and are replaced by the render work.

#include <glm/vec3.hpp>

struct Game;

class Fire {
public:
    Fire(const glm::vec3& position, float scale)
        : position(position)
        , scale(scale)
    {
    }
    glm::vec3 position;
    float scale;
    void update(float) { }
    void setPosition(const glm::vec3& p) { position = p; }
};

// The shadow-map and multisample framebuffers, sized once from the settings.
void createFramebuffers(int screenWidth, int screenHeight);
void freeFramebuffers();
void lookUpWorldUniforms();

// One world frame: the shadow and scene passes into the multisample buffer,
// then the post-processing pass onto the bound default framebuffer.
void drawScene(Game& game);
void postProcess(Game& game);
