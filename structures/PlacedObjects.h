#pragma once

// PLACEHOLDER: stand-ins for the world objects the structures place (cages,
// containers, bonfires, blasting machines). They carry only what the
// structures decide (position, golden flag, item type, charge) and are
// replaced by the real classes from gameplay/ once those exist.

#include "gameplay/Worldobject.h"

#include <glm/vec3.hpp>

namespace placeholder {

class CagelessCage : public Worldobject {
public:
    explicit CagelessCage(const glm::vec3& p) : Worldobject(p) { }
};

class Cage : public CagelessCage {
public:
    bool golden = false;
    Cage(const glm::vec3& p, bool g) : CagelessCage(p), golden(g) { }
};

class ItemContainer : public Worldobject {
public:
    int itemType = -1;
    ItemContainer(const glm::vec3& p, int type) : Worldobject(p), itemType(type) { }
};

class Bonfire : public Worldobject {
public:
    explicit Bonfire(const glm::vec3& p) : Worldobject(p) { }
};

class StaticDynamite : public Worldobject {
public:
    glm::vec3 chargeCenter;
    float chargeRadius;
    glm::vec3 machineFacing { 1.0f, 0.0f, 0.0f };
    StaticDynamite(const glm::vec3& p, const glm::vec3& c, float r)
        : Worldobject(p)
        , chargeCenter(c)
        , chargeRadius(r)
    {
    }
    void setMachineFacing(const glm::vec3& d) { machineFacing = d; }
    void setPackOrientation(const glm::vec3&, const glm::vec3&) { }
};

} // namespace placeholder
