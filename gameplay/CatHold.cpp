#include "gameplay/CatHold.h"

#include "gameplay/Cat.h"

#include <utility>

std::string carriedCatName(float size)
{
    if (size > 4.0f)
        return "Gigantic Cat";
    if (size > 3.5f)
        return "Huge Cat";
    if (size > 3.0f)
        return "Fat Cat";
    if (size > 2.0f)
        return "Cat";
    if (size > 1.5f)
        return "Small Cat";
    return "Tiny Cat";
}

std::string CatHold::pickUp(Cat& cat)
{
    drop();
    held = &cat;
    cat.hold = this;
    cat.state = CAT_CARRIED;
    // Inside out, the strict overlap test never reports the box.
    cat.box.scaleAboutCenter(glm::vec3(-2.0f));
    cat.meow();
    cat.gravity = 0.0f;
    return carriedCatName(cat.size);
}

void CatHold::drop()
{
    if (!held)
        return;
    Cat& cat = *held;
    clear();
    cat.gravity = 5.0f;
    // A cat that split in the hand already has a fresh box of its own.
    if (cat.box.min.x > cat.box.max.x) {
        std::swap(cat.box.min, cat.box.max);
        cat.box.scaleAboutCenter(glm::vec3(0.5f));
    }
    cat.state = CAT_FOLLOW;
}

void CatHold::carry(const glm::vec3& playerPosition, const glm::mat4& playerModel)
{
    if (!held)
        return;
    const float reach = held->size * 0.5f + 1.0f;
    held->placeAt(playerPosition + glm::vec3(0.0f, 0.6f, 0.0f) - reach * glm::vec3(playerModel[2]));
}

void CatHold::clear()
{
    if (held)
        held->hold = nullptr;
    held = nullptr;
}
