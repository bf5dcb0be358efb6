#include "gameplay/Hands.h"

#include "gameplay/GameServices.h"
#include "gameplay/Player.h"

Hands::Hands(bool held)
    : Item(ItemType::Hands, held)
{
}

Hands::~Hands() = default;

bool Hands::tryUse()
{
    if (timeSinceUse < cooldown)
        return false;
    timeSinceUse = 0.0f;
    return true;
}

void Hands::use()
{
    if (carriedCat) {
        carriedCat.drop();
        name = "No Item";
        return;
    }
    Cat* cat = game().nearestCat();
    if (cat)
        name = carriedCat.pickUp(*cat);
}

void Hands::update(float dt)
{
    Item::update(dt);
    if (carriedCat && owner)
        carriedCat.carry(owner->position(), owner->modelMatrix());
}

void Hands::deselect()
{
    if (carriedCat)
        use();
}
