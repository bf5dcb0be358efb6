#include "gameplay/CagelessCage.h"

#include "base/Log.h"
#include "gameplay/GameServices.h"

#include <glm/gtc/matrix_transform.hpp>

CagelessCage::CagelessCage(const glm::vec3& p)
    : Worldobject(p)
    , catPosition(p - glm::vec3(0.0f, 0.2f, 0.0f))
{
    modelMatrix = glm::scale(modelMatrix, glm::vec3(0.7f));
}

CagelessCage::~CagelessCage() = default;

void CagelessCage::setGolden(bool flag)
{
    golden = flag;
    if (cat)
        setCatGolden(*cat, flag);
}

// A cage holds one cat: once opened it is spent, even if a second press or a
// blast reaches it before the chunk deletes it.
void CagelessCage::activate(GameServices& game)
{
    if (!active)
        return;
    logLine("activate cage");
    active = false;
    game.addCat(position(), cat ? isCatGolden(*cat) : golden);
}

void CagelessCage::draw(const FrameState& frame)
{
    if (culled || !cat)
        return;
    drawCagedCat(*cat, frame);
}

void CagelessCage::makeCat()
{
    if (!cat)
        cat = makeCagedCat(catPosition, golden);
}

void CagelessCage::update(float dt, GameServices&)
{
    makeCat();
    updateCagedCat(*cat, dt);
}

void CagelessCage::onExplosion(const Geometric_Object& shape, GameServices& game)
{
    if (active && shape.intersects(box))
        activate(game);
}
