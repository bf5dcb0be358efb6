#include "gameplay/Hands.h"

Hands::Hands(bool held)
    : Item(held)
{
    name = "No Item";
    type = int(ItemType::Hands);
    cooldown = 0.3f;
    bobFactor = 1.0f;
}

Hands::~Hands() = default;

bool Hands::tryUse()
{
    if (timeSinceUse < cooldown)
        return false;
    timeSinceUse = 0.0f;
    return true;
}

// PLACEHOLDER: picking up and dropping cats lands with the Cat: drop the
// carried cat, or pick up the World's nearestCat within 2 units and name the
// hand after its size.
void Hands::use() { }

// PLACEHOLDER: with the Cat, a carried cat is also held in front of the eyes here.
void Hands::update(float dt)
{
    Item::update(dt);
}

void Hands::deselect()
{
    if (carriedCat)
        use();
}
