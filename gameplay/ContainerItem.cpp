#include "gameplay/ContainerItem.h"

#include "gameplay/ItemDefs.h"
#include "render/Model.h"

void ItemDeleter::operator()(Item* item) const { delete item; }

ItemPtr makeLyingItem(int type)
{
    const ItemDef* def = findItemDef(type);
    if (!def || !def->container.inContainers)
        return nullptr;
    return ItemPtr(def->make(false).release());
}

void setItemMatrix(Item& item, const glm::mat4& matrix)
{
    if (item.model)
        item.model->setModelMatrix(matrix);
}

void setItemCount(Item& item, int count) { item.count = count; }

void drawItem(Item& item, const FrameState& frame) { item.draw(frame); }
