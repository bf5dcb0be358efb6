// The items addItem and the item containers make from an ItemType number.
#include "gameplay/Hands.h"
#include "gameplay/Item.h"

namespace {

// PLACEHOLDER for Dynamite, Fish, Jetpack, BallItem and Potion until their
// classes exist: an item with their name, cooldown and bob factor that does
// nothing when used and has no model.
std::unique_ptr<Item> placeholderItem(int type, bool held)
{
    struct Kind {
        const char* name;
        float cooldown;
        float bobFactor;
    };
    static const Kind kinds[] = {
        { "Dynamite", 1.0f, 1.0f },
        { "Fish", 1.0f, 1.0f },
        { "Jetpack", 0.0f, 0.4f },
        { "Ball", 1.0f, 1.0f },
        { "Potion", 5.0f, 1.0f },
    };
    auto item = std::make_unique<Item>(held);
    const Kind& kind = kinds[type];
    item->name = kind.name;
    item->type = type;
    item->cooldown = kind.cooldown;
    item->bobFactor = kind.bobFactor;
    return item;
}

}

std::unique_ptr<Item> makeItem(int type, bool held)
{
    switch (type) {
    case int(ItemType::Dynamite):
    case int(ItemType::Fish):
    case int(ItemType::Jetpack):
    case int(ItemType::BallItem):
    case int(ItemType::Potion):
        return placeholderItem(type, held);
    case int(ItemType::Hands):
        return std::make_unique<Hands>(held);
    default:
        return nullptr;
    }
}
