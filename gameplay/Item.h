#pragma once

#include <glm/mat4x4.hpp>
#include <memory>
#include <string>

class Model;
struct FrameState;
class GameEffects;
class Player;

// The numbers addItem understands; containers store an item as one of these and a count.
enum class ItemType : int {
    Dynamite = 0,
    Fish = 1,
    Jetpack = 2,
    BallItem = 3,
    Potion = 4,
    Hands = 5,
};

// Something the player holds in his hand and uses with the left mouse button.
// The player's inventory owns the items he carries; an item container owns the
// one it shows. `count` and `name` are public fields: the item overlay watches
// them.
class Item {
public:
    // `held`: made for the player's hand (its model is always drawn bright)
    // rather than lying in a container.
    explicit Item(bool held);
    // An item of a kind: its type, name, model, cooldown and bob factor come from the kind's row.
    Item(ItemType kind, bool held);
    virtual ~Item();
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    // Draws the model with its current matrix (nothing without a model).
    virtual void draw(const FrameState& frame);
    // Every step while held: the time since the last use grows.
    virtual void update(float dt);
    virtual void addCount(int n);
    // True when a use may happen now: the cooldown has passed and a unit is
    // left, which is then consumed.
    virtual bool tryUse();
    // What a use does, after tryUse allowed it.
    virtual void use();
    // The item becomes the held one / stops being held.
    virtual void select();
    virtual void deselect();
    // Places the model for the given hand matrix (the player's, moved by the bob), where
    // the kind's row says it sits in the hand.
    virtual void setMatrix(const glm::mat4& hand);
    // The game the owner plays in; the do-nothing stand-in without one.
    GameEffects& game() const;

    std::unique_ptr<Model> model; // none for the Hands
    Player* owner = nullptr; // set by Player::addItem
    std::string name;
    int count = 1;
    float timeSinceUse = 999.0f;
    float cooldown = 0.0f;
    int type = -1; // an ItemType number
    float bobFactor = 1.0f; // how strongly the hand bob moves the held model
    bool held; // the constructor's flag, for the models subclasses make
};

// The item of an ItemType number, made for the hand or for a container, with
// count 1; nullptr for a number that names no item (gameplay/ItemDefs.h).
std::unique_ptr<Item> makeItem(int type, bool held);
