#include "gameplay/items/Potion.h"

#include "audio/SoundSystem.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "gameplay/items/HeldPlacement.h"
#include "gameplay/projectiles/Cork.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ParticleSystem.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr int kCorkPart = 1;
constexpr float kCorkHeight = 3.0f; // up the bottle's local y

} // namespace

ParticleFizz potionFizz()
{
    ParticleFizz fizz;
    fizz.count = 150;
    fizz.radius = 1.5f;
    fizz.size = 1.5f;
    fizz.sideDrift = 0.2f;
    fizz.minRise = 0.8f;
    fizz.maxRise = 1.5f;
    fizz.color = glm::vec4(0.6f, 0.2f, 1.0f, 1.0f);
    fizz.colorShift = glm::vec4(0.3f, 0.0f, -0.3f, 0.0f);
    fizz.tintMin = 0.0f;
    fizz.tintMax = 1.0f;
    fizz.gravity = -0.5f;
    fizz.minLifetime = 0.8f;
    fizz.maxLifetime = 1.4f;
    return fizz;
}

Potion::Potion(bool held)
    : Item(ItemType::Potion, held)
{
    model->addPart(MESH_POTION_CORK, TEXTURE_POTION);
    model->setPartMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, kCorkHeight, 0.0f)), kCorkPart);
}

glm::mat4 Potion::corkMatrix() const
{
    return model->getModelMatrix() * model->partMatrices[kCorkPart];
}

bool Potion::tryUse()
{
    if (timeSinceUse < cooldown || count <= 0)
        return false;
    timeSinceUse = 0.0f;
    phase = CORK_POPPED;
    phaseTimer = 2.0f;
    popCork();
    return true;
}

void Potion::popCork()
{
    const glm::mat4 m = corkMatrix();
    const glm::vec3 at(m[3]);
    const glm::vec3 up(m[1]);
    game().addProjectile(std::make_unique<Cork>(MESH_POTION_CORK, TEXTURE_POTION, m, up, 1.4f, 30.0f));
    gSoundSystem.playAt(SOUND_POP_CORK, at, glm::vec3(0.0f));
    if (ParticleSystem* particles = game().particles()) {
        const float length = glm::length(up);
        const glm::vec3 below = length > 0.0f ? at - 0.1f * up / length : at;
        particles->spawnFizz(below, potionFizz());
    }
}

void Potion::update(float dt)
{
    timeSinceUse += dt;
    if (phase == CORK_POPPED) {
        phaseTimer -= dt;
        if (phaseTimer <= 0.0f) {
            phaseTimer = 0.0f;
            phase = RAISING;
        }
    } else if (phase == RAISING) {
        phaseTimer += dt;
        if (phaseTimer * 80.0f >= 80.0f) {
            phase = DRINKING;
            phaseTimer = 1.0f;
            gSoundSystem.playRelative(SOUND_DRINKING);
        }
    } else if (phase == DRINKING) {
        phaseTimer -= dt;
        if (phaseTimer <= 0.0f)
            finishDrinking();
        // The shaders' potion glow climbs to full as the drink ends.
        game().raisePotionGlow(1.0f - phaseTimer);
    }
}

void Potion::finishDrinking()
{
    phase = IDLE;
    phaseTimer = 0.0f;
    game().startPotion(PROTECTION);
    const glm::vec3 f(owner->model[2]);
    game().addProjectile(std::make_unique<Cork>(MESH_POTION_BOTTLE, TEXTURE_POTION, model->getModelMatrix(),
        glm::vec3(-f.x, 0.5f - f.y, -f.z), 0.2f, 120.0f));
    count -= 1;
}

void Potion::setMatrix(const glm::mat4& hand)
{
    model->setPartVisible(phase == IDLE, kCorkPart);
    model->setModelMatrix(heldPotion(hand, phase, phaseTimer));
}
