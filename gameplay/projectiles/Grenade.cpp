#include "gameplay/projectiles/Grenade.h"

#include "audio/SoundSystem.h"
#include "gameplay/GameServices.h"
#include "render/MeshTable.h"
#include "render/ParticleSystem.h"
#include "render/TextureTable.h"

Grenade::Grenade(const glm::vec3& position, const glm::vec3& v, float fuse)
    : Projectile(0.2f, position, v)
    , fuseSound(gSoundSystem.createSource())
{
    lifetime = fuse;
    setModel(MESH_DYNAMITE, TEXTURE_DYNAMITE, 0.2f);
    gSoundSystem.setPosition(fuseSound, position);
    gSoundSystem.setVelocity(fuseSound, v);
    gSoundSystem.setLooping(fuseSound, true);
    gSoundSystem.play(fuseSound, SOUND_FUSE);
}

glm::vec3 Grenade::fuseTip() const
{
    const float burnt = lifetime > 0.0f ? age / lifetime : 1.0f;
    return position() + (2.0f + 1.5f * (1.0f - burnt)) * glm::vec3(model[1]);
}

void Grenade::update(float dt)
{
    gSoundSystem.setPosition(fuseSound, position());
    gSoundSystem.setVelocity(fuseSound, velocity);
    if (ParticleSystem* particles = services ? services->particles() : nullptr)
        particles->spawnExplosion(fuseTip(), 0.01f, 5, 0.3f);
    commonFlight(dt);
}

void Grenade::expire()
{
    Projectile::expire();
    const std::unique_ptr<Sphere> blast = explosionShape();
    if (services && blast)
        services->explode({ blast->center, blast->radius, 1.0f });
}
