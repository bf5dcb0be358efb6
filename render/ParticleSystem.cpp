#include "render/ParticleSystem.h"

#include "render/FrameState.h"
#include "render/RandomUnit.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <glm/gtc/constants.hpp>

namespace {

constexpr float GRAVITY = 9.81f;
constexpr float NO_FLOOR = -1000.0f;

Particle makeParticle(ParticleKind kind, const glm::vec3& position, const glm::vec3& velocity,
    const glm::vec4& color, const glm::vec2& params, float now, float lifetime)
{
    Particle p;
    p.position = position;
    p.velocity = velocity;
    p.color = color;
    p.params = params;
    p.kind = float(kind);
    p.spawnTime = now;
    p.endTime = now + lifetime;
    return p;
}

} // namespace

glm::vec3 randomUnitVector()
{
    const float q = randomUniform(-1.0f, 1.0f);
    const float phi = randomUniform(0.0f, 2.0f * glm::pi<float>());
    const float r = std::sqrt(std::max(0.0f, 1.0f - q * q));
    return glm::vec3(std::cos(phi) * r, std::sin(phi) * r, q);
}

ParticleSystem::ParticleSystem()
    : particles(CAPACITY)
{
    for (Particle& p : particles)
        p.spawnTime = p.endTime = time;
}

ParticleSystem::~ParticleSystem()
{
    if (buffer != 0)
        glDeleteBuffers(1, &buffer);
}

void ParticleSystem::createBuffer()
{
    if (buffer == 0)
        glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(CAPACITY * sizeof(Particle)), particles.data(), GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glEnable(GL_PROGRAM_POINT_SIZE);
    uploadedIndex = writeIndex;
    pendingCount = 0;
    dirty = false;
}

void ParticleSystem::emit(const Particle& particle)
{
    particles[size_t(writeIndex)] = particle;
    writeIndex = (writeIndex + 1) % CAPACITY;
    pendingCount = std::min(pendingCount + 1, CAPACITY);
    dirty = true;
}

std::vector<ParticleRange> ParticleSystem::takeUploadRanges()
{
    std::vector<ParticleRange> ranges;
    if (pendingCount >= CAPACITY) {
        // More was written than the ring holds: every slot changed.
        ranges.push_back({ 0, CAPACITY });
    } else if (pendingCount > 0) {
        const int end = uploadedIndex + pendingCount;
        ranges.push_back({ uploadedIndex, std::min(end, CAPACITY) - uploadedIndex });
        if (end > CAPACITY)
            ranges.push_back({ 0, end - CAPACITY });
    }
    uploadedIndex = writeIndex;
    pendingCount = 0;
    dirty = false;
    return ranges;
}

void ParticleSystem::update(float dt)
{
    time += dt;
    if (!dirty || buffer == 0)
        return;
    for (const ParticleRange& range : takeUploadRanges())
        uploadRange(range);
}

void ParticleSystem::uploadRange(const ParticleRange& range) const
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(size_t(range.first) * sizeof(Particle)),
        GLsizeiptr(size_t(range.count) * sizeof(Particle)), &particles[size_t(range.first)]);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

std::vector<ParticleRange> ParticleSystem::liveRanges(int joinGap) const
{
    std::vector<ParticleRange> ranges;
    int lastLive = -1;
    for (int i = 0; i < CAPACITY; ++i) {
        const Particle& p = particles[size_t(i)];
        if (!(p.spawnTime <= time && time < p.endTime))
            continue;
        if (lastLive >= 0 && i - lastLive <= joinGap)
            ranges.back().count = i - ranges.back().first + 1;
        else
            ranges.push_back({ i, 1 });
        lastLive = i;
    }
    return ranges;
}

void ParticleSystem::draw(const FrameState& frame)
{
    if (buffer == 0)
        return;
    glPointSize(5.0f);
    const Shader* s = getShader(shader);
    s->bind();
    s->setMat4("projMatrix", frame.projMatrix);
    s->setMat4("viewMatrix", frame.viewMatrix);
    s->setMat4("viewProjMatrix", frame.projViewMatrix);
    s->setFloat("time", time);
    s->setMat4("depthBiasMV", frame.lightDepthBias);
    s->setFloat("flashLightIntensity", frame.flashLightIntensity);
    s->setVec2("screenRes", glm::vec2(float(frame.screenWidth), float(frame.screenHeight)));
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    struct Slot {
        GLuint location;
        GLint components;
        uintptr_t offset;
    };
    static const Slot slots[] = { { 0, 3, 0 }, { 1, 3, 12 }, { 2, 4, 24 }, { 3, 2, 40 }, { 4, 3, 48 } };
    for (const Slot& slot : slots) {
        glEnableVertexAttribArray(slot.location);
        glVertexAttribPointer(slot.location, slot.components, GL_FLOAT, GL_FALSE, sizeof(Particle),
            reinterpret_cast<const void*>(slot.offset));
    }
    // Every point drawn is a primitive to transform, live or not: only the live ones go out.
    const std::vector<ParticleRange> live = liveRanges();
    std::vector<GLint> firsts;
    std::vector<GLsizei> counts;
    for (const ParticleRange& r : live) {
        firsts.push_back(r.first);
        counts.push_back(r.count);
    }
    if (!live.empty())
        glMultiDrawArrays(GL_POINTS, firsts.data(), counts.data(), GLsizei(live.size()));
    for (const Slot& slot : slots)
        glDisableVertexAttribArray(slot.location);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    s->unbind();
}

