#pragma once

#include "gameplay/CagelessCage.h"
#include "render/Model.h"

#include <memory>

// A cat locked in a cage that stands 0.8 above the given point.
class Cage : public CagelessCage {
public:
    std::unique_ptr<Model> model; // the cage itself

    Cage(const glm::vec3& p, bool golden);
    ~Cage() override;

    void draw(const FrameState& frame) override;
};
