#include "gameplay/CagelessCage.h"

#include "gameplay/WorldobjectEvents.h"

#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

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
void CagelessCage::activate()
{
    if (!active)
        return;
    std::cout << "activate cage" << std::endl;
    active = false;
    gWorldobjectEvents.freeCat(position(), cat ? isCatGolden(*cat) : golden);
}

void CagelessCage::draw()
{
    if (culled || !cat)
        return;
    drawCagedCat(*cat);
}

void CagelessCage::makeCat()
{
    if (!cat)
        cat = makeCagedCat(catPosition, golden);
}

void CagelessCage::update(float dt)
{
    makeCat();
    updateCagedCat(*cat, dt);
}

void CagelessCage::onExplosion(const Geometric_Object& shape)
{
    if (active && shape.intersects(box))
        activate();
}
