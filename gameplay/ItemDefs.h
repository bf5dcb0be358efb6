#pragma once

#include "gameplay/Item.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <span>

// Everything the game knows of an item kind apart from what its class does in
// the hand: one row per ItemType, read by the items themselves, the player's
// inventory, the item containers and the developer options. A new item is its
// class (its own file pair) and one row in ItemDefs.cpp.
struct ItemDef {
    // How an item lies in an item container.
    struct Display {
        bool inContainers = false; // may lie in one at all
        float weight = 0.0f; // its share of a container's random draw
        int count = 1; // how many a container gives
        // Raised along the container's own (0.2-scaled) y axis, then turned about a local axis.
        float raise = 0.0f;
        float turn = 0.0f; // degrees; 0 for none
        glm::vec3 axis { 0.0f };
    };

    ItemType type;
    const char* optionName; // what --give calls it
    const char* name; // what the item overlay shows
    int mesh = -1; // its model's mesh and texture numbers (shader "model"); -1: no model
    int texture = -1;
    float cooldown = 0.0f; // seconds between uses
    float bobFactor = 1.0f; // how strongly the hand bob moves the held model
    // Where the model sits for the player's hand matrix; null where the item places itself.
    glm::mat4 (*held)(const glm::mat4& hand) = nullptr;
    Display container;
    // One of the kind with count 1, for the hand (held) or for a container.
    std::unique_ptr<Item> (*make)(bool held) = nullptr;
};

// Every row, in type order (the order of a container's random draw).
std::span<const ItemDef> itemDefs();

// The row of an ItemType number; null for a number that names no item.
const ItemDef* findItemDef(int type);
