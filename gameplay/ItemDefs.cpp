// The item table, and the item of a type number made from it.
#include "gameplay/ItemDefs.h"

#include "gameplay/Hands.h"
#include "gameplay/items/HeldPlacement.h"
#include "gameplay/items/Jetpack.h"
#include "gameplay/items/Potion.h"
#include "gameplay/items/ThrownItems.h"
#include "render/MeshTable.h"
#include "render/TextureTable.h"

namespace {

template <class Kind> std::unique_ptr<Item> make(bool held)
{
    return std::make_unique<Kind>(held);
}

// A container's random draw adds up the weights in this order.
const ItemDef kItemDefs[] = {
    {
        .type = ItemType::Dynamite,
        .optionName = "dynamite",
        .name = "Dynamite",
        .mesh = MESH_DYNAMITE,
        .texture = TEXTURE_DYNAMITE,
        .cooldown = 1.0f,
        .held = heldDynamite,
        .container = { .inContainers = true, .weight = 0.4f, .raise = 0.5f, .turn = 90.0f, .axis = { 1, 0, 0 } },
        .make = make<Dynamite>,
    },
    {
        .type = ItemType::Fish,
        .optionName = "fish",
        .name = "Fish",
        .mesh = MESH_FISH,
        .texture = TEXTURE_FISH,
        .cooldown = 1.0f,
        .held = heldBallOrFish,
        .container = { .inContainers = true, .weight = 0.35f, .raise = 0.4f, .turn = 90.0f, .axis = { 0, 0, 1 } },
        .make = make<Fish>,
    },
    {
        .type = ItemType::Jetpack,
        .optionName = "jetpack",
        .name = "Jetpack",
        .mesh = MESH_JETPACK,
        .texture = TEXTURE_JETPACK,
        .cooldown = 0.0f,
        .bobFactor = 0.4f,
        .held = heldJetpack,
        // A found jetpack comes with 300 steps of fuel.
        .container = { .inContainers = true, .weight = 0.1f, .count = 300, .raise = 3.0f },
        .make = make<Jetpack>,
    },
    {
        .type = ItemType::BallItem,
        .optionName = "ball",
        .name = "Ball",
        .mesh = MESH_BALL,
        .texture = TEXTURE_WOOL,
        .cooldown = 1.0f,
        .held = heldBallOrFish,
        .container = { .inContainers = true, .weight = 0.05f, .raise = 1.0f },
        .make = make<BallItem>,
    },
    {
        .type = ItemType::Potion,
        .optionName = "potion",
        .name = "Potion",
        .mesh = MESH_POTION_BOTTLE,
        .texture = TEXTURE_POTION,
        .cooldown = 5.0f,
        // The bottle tips towards the mouth as it is drunk: it places itself.
        .container = { .inContainers = true, .weight = 0.1f, .raise = 0.15f },
        .make = make<Potion>,
    },
    {
        .type = ItemType::Hands,
        .optionName = "hands",
        .name = "No Item",
        .cooldown = 0.3f,
        .container = {}, // never in a container
        .make = make<Hands>,
    },
};

} // namespace

std::span<const ItemDef> itemDefs()
{
    return kItemDefs;
}

const ItemDef* findItemDef(int type)
{
    for (const ItemDef& def : kItemDefs) {
        if (int(def.type) == type)
            return &def;
    }
    return nullptr;
}

std::unique_ptr<Item> makeItem(int type, bool held)
{
    const ItemDef* def = findItemDef(type);
    return def ? def->make(held) : nullptr;
}
