#pragma once

#include "render/ShaderTable.h"
#include "render/ShadowCamera.h"

#include <cstdint>
#include <functional>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class Camera;
class Flashlight;
class VertexArray;

// One vertex of the bolt (20 bytes): position, brightness, and how many
// segments lie between it and the top of the bolt.
struct BoltVertex {
    glm::vec3 position { 0.0f };
    float strength = 0.0f;
    float step = 0.0f;
};
static_assert(sizeof(BoltVertex) == 20, "the bolt vertex layout is shared with the lightning shader");

// A thunder clap to play: sound 16 on the thunder source, restarted if it
// still plays, at rest, placed in the world (not listener-relative).
struct ThunderCue {
    int soundId = 16;
    glm::vec3 position { 0.0f };
    float referenceDistance = 50.0f;
};

// What a strike needs from the rest of the game.
struct LightningScene {
    glm::vec3 playerPosition { 0.0f };
    glm::vec3 playerBack { 0.0f, 0.0f, 1.0f }; // third column of the player's model matrix
    float outdoorLevel = 1.0f; // gSoundSystem.coverLevel(): 1 in the open, low under cover
    Camera* playerCamera = nullptr;
    Flashlight* flashlight = nullptr;
    // Plays a clap (the game owns the thunder's sound source); none: silent.
    std::function<void(const ThunderCue&)> thunder;
};

// The weather's lightning: timed strikes, a branching bolt that lights the
// world for one second, and the thunder.
class Lightning {
public:
    float strikeTimer = 5.0f;
    float sinceStrike = 0.0f;
    bool flickerDone = true;
    glm::mat4 model { 1.0f }; // places the bolt
    ShadowCamera light;
    std::vector<BoltVertex> vertices;
    std::vector<uint32_t> indices; // pairs, drawn as lines
    std::unique_ptr<VertexArray> bolt;
    int shader = SHADER_LIGHTNING;

    ThunderCue lastThunder; // the last clap played
    int thunderClaps = 0;

    Lightning();
    ~Lightning();

    // One simulation step; strikes only while `lightningOn` (the weather).
    void update(float dt, bool lightningOn, const LightningScene& scene);
    void strike(const LightningScene& scene);
    // True during the second after a visible strike.
    bool isActive() const { return sinceStrike >= 0.0f && sinceStrike < 1.0f; }
    // Grows a new bolt from 100 units up, straight down with random bends and forks.
    void buildBolt();
    // Where the bolt stands in the world.
    glm::vec3 boltPosition() const { return glm::vec3(model[3]); }

    // Additive draw of the bolt; uploads a new bolt first. Needs GL.
    void draw(const glm::mat4& projView);

private:
    // Restarts the thunder on its source at the cue's place.
    void playThunder(const ThunderCue& cue, const LightningScene& scene);
    void grow(glm::vec3 p, glm::vec3 d, float length, int steps, float strength, int parent, int level,
        int cooldown, int index);
    void upload();
    bool boltChanged = false;
};
