#pragma once

#include "gameplay/ContainerItem.h"
#include "gameplay/Worldobject.h"

// One item lying on display; activating the container hands it to the player.
// What lies there, with how many and how it is shown, is the item row's.
class ItemContainer : public Worldobject {
public:
    ItemPtr item; // the displayed item
    int itemType = 0;
    int itemCount = 1;
    float yaw = 0.0f; // degrees about the world y axis, from the seeded Random
    glm::mat4 itemMatrix { 1.0f }; // where the item is shown: the container's own, raised matrix

    // A type whose row lets it lie in containers, or -1 for a random type. Any other type is fatal.
    ItemContainer(const glm::vec3& p, int type);
    ~ItemContainer() override;

    void activate(GameServices& game) override;
    void draw(const FrameState& frame) override;

    // The type a draw u in [0, 1] picks: the first whose running weight reaches u, the weights
    // added in row order; else 0.
    static int typeForDraw(float u);
    // The container's yaw in degrees for position p (the same for equal positions).
    static float yawFor(const glm::vec3& p);
    // The display matrix of an item of `type` on a container with matrix m (0.2-scaled, turned).
    static glm::mat4 displayMatrix(const glm::mat4& m, int type);
};
