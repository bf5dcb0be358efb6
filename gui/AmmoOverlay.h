#pragma once

#include "gui/GuiObject.h"

#include <memory>

// The held item in the lower left corner: its count large, its name below,
// over a small panel. It watches the item's count and name and renders
// again only when one of them changed.
class AmmoOverlay : public GuiObject {
public:
    AmmoOverlay();
    ~AmmoOverlay() override;

    // Watches an item with public `count` (int) and `name` (string) fields;
    // nullptr shows "-" for both. The item must stay alive until another one
    // is shown.
    template <class Item> void showItem(const Item* item)
    {
        if (item)
            watch(&item->count, &item->name);
        else
            watch(nullptr, nullptr);
    }
    void watch(const int* count, const std::string* name);

    void update(float dt) override;
    void draw() override;

    // The texts on show.
    const std::string& countText() const { return shownCount; }
    const std::string& nameText() const { return shownName; }

    std::unique_ptr<GuiObject> background;

private:
    void refresh();

    const int* watchedCount = nullptr;
    const std::string* watchedName = nullptr;
    std::string shownCount;
    std::string shownName;
};
