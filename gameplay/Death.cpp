#include "gameplay/Death.h"

#include "audio/SoundSystem.h"
#include "base/Rand.h"
#include "gameplay/GameServices.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>

namespace {

constexpr float kNeverInterval = 9999999.0f;
constexpr float kScale = 0.24f;

// The horizontal unit direction from a to b; a zero vector when b is straight above or below a.
glm::vec3 horizontalDirection(const glm::vec3& a, const glm::vec3& b)
{
    const glm::vec3 d(b.x - a.x, 0.0f, b.z - a.z);
    const float length = glm::length(d);
    return length > 0.0f ? d / length : glm::vec3(0.0f);
}

} // namespace

float approachStep(int n)
{
    static const float steps[]
        = { 0.0f, 0.5f, 1.0f, 2.0f, 3.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f, 11.0f, 12.0f };
    if (n <= 0)
        return 0.0f;
    return steps[std::min(n, 12)];
}

float attackInterval(int n, float jitter)
{
    static const float bases[] = { 0.0f, 130.0f, 100.0f, 90.0f, 80.0f, 70.0f, 60.0f, 50.0f, 40.0f };
    if (n <= 0)
        return kNeverInterval;
    if (n <= 8)
        return jitter * 30.0f + bases[n];
    return jitter * 20.0f + 30.0f;
}

Death::Death(const glm::vec3& position)
    : Character(aabb(glm::vec3(0.0f), glm::vec3(0.9f, 1.7f, 0.9f)))
    , bodyModel(std::make_unique<Model>(MESH_DEATH_SCYTHE, TEXTURE_DEATH, SHADER_MODEL, false))
{
    placeAt(position);
    partBoxes.push_back(box);
    scaleModel(kScale, kScale, kScale);
    debugColour = glm::vec4(0.7f, 0.0f, 0.7f, 1.0f);
    showBoxes = true;
    canStep = false;
    for (int mesh : { MESH_DEATH_LEFT_ARM, MESH_DEATH_RIGHT_ARM, MESH_DEATH_HEAD, MESH_DEATH_BODY })
        bodyModel->addPart(mesh, TEXTURE_DEATH);
    vanish();
}

Death::~Death() = default;

float Death::attackInterval() const
{
    const int n = services ? services->catCount() : 0;
    if (intervalOverride > 0.0f && n > 0)
        return intervalOverride;
    return ::attackInterval(n, intervalJitter);
}

void Death::update(float dt)
{
    if (!services)
        return;
    GameServices& world = *services;
    if (world.deathTimer() > 0.0f)
        return; // frozen in front of the caught player
    if (world.potionTimer() > 0.0f)
        vanish();
    timeSinceAttack += dt;
    timeSinceTeleport += dt;
    if (attacking)
        timeAttacking += dt;
    else if (startAttack(world))
        return;

    face(world);
    const float visible = visibility(world);
    const float distance = glm::distance(position(), world.playerPosition());
    if (rage > 0.15f)
        aware = true;
    if (distance > 80.0f) {
        vanish();
        if (!aware)
            timeSinceAttack = attackInterval();
        // Gone for now: a teleport from under the world would leave an
        // unseen, undrawn body standing near the player.
        return;
    }
    // Before the player noticed it, Death gains nothing from coming closer than 30.
    growRage(!aware && distance < 30.0f ? 30.0f : distance, visible, dt);
    world.setThreat(rage);

    if (rage >= 1.0f) {
        vanish();
        world.startDeathSequence();
    } else if (visible <= 0.0f) {
        if (timeSinceTeleport > 2.0f)
            teleport();
        if (rage <= 0.0f && timeAttacking >= 100.0f) {
            vanish();
            if (!aware)
                timeSinceAttack = attackInterval();
        }
    } else if (!seen) {
        seen = true;
        if (distance < 10.0f)
            gSoundSystem.playRelative(SOUND_PIANO1);
    }
}

bool Death::startAttack(GameServices& world)
{
    const int cats = world.catCount();
    if (approachStep(cats) <= 0.0f || attackInterval() > timeSinceAttack) {
        world.setThreat(0.0f);
        return true;
    }
    // Appear somewhere on a sphere of radius 60 around the player, at his height.
    const float u = 2.0f * randUnit() - 1.0f;
    const float angle = 2.0f * float(M_PI) * randUnit();
    const float ring = std::sqrt(std::max(0.0f, 1.0f - u * u));
    const glm::vec3 point = 60.0f * glm::vec3(std::cos(angle) * ring, std::sin(angle) * ring, u);
    const glm::vec3 player = world.playerPosition();
    placeAt(glm::vec3(player.x + point.x, player.y, player.z + point.z));
    timeSinceAttack -= 3.0f;
    if (!teleport())
        return false; // no place: the next try comes 3 s later
    attacking = true;
    aware = false;
    return true;
}

void Death::face(CreatureView& world)
{
    const glm::vec3 direction = horizontalDirection(position(), world.playerPosition());
    faceDirection(direction);
    scaleModel(kScale, kScale, kScale);
    if (seen)
        velocity = direction * (1.0f / 60.0f);
}

float Death::visibility(CreatureView& world)
{
    const int samples = world.visibleSampleCount(*this);
    if (samples > 4)
        return 1.0f;
    return std::clamp(float(samples) / 15.0f, 0.0f, 1.0f);
}

void Death::growRage(float distance, float visible, float dt)
{
    const float k = std::clamp(60.0f - distance, 0.0f, 60.0f);
    const float closeness = std::clamp(std::pow(2.0f, std::pow(2.0f, k / 60.0f) - 1.0f) - 1.0f, 0.0f, 1.0f);
    float growth = closeness * visible * dt * 0.8f;
    if (distance < 20.0f)
        growth = std::max(growth, (1.0f - distance / 20.0f) * 0.002f);
    if (growth != 0.0f)
        rage += growth;
    else
        rage -= 0.2f * dt;
    rage = std::clamp(rage, 0.0f, 1.0f);
}

void Death::vanish()
{
    attacking = false;
    rage = 0.0f;
    timeSinceAttack = 0.0f;
    placeAt(glm::vec3(0.0f, -100.0f, 0.0f));
    if (services)
        services->setThreat(0.0f);
    velocity = glm::vec3(0.0f);
    timeAttacking = 0.0f;
}

bool Death::teleport()
{
    if (!services)
        return false;
    GameServices& world = *services;
    const glm::vec3 player = world.playerPosition();
    float step = approachStep(world.catCount());
    if (world.coverLevel() < 0.3f)
        step *= 0.25f; // indoors Death creeps
    const float distance = glm::distance(position(), player);
    step = std::min(step, distance);
    glm::vec3 aim = position() + horizontalDirection(position(), player) * step;
    aim.y = player.y;
    const float radius = std::min(distance, std::max(step * 0.5f, 4.0f));
    // Best in his view but hidden; else anywhere he cannot see.
    const bool found
        = world.spawnNear(*this, aim, 0.0f, radius, true) || world.spawnNear(*this, aim, 0.0f, radius, false);
    timeSinceTeleport = 0.0f;
    seen = false;
    velocity = glm::vec3(0.0f);
    return found;
}

void Death::onCatCount(int n)
{
    if (n == 1)
        timeSinceAttack = 0.0f;
    intervalJitter = randUnit();
}

void Death::draw(const FrameState& frame)
{
    const bool sequence = services && services->deathTimer() >= 0.0f;
    if (!attacking && !sequence)
        return;
    drawBoxes(frame);
    bodyModel->setModelMatrix(model);
    bodyModel->draw(frame);
}
