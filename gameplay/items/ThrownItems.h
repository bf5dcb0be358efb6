#pragma once

#include "gameplay/Item.h"

// The items that are thrown: each use sends one body into the world, one unit
// in front of the player's body centre along his view.

// Lit sticks that explode three seconds after the throw.
class Dynamite : public Item {
public:
    explicit Dynamite(bool held);
    void use() override;
};

// Fish for the cats.
class Fish : public Item {
public:
    explicit Fish(bool held);
    void use() override;
};

// The ball the cats chase. Only one can be in flight; the player picks it up again.
class BallItem : public Item {
public:
    explicit BallItem(bool held);
    void use() override;
};
