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
    PARTICLE_BURST = 3, // a puff thrown out from a point, sinking slowly as it fades
    PARTICLE_EXHAUST = 4, // jetpack flame, shrinks as it cools
    PARTICLE_FIZZ = 5, // a bubble that rises and wobbles
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

// A puff of points around a centre. Each takes a random direction u, starts at
// u * startRadius * scale from the centre and flies out along u at a speed
// drawn from [minSpeed, maxSpeed] times scale, plus drift. Its colour is
// color + colorShift * t, t drawn from [tintMin, tintMax]; scale is also the
// point size. Draws per point: u (two), the speed, t.
struct ParticleBurst {
    int count = 0;
    float scale = 1.0f;
    float startRadius = 0.0f;
    float minSpeed = 0.0f;
    float maxSpeed = 0.0f;
    glm::vec3 drift { 0.0f };
    glm::vec4 color { 1.0f };
    glm::vec4 colorShift { 0.0f };
    float tintMin = 0.0f;
    float tintMax = 0.0f;
    float gravity = 0.0f; // along -y
    float lifetime = 1.0f;
};

// Bubbles rising from a flat disc around a centre. Each takes a random
// direction u and starts at its (u.x, 0, u.z) * radius, rises at a speed drawn
// from [minRise, maxRise] while drifting sideways by sideDrift * (u.x, u.z),
// takes the colour color + colorShift * t (t drawn from [tintMin, tintMax]) and
// lives a time drawn from [minLifetime, maxLifetime]. Draws per bubble: u
// (two), the rise, t, the lifetime.
struct ParticleFizz {
    int count = 0;
    float radius = 0.0f;
    float size = 1.0f; // the point size
    float sideDrift = 0.0f;
    float minRise = 0.0f;
    float maxRise = 0.0f;
    glm::vec4 color { 1.0f };
    glm::vec4 colorShift { 0.0f };
    float tintMin = 0.0f;
    float tintMax = 1.0f;
    float gravity = 0.0f; // along -y; below 0 it lifts
    float minLifetime = 1.0f;
    float maxLifetime = 1.0f;
};

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
    void spawnBurst(const glm::vec3& center, const ParticleBurst& burst);
    // Flame and smoke below a flying jetpack, moving with `velocity` plus a downward blast.
    void spawnJetpackExhaust(const glm::vec3& position, const glm::vec3& velocity, int count);
    void spawnFizz(const glm::vec3& center, const ParticleFizz& fizz);

    // Writes one particle at writeIndex, overwriting the oldest.
    void emit(const Particle& particle);

private:
    void uploadRange(const ParticleRange& range) const;
};

// A random direction, even over the sphere (two draws: q, then the angle).
glm::vec3 randomUnitVector();
