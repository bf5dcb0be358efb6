// The items addItem and the item containers make from an ItemType number.
#include "gameplay/Hands.h"
#include "gameplay/Item.h"
#include "gameplay/items/Jetpack.h"
#include "gameplay/items/Potion.h"
#include "gameplay/items/ThrownItems.h"

std::unique_ptr<Item> makeItem(int type, bool held)
{
    switch (type) {
    case int(ItemType::Dynamite):
        return std::make_unique<Dynamite>(held);
    case int(ItemType::Fish):
        return std::make_unique<Fish>(held);
    case int(ItemType::Jetpack):
        return std::make_unique<Jetpack>(held);
    case int(ItemType::BallItem):
        return std::make_unique<BallItem>(held);
    case int(ItemType::Potion):
        return std::make_unique<Potion>(held);
    case int(ItemType::Hands):
        return std::make_unique<Hands>(held);
    default:
        return nullptr;
    }
}
