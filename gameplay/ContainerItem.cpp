#include "gameplay/ContainerItem.h"

#include "gameplay/Item.h"
#include "render/Model.h"

void ItemDeleter::operator()(Item* item) const
{
    delete item;
}

ItemPtr makeLyingItem(int type)
{
    if (type < 0 || type > int(ItemType::Potion))
        return nullptr;
    return ItemPtr(makeItem(type, false).release());
}

// The container shows the item where it lies, not in a hand.
void setItemMatrix(Item& item, const glm::mat4& matrix)
{
    if (item.model)
        item.model->setModelMatrix(matrix);
}

void setItemCount(Item& item, int count)
{
    item.count = count;
}

void drawItem(Item& item)
{
    item.draw();
}
