#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>

class Cat;
struct FrameState;

// The cat a cage or basket holds, seen only through these few operations so
// that cages do not depend on the whole cat. Deleting goes through the deleter
// because the cage's translation unit never sees the complete Cat.
struct CatDeleter {
    void operator()(Cat* cat) const;
};
using CatPtr = std::unique_ptr<Cat, CatDeleter>;

// A new cat at p in the caged state (no physics, stepped and drawn by its
// cage). Main thread only: a cat opens a sound source.
CatPtr makeCagedCat(const glm::vec3& p, bool golden);
void setCatGolden(Cat& cat, bool golden);
bool isCatGolden(const Cat& cat);
void updateCagedCat(Cat& cat, float dt);
void drawCagedCat(Cat& cat, const FrameState& frame);
