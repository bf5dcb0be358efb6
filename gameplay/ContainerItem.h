#pragma once

#include <glm/mat4x4.hpp>
#include <memory>

struct FrameState;
class Item;

// The item lying in an item container, seen only through these operations
// (the container needs its model for display, its type and its count).
struct ItemDeleter {
    void operator()(Item* item) const;
};
using ItemPtr = std::unique_ptr<Item, ItemDeleter>;

// Item factory for containers: the item of a type whose row lets it lie in a
// container, its model flagged as lying in the world, count 1. Returns null for
// other types (and for Hands, which never lie in a container).
ItemPtr makeLyingItem(int type);
void setItemMatrix(Item& item, const glm::mat4& matrix);
void setItemCount(Item& item, int count);
void drawItem(Item& item, const FrameState& frame);
