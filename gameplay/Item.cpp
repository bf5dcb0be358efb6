#include "gameplay/Item.h"

#include "gameplay/GameServices.h"
#include "gameplay/ItemDefs.h"
#include "gameplay/Player.h"

#include "render/Model.h"
#include "render/ShaderTable.h"

Item::Item(bool held)
    : held(held)
{
}

Item::Item(ItemType kind, bool held)
    : Item(held)
{
    type = int(kind);
    const ItemDef* def = findItemDef(type);
    if (!def)
        return;
    name = def->name;
    cooldown = def->cooldown;
    bobFactor = def->bobFactor;
    if (def->mesh >= 0)
        model = std::make_unique<Model>(def->mesh, def->texture, SHADER_MODEL, held);
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
    if (!model)
        return;
    const ItemDef* def = findItemDef(type);
    model->setModelMatrix(def && def->held ? def->held(hand) : hand);
}

GameEffects& Item::game() const
{
    return owner && owner->services ? *owner->services : noGame();
}
