#include "gameplay/ItemContainer.h"

#include "base/Log.h"
#include "base/Rand.h"
#include "base/Random.h"
#include "gameplay/GameServices.h"
#include "gameplay/ItemDefs.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

int ItemContainer::typeForDraw(float u)
{
    float sum = 0.0f;
    for (const ItemDef& def : itemDefs()) {
        if (!def.container.inContainers)
            continue;
        sum += def.container.weight;
        if (sum >= u)
            return int(def.type);
    }
    return int(ItemType::Dynamite);
}

float ItemContainer::yawFor(const glm::vec3& p)
{
    const float len = glm::length(p);
    Random random(
        Random::roundToWord((p.x - len + 77.0f) * 16.0f), Random::roundToWord((len + p.z + 28.0f) * 27.0f));
    random.next();
    random.next();
    return random.nextFloat() * 360.0f;
}

glm::mat4 ItemContainer::displayMatrix(const glm::mat4& m, int type)
{
    const ItemDef* def = findItemDef(type);
    if (!def)
        return m;
    const ItemDef::Display& display = def->container;
    const glm::mat4 raised = glm::translate(m, glm::vec3(0.0f, display.raise, 0.0f));
    return display.turn != 0.0f ? glm::rotate(raised, glm::radians(display.turn), display.axis) : raised;
}

ItemContainer::ItemContainer(const glm::vec3& p, int type)
    : Worldobject(p)
{
    yaw = yawFor(p);
    if (type == -1)
        type = typeForDraw(randUnit());
    const ItemDef* def = findItemDef(type);
    if (!def || !def->container.inContainers) {
        fatal(joinText("ITEM TYPE ", type, " NOT DEFINED"));
    }
    itemType = type;
    itemCount = def->container.count;
    modelMatrix = glm::rotate(glm::mat4(1.0f), glm::radians(yaw), glm::vec3(0.0f, 1.0f, 0.0f))
        * glm::scale(glm::mat4(1.0f), glm::vec3(0.2f));
    modelMatrix[3] = glm::vec4(p, 1.0f);
    // The container itself moves with the item it shows, so the player reaches
    // for (and is hinted at) the item, not the floor under it.
    modelMatrix = displayMatrix(modelMatrix, type);
    itemMatrix = modelMatrix;
    item = makeLyingItem(type);
    if (item) {
        setItemCount(*item, itemCount);
        setItemMatrix(*item, itemMatrix);
    }
}

ItemContainer::~ItemContainer() = default;

// One item per container, even when pressed twice before the chunk deletes it.
void ItemContainer::activate(GameServices& game)
{
    if (!active)
        return;
    logLine(joinText("activate item container item: ", itemType));
    game.giveItem(itemType, itemCount);
    active = false;
}

void ItemContainer::draw(const FrameState& frame)
{
    if (culled || !item)
        return;
    drawItem(*item, frame);
}
