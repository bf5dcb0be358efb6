#pragma once

#include "gameplay/Worldobject.h"
#include "render/Model.h"

#include <memory>

// A blasting machine wired to a dynamite pack. Pushing the handle blows the
// charge once; after that the machine only clanks. A charge reached by another
// blast goes off too, and a machine caught in a blast is destroyed.
class StaticDynamite : public Worldobject {
public:
    Sphere charge; // what the pack blows away
    aabb packBox; // 2 units around the charge centre
    std::unique_ptr<Model> machine; // machine plus handle (part 1)
    std::unique_ptr<Model> pack;
    bool exploded = false;
    float handle = 0.0f; // 1 pushed down, springs back to 0 within a second

    StaticDynamite(const glm::vec3& p, const glm::vec3& chargeCenter, float chargeRadius);
    ~StaticDynamite() override;

    // The machine faces d (horizontal unit vector), scaled by 0.3, keeping its position.
    void setMachineFacing(const glm::vec3& d);
    // The pack's columns a, b and a x b, scaled by 0.2, keeping the charge centre.
    void setPackOrientation(const glm::vec3& a, const glm::vec3& b);

    void activate(GameServices& game) override;
    void draw(const FrameState& frame) override;
    void update(float dt, GameServices& game) override;
    void onExplosion(const Geometric_Object& shape, GameServices& game) override;
    bool cullTest(const Camera& frustum) override;
};
