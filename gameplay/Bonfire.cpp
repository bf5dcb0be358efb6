#include "gameplay/Bonfire.h"

#include "gameplay/WorldobjectEvents.h"
#include "render/ShaderTable.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

Bonfire* gNearestBonfire = nullptr;
float gNearestBonfireDistance = NO_BONFIRE_DISTANCE;

namespace {
constexpr int BONFIRE_MESH = 15;
constexpr int BONFIRE_TEXTURE = 12;
}

void resetNearestBonfire()
{
    gNearestBonfire = nullptr;
    gNearestBonfireDistance = NO_BONFIRE_DISTANCE;
}

Bonfire::Bonfire(const glm::vec3& p)
    : Worldobject(p)
    , model(std::make_unique<Model>(BONFIRE_MESH, BONFIRE_TEXTURE, SHADER_MODEL, false))
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

void Bonfire::draw()
{
    if (culled)
        return;
    model->draw();
}

void Bonfire::update(float)
{
    stepped = true;
    if (!active)
        return;
    const float d = glm::distance(gWorldobjectEvents.player(), position());
    if (gNearestBonfire == this) {
        gNearestBonfireDistance = d;
    } else if (d < gNearestBonfireDistance) {
        gNearestBonfire = this;
        gNearestBonfireDistance = d;
        gWorldobjectEvents.fireTo(position() + glm::vec3(0.0f, 1.0f, 0.0f));
    }
}

void Bonfire::onExplosion(const Geometric_Object& shape)
{
    if (!active || !shape.intersects(box))
        return;
    resetNearestBonfire();
    gWorldobjectEvents.fireTo(FIRE_PARKING_POSITION);
    active = false;
}
