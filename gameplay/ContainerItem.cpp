#include "gameplay/ContainerItem.h"

// PLACEHOLDER item factory until the item classes land: containers hold no
// item object yet (they keep the type and count themselves). Replace with
// Dynamite, Fish, Jetpack, BallItem and Potion made with the held flag false.

void ItemDeleter::operator()(Item* item) const { (void)item; }

ItemPtr makeLyingItem(int type)
{
    (void)type;
    return nullptr;
}

void setItemMatrix(Item& item, const glm::mat4& matrix)
{
    (void)item;
    (void)matrix;
}

void setItemCount(Item& item, int count)
{
    (void)item;
    (void)count;
}

void drawItem(Item& item) { (void)item; }
