#pragma once

#include "render/ShaderTable.h"

#include <GL/glew.h>
#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <vector>

struct FrameState;

// What the particle shader does with a particle.
enum ParticleKind : int {
    PARTICLE_RAIN = 0, // falls straight, dies at params.x (the ground height)
    PARTICLE_SPLASH = 1, // thrown up by a drop, falls back
    PARTICLE_SPARK = 2, // explosion spark, falls and fades
    PARTICLE_CAT_BURST = 3, // golden puff when a cat splits
    PARTICLE_EXHAUST = 4, // jetpack flame, shrinks as it cools
    PARTICLE_FIZZ = 5, // potion bubble, rises and wobbles
};

// One particle as the particle shader reads it (60 bytes). The shader moves
// it from its start along its velocity under params.y gravity and hides it
// outside [spawnTime, endTime).
struct Particle {
    glm::vec3 position { 0.0f }; // location 0: start position
    glm::vec3 velocity { 0.0f }; // location 1: units per second
    glm::vec4 color { 0.0f }; // location 2
    glm::vec2 params { 0.0f }; // location 3: x = floor height or size, y = gravity
    float kind = 0.0f; // location 4: kind, spawn time, end time
    float spawnTime = 0.0f;
    float endTime = 0.0f;
};
static_assert(sizeof(Particle) == 60, "the particle layout is shared with the particle shader");

// A run of ring slots to send to the GPU.
struct ParticleRange {
    int first = 0;
    int count = 0;
};

// A fixed ring of particles: every spawn overwrites the oldest slot, and only
// the slots written since the last upload are sent. The ring and its
// bookkeeping need no GL; createBuffer, the uploads and draw do.
class ParticleSystem {
public:
    static constexpr int CAPACITY = 100000;

    std::vector<Particle> particles; // the ring
    int writeIndex = 0;
    int uploadedIndex = 0;
    int pendingCount = 0; // written since the last upload, capped at CAPACITY
    bool dirty = false;
    float time = 0.0f;
    int shader = SHADER_PARTICLES;
    GLuint buffer = 0;

    // Every particle starts dead (spawn = end = now).
    ParticleSystem();
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Makes the GL buffer and uploads the whole ring. Needs GL.
    void createBuffer();
    // Advances time and sends what was written since the last step.
    void update(float dt);
    // The ranges written since the last upload (two when the ring wrapped);
    // marks them uploaded.
    std::vector<ParticleRange> takeUploadRanges();
    // Draws the live slots as points (the shader still hides the dead ones among them). Needs GL.
    void draw(const FrameState& frame);
    // The slots alive at the current time, in runs; runs closer than `joinGap` dead slots
    // are joined, so a draw goes out in a few calls.
    std::vector<ParticleRange> liveRanges(int joinGap = 256) const;

    // Height of the ground under (x, z), or -1 where nothing is loaded.
    using GroundHeight = std::function<float(float x, float z)>;
    void spawnRain(const glm::vec3& center, int count, const GroundHeight& groundHeight);
    void spawnSplash(const glm::vec3& position, const glm::vec3& direction, int count);
    void spawnExplosion(const glm::vec3& center, float radius, int count, float strength);
    // A golden puff around a cat that splits in two; size is the cat's size.
    void spawnCatBurst(const glm::vec3& center, int count, float size);
    // Flame and smoke below a flying jetpack, moving with `velocity` plus a downward blast.
    void spawnJetpackExhaust(const glm::vec3& position, const glm::vec3& velocity, int count);
    // Bubbles rising from a drunk potion around `center`.
    void spawnPotionFizz(const glm::vec3& center, int count, float size);

    // Writes one particle at writeIndex, overwriting the oldest.
    void emit(const Particle& particle);

private:
    void uploadRange(const ParticleRange& range) const;
};

// A random direction, even over the sphere (two draws: q, then the angle).
glm::vec3 randomUnitVector();
