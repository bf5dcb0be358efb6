#include "gameplay/Cat.h"

#include "audio/SoundSystem.h"
#include "base/Rand.h"
#include "gameplay/CatHold.h"
#include "gameplay/CatPose.h"
#include "gameplay/Death.h"
#include "gameplay/GameServices.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ParticleSystem.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>
#include <numeric>

namespace {

constexpr float kWalk = 0.02f;
constexpr float kChase = 0.04f;
constexpr float kRunBonus = 0.06f;
constexpr float kGrowth = 0.7f;
constexpr float kSplitSize = 4.0f;
const glm::vec3 kCatBox(0.5f, 0.4f, 0.5f);

float horizontalDistance(const glm::vec3& a, const glm::vec3& b)
{
    return glm::length(glm::vec3(a.x - b.x, 0.0f, a.z - b.z));
}

// The ambient sting the n-th cat brings, and its delay.
struct Sting {
    int sound;
    float delayBase;
};

std::optional<Sting> stingFor(int count)
{
    switch (count) {
    case 2:
    case 8:
        return Sting { SOUND_SUSPENSE, 10.0f };
    case 3:
        return Sting { SOUND_CREEPY_AMB, 20.0f };
    case 4:
        return Sting { SOUND_FRIGHTENING_PLACE, 10.0f };
    case 5:
    case 10:
        return Sting { SOUND_LOW, 10.0f };
    case 12:
        return Sting { SOUND_CREEPY_AMB, 10.0f };
    default:
        return std::nullopt;
    }
}

} // namespace

glm::vec3 randomPointWithin(float r)
{
    for (;;) {
        const float z = randUnit() * 2.0f * r - r;
        const float y = randUnit() * 2.0f * r - r;
        const float x = randUnit() * 2.0f * r - r;
        const glm::vec3 p(x, y, z);
        if (glm::length(p) <= r)
            return p;
    }
}

Cat::Cat(const glm::vec3& position, bool golden)
    : Character(aabb(glm::vec3(0.0f), kCatBox))
    , golden(golden)
    , lastSamplePosition(position, 1.0f)
    , bodyModel(std::make_unique<Model>(MESH_CAT_HEAD, TEXTURE_CAT, SHADER_MODEL, false))
{
    partMatrices.fill(glm::mat4(1.0f));
    progressRing.fill(999.0f);
    placeAt(position);
    partBoxes.push_back(box);
    debugColour = glm::vec4(0.0f, 0.0f, 1.0f, 1.0f);
    showBoxes = false;
    canStep = false;
    gravity = 5.0f;
    speed = kWalk * pace;
    // A cat that never walked (a caged one) is still drawn at its size.
    scaleModel(size * 0.24f, size * 0.24f, size * 0.24f);
    bodyModel->golden = golden;
    bodyModel->addPart(MESH_CAT_BODY, TEXTURE_CAT);
    bodyModel->addPart(MESH_CAT_TAIL, TEXTURE_CAT);
    for (int leg = 0; leg < 4; ++leg)
        bodyModel->addPart(MESH_CAT_LEG, TEXTURE_CAT);
}

Cat::~Cat()
{
    if (hold)
        hold->clear();
}

void Cat::update(float dt)
{
    if (!services)
        return;
    GameServices& world = *services;
    const glm::vec3 playerPosition = world.playerPosition();
    const float distance = glm::distance(position(), playerPosition);

    animationClock += dt;
    timeSinceJump += dt;
    replanTimer -= dt;
    timeSinceTeleportTry += dt;
    meowTimer -= dt;
    if (meowTimer <= 0.0f && distance < 20.0f) {
        meow();
        meowTimer = 8.0f + 8.0f * randUnit();
    }

    if (state == CAT_CAGED) {
        moving = false;
        pose(distance, playerPosition);
        return;
    }

    if (state != CAT_EAT)
        fishTarget = nullptr;
    if (FlyingFish* fish = world.lastUntakenFish())
        fishTarget = fish;

    bool stuck = false;
    if (state == CAT_EAT) {
        eatingTimer -= dt;
        if (eatingTimer < 0.0f)
            grow();
    } else if (fishTarget) {
        state = CAT_GO_TO_FISH;
    } else if (world.ballPosition()) {
        state = CAT_CHASE_BALL;
    } else if (state == CAT_CARRIED) {
        moving = true;
    } else {
        state = CAT_FOLLOW;
        stuck = takeProgressSample(dt);
    }

    if (state == CAT_FOLLOW)
        follow(world, distance);
    chooseTarget(stuck);

    float impulse = velocity.y;
    velocity.y = 0.0f;
    if (jumpRequest) {
        impulse = jumpImpulse;
        jumpRequest = false;
    }
    steer();
    velocity.y = impulse - gravity * dt * 0.1f;

    if (state == CAT_GO_TO_FISH && !moving && fishTarget)
        eatFish(world);
    pose(glm::distance(position(), world.playerPosition()), world.playerPosition());
}

