#include "gameplay/ContainerItem.h"

#include "gameplay/Item.h"
#include "render/Model.h"

void ItemDeleter::operator()(Item* item) const { delete item; }

ItemPtr makeLyingItem(int type)
{
    if (type < int(ItemType::Dynamite) || type > int(ItemType::Potion))
        return nullptr;
    return ItemPtr(makeItem(type, false).release());
}

void setItemMatrix(Item& item, const glm::mat4& matrix)
{
    if (item.model)
        item.model->setModelMatrix(matrix);
}

void setItemCount(Item& item, int count) { item.count = count; }

void drawItem(Item& item, const FrameState& frame) { item.draw(frame); }
