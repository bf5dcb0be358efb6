#include "gameplay/CagedCat.h"

#include "gameplay/Cat.h"
#include "render/Model.h"

void CatDeleter::operator()(Cat* cat) const
{
    delete cat;
}

CatPtr makeCagedCat(const glm::vec3& p, bool golden)
{
    CatPtr cat(new Cat(p, golden));
    cat->state = CAT_CAGED;
    return cat;
}

void setCatGolden(Cat& cat, bool golden)
{
    cat.golden = golden;
    if (cat.bodyModel)
        cat.bodyModel->golden = golden;
}

bool isCatGolden(const Cat& cat)
{
    return cat.golden;
}

void updateCagedCat(Cat& cat, float dt)
{
    cat.update(dt);
}

void drawCagedCat(Cat& cat, const FrameState& frame)
{
    cat.draw(frame);
}
