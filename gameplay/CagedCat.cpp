#include "gameplay/CagedCat.h"

// PLACEHOLDER until the Cat class lands: no caged cat body is made (cages keep
// the golden flag themselves and free a new cat through the world). Replace
// these bodies with the Cat's constructor (caged state), golden flag, update
// and draw, and delete in the deleter.

void CatDeleter::operator()(Cat* cat) const { (void)cat; }

CatPtr makeCagedCat(const glm::vec3& p, bool golden)
{
    (void)p;
    (void)golden;
    return nullptr;
}

void setCatGolden(Cat& cat, bool golden)
{
    (void)cat;
    (void)golden;
}

bool isCatGolden(const Cat& cat)
{
    (void)cat;
    return false;
}

void updateCagedCat(Cat& cat, float dt)
{
    (void)cat;
    (void)dt;
}

void drawCagedCat(Cat& cat) { (void)cat; }
