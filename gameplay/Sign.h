#pragma once

#include "gameplay/Worldobject.h"
#include "render/Model.h"

#include <memory>

// A signpost facing along d; it only stands there until something blows it up.
class Sign : public Worldobject {
public:
    std::unique_ptr<Model> model;

    Sign(const glm::vec3& p, const glm::vec3& d);
    ~Sign() override;

    void draw(const FrameState& frame) override;
};
