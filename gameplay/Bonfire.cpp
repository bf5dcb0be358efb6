#include "gameplay/Bonfire.h"

#include "gameplay/GameServices.h"
#include "render/MeshTable.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

Bonfire* gNearestBonfire = nullptr;
float gNearestBonfireDistance = NO_BONFIRE_DISTANCE;

void resetNearestBonfire()
{
    gNearestBonfire = nullptr;
    gNearestBonfireDistance = NO_BONFIRE_DISTANCE;
}

Bonfire::Bonfire(const glm::vec3& p)
    : Worldobject(p)
    , model(std::make_unique<Model>(MESH_BONFIRE, TEXTURE_LOGS, SHADER_MODEL, false))
{
    box.max.y += 3.0f;
    modelMatrix = glm::scale(modelMatrix, glm::vec3(0.7f));
    model->setModelMatrix(modelMatrix);
    hint = false;
}

// The chunk holding the nearest bonfire can be destroyed with the flames still
// on it. Left alone, the stale claim would keep its short distance and no other
// bonfire could ever take the flames (and a new bonfire at the same address
// would be taken for it).
Bonfire::~Bonfire()
{
    if (stepped && gNearestBonfire == this)
        resetNearestBonfire();
}

void Bonfire::draw(const FrameState& frame)
{
    if (culled)
        return;
    model->draw(frame);
}

void Bonfire::update(float, GameServices& game)
{
    stepped = true;
    if (!active)
        return;
    const float d = glm::distance(game.playerPosition(), position());
    if (gNearestBonfire == this) {
        gNearestBonfireDistance = d;
    } else if (d < gNearestBonfireDistance) {
        gNearestBonfire = this;
        gNearestBonfireDistance = d;
        game.moveFire(position() + glm::vec3(0.0f, 1.0f, 0.0f));
    }
}

void Bonfire::onExplosion(const Geometric_Object& shape, GameServices& game)
{
    if (!active || !shape.intersects(box))
        return;
    resetNearestBonfire();
    game.moveFire(FIRE_PARKING_POSITION);
    active = false;
}
