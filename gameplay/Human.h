#pragma once

#include "gameplay/Character.h"

// A human-sized character: 0.9 wide, 1.7 tall, with head, torso and legs boxes.
// Humans climb half-block ledges.
class Human : public Character {
public:
    Human();
};
