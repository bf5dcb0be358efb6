#include "gameplay/items/Jetpack.h"

#include "audio/SoundSystem.h"
#include "base/Rand.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ParticleSystem.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>

namespace {

// A horizontal unit vector along v, or zero when v is vertical.
glm::vec3 horizontal(const glm::vec4& v)
{
    const glm::vec3 h(v.x, 0.0f, v.z);
    const float length = glm::length(h);
    return length > 0.0f ? h / length : glm::vec3(0.0f);
}

} // namespace

Jetpack::Jetpack(bool held)
    : Item(ItemType::Jetpack, held)
{
    if (held) {
        model->addPart(MESH_JETPACK_HAND, TEXTURE_GLOVES);
        sound = gSoundSystem.createSource();
    }
}

Jetpack::~Jetpack() = default;

float Jetpack::boost(float vy)
{
    if (vy < 0.0f)
        return 0.1f;
    return std::max(0.0f, (0.4f - 2.0f * std::log(vy + 1.0f)) / 0.4f * 0.1f);
}

void Jetpack::use()
{
    owner->velocity.y += boost(owner->velocity.y);
    emitExhaust();
    if (sound.valid() && !gSoundSystem.isPlaying(sound)) {
        gSoundSystem.makeRelative(sound);
        gSoundSystem.play(sound, SOUND_JETPACK);
    }
    thrusting = true;
}

void Jetpack::emitExhaust()
{
    const glm::vec3 p = owner->position();
    const glm::vec3 right = horizontal(owner->model[0]) * 0.2f;
    const glm::vec3 back = horizontal(owner->model[2]) * 0.2f;
    const glm::vec3 down(0.0f, -1.0f, 0.0f);
    for (int i = 0; i < 10; ++i) {
        const float y = p.y + 0.3f + (randUnit() * 0.3f - 0.2f) - float(i) * 0.1f;
        const glm::vec3 left(p.x - right.x + back.x, y, p.z - right.z + back.z);
        const glm::vec3 rightNozzle(p.x + right.x + back.x, y, p.z + right.z + back.z);
        if (ParticleSystem* particles = game().particles()) {
            particles->spawnJetpackExhaust(left, down, 1);
            particles->spawnJetpackExhaust(rightNozzle, down, 1);
        }
    }
}

void Jetpack::update(float dt)
{
    (void)dt; // no cooldown to run down
    if (!thrusting)
        gSoundSystem.stop(sound);
    thrusting = false;
}

void Jetpack::deselect()
{
    gSoundSystem.stop(sound);
}
