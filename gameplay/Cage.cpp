#include "gameplay/Cage.h"

#include "render/ShaderTable.h"

namespace {
constexpr int CAGE_MESH = 11;
constexpr int CAGE_TEXTURE = 8;
}

Cage::Cage(const glm::vec3& p, bool goldenCat)
    : CagelessCage(p + glm::vec3(0.0f, 0.8f, 0.0f))
    , model(std::make_unique<Model>(CAGE_MESH, CAGE_TEXTURE, SHADER_MODEL, false))
{
    model->setModelMatrix(modelMatrix);
    setGolden(goldenCat);
}

Cage::~Cage() = default;

void Cage::draw()
{
    if (culled)
        return;
    model->draw();
    CagelessCage::draw();
}
