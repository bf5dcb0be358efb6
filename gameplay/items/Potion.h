#pragma once

#include "gameplay/Item.h"

struct ParticleFizz;

// The potion that keeps Death away. A click pops the cork (2 s), the bottle
// is raised (1 s) and drunk (1 s); then the protection starts, the empty
// bottle is thrown away and one potion is gone.
class Potion : public Item {
public:
    enum Phase { IDLE = 0, CORK_POPPED = 1, RAISING = 2, DRINKING = 3 };

    int phase = IDLE;
    float phaseTimer = 0.0f;

    explicit Potion(bool held);

    // Starts the drink (the count is only taken when it is finished).
    bool tryUse() override;
    void use() override { }
    void update(float dt) override;
    void setMatrix(const glm::mat4& hand) override;

    // Seconds of protection a drink gives.
    static constexpr float PROTECTION = 30.0f;

private:
    void popCork();
    void finishDrinking();
    glm::mat4 corkMatrix() const;
};

// The bubbles out of the opened neck: violet to pink, rising slowly while
// they wobble out.
ParticleFizz potionFizz();
