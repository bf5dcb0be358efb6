#pragma once

#include "gameplay/Worldobject.h"

#include <glm/vec3.hpp>
#include <memory>

// The world objects that structures place, made in one spot so the structure
// code does not depend on how each object is built.
//
// PLACEHOLDER: until the real world object classes (Cage, Sign, Bonfire,
// ItemContainer, StaticDynamite) exist, these build a `PlacedObject` that only
// records what was asked for. Switch the bodies to the real constructors.

enum class PlacedKind { Cage, Sign, Bonfire, ItemContainer, StaticDynamite };

// PLACEHOLDER record of one requested object; its position() is the given point.
class PlacedObject : public Worldobject {
public:
    PlacedKind kind;
    bool golden = false;
    int itemType = 0;
    glm::vec3 facing { 0.0f };
    glm::vec3 chargeCenter { 0.0f };
    float chargeRadius = 0.0f;
    glm::vec3 packA { 0.0f }, packB { 0.0f };

    PlacedObject(PlacedKind k, const glm::vec3& p)
        : Worldobject(p)
        , kind(k)
    {
    }
};

std::unique_ptr<Worldobject> makeCage(const glm::vec3& p, bool golden);
std::unique_ptr<Worldobject> makeSign(const glm::vec3& p, const glm::vec3& facing);
std::unique_ptr<Worldobject> makeBonfire(const glm::vec3& p);
// itemType 0..4, or -1 for a random item.
std::unique_ptr<Worldobject> makeItemContainer(const glm::vec3& p, int itemType);
// A blasting machine at p wired to a charge (centre, radius); the pack is
// oriented by the columns a and b, the machine faces `facing`.
std::unique_ptr<Worldobject> makeStaticDynamite(const glm::vec3& p, const glm::vec3& chargeCenter,
    float chargeRadius, const glm::vec3& packA, const glm::vec3& packB, const glm::vec3& facing);
