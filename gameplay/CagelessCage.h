#pragma once

#include "gameplay/CagedCat.h"
#include "gameplay/Worldobject.h"

// A cat resting free in a basket: activating it (or blowing it up) frees the
// cat, which joins the world as a new body and counts as found.
class CagelessCage : public Worldobject {
public:
    CatPtr cat; // the caged cat, drawn and stepped by its cage
    bool golden = false; // the caged cat's golden flag, kept for the freed cat

    explicit CagelessCage(const glm::vec3& p);
    ~CagelessCage() override;

    void activate() override;
    void draw() override;
    void update(float dt) override;
    void onExplosion(const Geometric_Object& shape) override;

protected:
    void setGolden(bool flag);
};
