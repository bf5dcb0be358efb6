#pragma once

#include "gameplay/CatHold.h"
#include "gameplay/Item.h"

class Cat;

// The empty hand: it has no model and no count to spend, and it picks up and
// carries one cat at a time.
class Hands : public Item {
public:
    explicit Hands(bool held);
    ~Hands() override;

    void draw(const FrameState& frame) override { (void)frame; }
    void update(float dt) override;
    // Only the cooldown counts; the hand never runs out.
    bool tryUse() override;
    // Drops the carried cat, or picks up the nearest one.
    void use() override;
    // A carried cat is dropped when the player switches items.
    void deselect() override;
    void setMatrix(const glm::mat4&) override { }

    // Empties itself when the cat is deleted (lost on respawn, or a new game).
    CatHold carriedCat;
};
