#pragma once

#include "audio/SoundSource.h"
#include "gameplay/projectiles/Projectile.h"

// A lit stick of dynamite. Its fuse hisses and sparks at the burning tip, and
// when it has burnt down the stick explodes where it lies, blowing its
// explosion shape out of the terrain.
class Grenade : public Projectile {
public:
    // fuse: seconds until the explosion.
    Grenade(const glm::vec3& position, const glm::vec3& velocity, float fuse);
    // The fuse sound stops with the stick.
    ~Grenade() override = default;

    void update(float dt) override;
    // Where the fuse burns now: it shortens towards the stick as the fuse runs down.
    glm::vec3 fuseTip() const;

protected:
    void expire() override;

private:
    SoundSource fuseSound;
};