void ParticleSystem::spawnRain(const glm::vec3& center, int count, const GroundHeight& groundHeight)
{
    for (int i = 0; i < count; ++i) {
        const float q = randomUniform(-1.0f, 1.0f);
        const float phi = randomUniform(0.0f, 2.0f * glm::pi<float>());
        const float x = center.x + std::cos(phi) * std::sqrt(std::max(0.0f, 1.0f - q * q)) * 30.0f;
        const float z = center.z + q * 30.0f;
        const float h = groundHeight ? groundHeight(x, z) : -1.0f;
        if (!(h > 1.0f && h < 64.0f))
            continue;
        const float r = randomUniform(0.3f, 0.5f);
        const float g = randomUniform(0.3f, 0.5f);
        const float b = randomUniform(0.8f, 1.0f);
        emit(makeParticle(PARTICLE_RAIN, glm::vec3(x, center.y + 20.0f, z), glm::vec3(0.0f, -20.0f, 0.0f),
            glm::vec4(r, g, b, 1.0f), glm::vec2(h, 0.0f), time, 3.0f));
    }
}

void ParticleSystem::spawnSplash(const glm::vec3& position, const glm::vec3& direction, int count)
{
    const float r = randomUniform(0.3f, 0.5f) * 0.6f;
    const float g = randomUniform(0.3f, 0.5f) * 0.6f;
    const float b = randomUniform(0.8f, 1.0f) * 0.6f;
    for (int i = 0; i < count; ++i) {
        emit(makeParticle(PARTICLE_SPLASH, position, randomUnitVector() + direction, glm::vec4(r, g, b, 1.0f),
            glm::vec2(NO_FLOOR, GRAVITY), time, 1.0f));
    }
}

void ParticleSystem::spawnExplosion(const glm::vec3& center, float radius, int count, float strength)
{
    for (int i = 0; i < count; ++i) {
        const glm::vec3 u = randomUnitVector();
        const glm::vec3 start = center + u * radius * randomUniform(0.2f, 1.0f);
        const glm::vec3 velocity = u * randomUniform(2.5f, 3.2f) * strength;
        const float green = randomUniform(0.0f, 1.0f);
        emit(makeParticle(PARTICLE_SPARK, start, velocity, glm::vec4(1.0f, green, 0.0f, 1.0f),
            glm::vec2(NO_FLOOR, GRAVITY), time, 1.0f));
    }
}

void ParticleSystem::spawnBurst(const glm::vec3& center, const ParticleBurst& burst)
{
    for (int i = 0; i < burst.count; ++i) {
        const glm::vec3 u = randomUnitVector();
        const glm::vec3 velocity = u * randomUniform(burst.minSpeed, burst.maxSpeed) * burst.scale + burst.drift;
        const float tint = randomUniform(burst.tintMin, burst.tintMax);
        emit(makeParticle(PARTICLE_BURST, center + u * burst.startRadius * burst.scale, velocity,
            burst.color + burst.colorShift * tint, glm::vec2(burst.scale, burst.gravity), time, burst.lifetime));
    }
}

void ParticleSystem::spawnJetpackExhaust(const glm::vec3& position, const glm::vec3& velocity, int count)
{
    for (int i = 0; i < count; ++i) {
        const glm::vec3 jitter = randomUnitVector() * 0.4f;
        const glm::vec3 blast = velocity + glm::vec3(0.0f, -4.0f, 0.0f) + jitter;
        const float heat = randomUniform(0.4f, 0.9f);
        emit(makeParticle(PARTICLE_EXHAUST, position + jitter * 0.1f, blast,
            glm::vec4(1.0f, heat, 0.1f, 1.0f), glm::vec2(1.0f, 0.0f), time, randomUniform(0.3f, 0.5f)));
    }
}

void ParticleSystem::spawnFizz(const glm::vec3& center, const ParticleFizz& fizz)
{
    for (int i = 0; i < fizz.count; ++i) {
        const glm::vec3 u = randomUnitVector();
        const glm::vec3 start = center + glm::vec3(u.x, 0.0f, u.z) * fizz.radius;
        const glm::vec3 rise(fizz.sideDrift * u.x, randomUniform(fizz.minRise, fizz.maxRise), fizz.sideDrift * u.z);
        const float tint = randomUniform(fizz.tintMin, fizz.tintMax);
        emit(makeParticle(PARTICLE_FIZZ, start, rise, fizz.color + fizz.colorShift * tint,
            glm::vec2(fizz.size, fizz.gravity), time, randomUniform(fizz.minLifetime, fizz.maxLifetime)));
    }
}
