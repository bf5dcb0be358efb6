#include "gameplay/StaticDynamite.h"

#include "audio/SoundTable.h"
#include "gameplay/GameServices.h"
#include "render/MeshTable.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

StaticDynamite::StaticDynamite(const glm::vec3& p, const glm::vec3& chargeCenter, float chargeRadius)
    : Worldobject(p)
    , charge(chargeCenter, chargeRadius)
    , packBox(glm::vec3(-1.0f), glm::vec3(1.0f))
    , machine(std::make_unique<Model>(MESH_BLASTING_MACHINE, TEXTURE_BLASTING_MACHINE, SHADER_MODEL, false))
    , pack(std::make_unique<Model>(MESH_DYNAMITE_PACK, TEXTURE_DYNAMITE, SHADER_MODEL, false))
{
    box.max.y += 1.0f;
    packBox.moveCenterTo(chargeCenter);
    machine->addPart(MESH_BLASTING_MACHINE_HANDLE, TEXTURE_BLASTING_MACHINE);
    setMachineFacing(glm::vec3(1.0f, 0.0f, 0.0f));
    setPackOrientation(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

StaticDynamite::~StaticDynamite() = default;

void StaticDynamite::setMachineFacing(const glm::vec3& d)
{
    modelMatrix[0] = glm::vec4(glm::vec3(d.z, 0.0f, -d.x) * 0.3f, 0.0f);
    modelMatrix[1] = glm::vec4(0.0f, 0.3f, 0.0f, 0.0f);
    modelMatrix[2] = glm::vec4(d * 0.3f, 0.0f);
    machine->setModelMatrix(modelMatrix);
}

void StaticDynamite::setPackOrientation(const glm::vec3& a, const glm::vec3& b)
{
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(a * 0.2f, 0.0f);
    m[1] = glm::vec4(b * 0.2f, 0.0f);
    m[2] = glm::vec4(glm::cross(a, b) * 0.2f, 0.0f);
    m[3] = glm::vec4(charge.center, 1.0f);
    pack->setModelMatrix(m);
}

void StaticDynamite::activate(GameServices& game)
{
    handle = 1.0f;
    game.playSound(SOUND_METAL_IMPACT, position());
    if (exploded)
        return;
    // Set before the blast: its carve comes back to this machine and to other charges.
    exploded = true;
    game.explode({ charge.center, charge.radius, 1.0f });
}

void StaticDynamite::update(float dt, GameServices&)
{
    handle = std::clamp(handle - dt, 0.0f, 1.0f);
}

void StaticDynamite::onExplosion(const Geometric_Object& shape, GameServices& game)
{
    if (shape.intersects(box)) {
        activate(game);
        active = false;
    }
    if (shape.intersects(packBox))
        activate(game);
}

void StaticDynamite::draw(const FrameState& frame)
{
    if (culled)
        return;
    machine->setPartMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.3f * handle, 0.0f)), 1);
    machine->draw(frame);
    if (!exploded)
        pack->draw(frame);
}

bool StaticDynamite::cullTest(const Camera& frustum)
{
    culled = !isBoxVisible(box, frustum) && !isBoxVisible(packBox, frustum);
    return culled;
}
