#pragma once

#include "audio/SoundSource.h"
#include "gameplay/Item.h"

// Flight while the button is held: every step of thrust burns one unit of
// fuel (the count), lifts the player until his climb levels off, blows
// exhaust from two nozzles and keeps the engine sound going.
class Jetpack : public Item {
public:
    bool thrusting = false; // thrust was given since the last update

    explicit Jetpack(bool held);
    ~Jetpack() override;

    void use() override;
    void update(float dt) override;
    void deselect() override;

    // What one step of thrust adds to a vertical velocity vy (per step): a full
    // 0.1 while falling, fading to nothing as the climb reaches about 0.22.
    static float boost(float vy);

private:
    void emitExhaust();
    SoundSource sound; // only when held
};