// Every half second in the follow state: how far the cat got. Stuck means
// less than 1.5 units over the last five samples.
bool Cat::takeProgressSample(float dt)
{
    sampleTimer += dt;
    if (!(sampleTimer > 0.5f))
        return false;
    progressRing[size_t(sampleCount % 5)] = horizontalDistance(glm::vec3(lastSamplePosition), position());
    ++sampleCount;
    lastSamplePosition = model[3];
    sampleTimer = 0.0f;
    return std::accumulate(progressRing.begin(), progressRing.end(), 0.0f) < 1.5f;
}

// A cat left far behind out of the player's sight is brought near him; a cat
// more than 20 units away runs.
void Cat::follow(CreatureView& world, float distance)
{
    const float limit = world.coverLevel() > 0.3f ? 40.0f : 10.0f;
    if (distance > limit && timeSinceTeleportTry > 3.0f && world.visibleSampleCount(*this) <= 0) {
        if (world.spawnNear(*this, world.playerPosition(), 3.0f, 10.0f, false))
            replanTimer = -1.0f;
        timeSinceTeleportTry = 0.0f;
    }
    if (!running && distance > 20.0f) {
        running = true;
        speed += kRunBonus;
    } else if (running && distance <= 20.0f) {
        running = false;
        speed -= kRunBonus;
    }
}

void Cat::chooseTarget(bool stuck)
{
    if (!services)
        return;
    GameServices& world = *services;
    if (stuck) {
        // Sidestep at right angles to the line towards the player.
        const glm::vec3 offset = world.playerPosition() - position();
        const float side = randUnit() < 0.5f ? -1.0f : 1.0f;
        target = position() + 20.0f * side * glm::vec3(-offset.z, 0.0f, offset.x);
        moving = true;
        speed = kWalk * pace;
        // A running cat keeps its bonus: it is taken off again when it stops
        // running, and must not leave it walking backwards.
        if (running)
            speed += kRunBonus;
        return;
    }
    if (replanTimer > 0.0f)
        return;
    if (state == CAT_FOLLOW) {
        target = world.playerPosition() + randomPointWithin(5.0f);
        speed = kWalk * pace;
        moving = true;
    } else if (state == CAT_CHASE_BALL) {
        if (const std::optional<glm::vec3> ball = world.ballPosition())
            target = *ball + randomPointWithin(2.0f);
        speed = kChase * pace;
        moving = true;
    } else if (state == CAT_GO_TO_FISH && fishTarget) {
        target = world.fishPosition(*fishTarget);
        speed = kChase * pace;
        moving = true;
    }
    if (running)
        speed += kRunBonus;
    replanTimer = 3.0f + 2.0f * randUnit();
}

void Cat::steer()
{
    glm::vec3 toTarget = target - position();
    toTarget.y = 0.0f;
    if (glm::length(toTarget) < 1.0f) {
        progressRing.fill(999.0f);
        toTarget = glm::vec3(0.0f);
        moving = false;
        if (state == CAT_CHASE_BALL)
            replanTimer = -1.0f;
    }
    if (toTarget == glm::vec3(0.0f)) {
        // Arrived: the cat stands where it is.
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        return;
    }
    const glm::vec3 direction = glm::normalize(toTarget);
    faceDirection(direction);
    scaleModel(size * 0.24f, size * 0.24f, size * 0.24f);
    velocity.x = direction.x * speed;
    velocity.z = direction.z * speed;
}

void Cat::eatFish(CreatureView& world)
{
    const glm::vec3 below = position() - glm::vec3(0.0f, (box.max.y - box.min.y) * 0.5f, 0.0f);
    if (!world.takeFish(*fishTarget, below))
        return;
    eatingTimer = 4.0f;
    state = CAT_EAT;
    meow();
}

