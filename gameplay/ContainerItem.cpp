#include "gameplay/ContainerItem.h"

#include "gameplay/Item.h"
#include "render/Model.h"

void ItemDeleter::operator()(Item* item) const
{
    delete item;
}

ItemPtr makeLyingItem(int type)
{
    if (type < 0 || type > 4)
        return nullptr;
    return ItemPtr(makeItem(type, false).release());
}

// A lying item sits where its container puts it: no placement in a hand.
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
