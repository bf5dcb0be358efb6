#include "gameplay/Item.h"

#include "gameplay/GameServices.h"
#include "gameplay/Player.h"

#include "render/Model.h"

Item::Item(bool held)
    : held(held)
{
}

Item::~Item() = default;

void Item::draw(const FrameState& frame)
{
    if (model)
        model->draw(frame);
}

void Item::update(float dt)
{
    timeSinceUse += dt;
}

void Item::addCount(int n)
{
    count += n;
}

bool Item::tryUse()
{
    if (timeSinceUse < cooldown || count <= 0)
        return false;
    --count;
    timeSinceUse = 0.0f;
    return true;
}

void Item::use() { }

void Item::select() { }

void Item::deselect() { }

void Item::setMatrix(const glm::mat4& hand)
{
    if (model)
        model->setModelMatrix(hand);
}

GameServices& Item::game() const
{
    return owner && owner->services ? *owner->services : noGame();
}