void Cat::grow()
{
    state = CAT_FOLLOW;
    replanTimer = -1.0f;
    const float factor = (size + kGrowth) / size;
    size += kGrowth;
    box.scaleAboutCenter(glm::vec3(factor));
    const float height = box.max.y - box.min.y;
    box.translate(glm::vec3(0.0f, height * 0.5f, 0.0f));
    model[3].y += height * 0.5f;
    partBoxes.assign(1, box);
    chooseTarget(false);
    if (size >= kSplitSize)
        split();
    else
        meow();
}

void Cat::resetBox()
{
    box = aabb(glm::vec3(0.0f), kCatBox);
    box.moveCenterTo(position());
    partBoxes.assign(1, box);
}

void Cat::split()
{
    size = 1.0f;
    resetBox();
    const glm::vec3 here = position();
    const glm::vec3 above = here + glm::vec3(0.0f, 1.0f, 0.0f);
    if (services) {
        services->addCat(above, golden);
        services->catBurst(here, 700, size);
        services->catBurst(above, 700, size);
    }
}

void Cat::onFound()
{
    state = CAT_FOLLOW;
    moving = true;
    if (!services)
        return;
    GameServices& world = *services;
    const int count = world.countFoundCat();
    SoundSource& voice = ownSource();
    gSoundSystem.stop(voice);
    gSoundSystem.setPosition(voice, position());
    gSoundSystem.setVelocity(voice, velocity);
    gSoundSystem.play(voice, SOUND_SUCCESS);
    if (Death* death = world.death())
        death->onCatCount(count);
    if (const std::optional<Sting> sting = stingFor(count)) {
        SoundSource ambient = gSoundSystem.createSource();
        gSoundSystem.makeRelative(ambient);
        gSoundSystem.playDelayed(std::move(ambient), sting->sound, sting->delayBase + 10.0f * randUnit());
    }
}

SoundSource& Cat::ownSource()
{
    if (!source.valid())
        source = gSoundSystem.createSource();
    return source;
}

void Cat::meow()
{
    if (state == CAT_CAGED) {
        gSoundSystem.playAt(SOUND_MEOW, position(), velocity);
        return;
    }
    SoundSource& voice = ownSource();
    gSoundSystem.stop(voice);
    gSoundSystem.setPosition(voice, position());
    gSoundSystem.setVelocity(voice, velocity);
    gSoundSystem.play(voice, SOUND_MEOW);
}

void Cat::onBlocked(int axis)
{
    if (axis != 1 && airTime == 0.0f && timeSinceJump > 0.8f) {
        timeSinceJump = 0.0f;
        jumpRequest = true;
    }
}

void Cat::pose(float playerDistance, const glm::vec3& playerPosition)
{
    const glm::mat3 orientation(model);
    if (glm::determinant(orientation) != 0.0f)
        inverseOrientation = glm::inverse(orientation);
    CatPoseInput input;
    input.moving = moving;
    input.inAir = airTime > 0.0f;
    input.swing = animationClock * 600.0f * speed;
    input.playerDistance = playerDistance;
    input.towardsCat = inverseOrientation * (position() - playerPosition);
    partMatrices = catPose(input);
    for (int part = 0; part < kPartCount; ++part)
        bodyModel->setPartMatrix(partMatrices[size_t(part)], part);
}

void Cat::draw(const FrameState& frame)
{
    drawBoxes(frame);
    bodyModel->setModelMatrix(model);
    bodyModel->draw(frame);
}

ParticleBurst catBurstParticles(int count, float size)
{
    ParticleBurst burst;
    burst.count = count;
    burst.scale = size;
    burst.startRadius = 0.3f;
    burst.minSpeed = 1.0f;
    burst.maxSpeed = 2.0f;
    burst.drift = glm::vec3(0.0f, 1.0f, 0.0f);
    burst.color = glm::vec4(1.0f, 0.0f, 0.2f, 1.0f);
    burst.colorShift = glm::vec4(0.0f, 1.0f, 0.0f, 0.0f); // green from the tint: yellow to orange
    burst.tintMin = 0.7f;
    burst.tintMax = 0.9f;
    burst.gravity = 0.5f * 9.81f;
    burst.lifetime = 0.8f;
    return burst;
}
