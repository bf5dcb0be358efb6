#include "gameplay/Cage.h"

#include "render/MeshTable.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

Cage::Cage(const glm::vec3& p, bool goldenCat)
    : CagelessCage(p + glm::vec3(0.0f, 0.8f, 0.0f))
    , model(std::make_unique<Model>(MESH_CAGE, TEXTURE_CAGE, SHADER_MODEL, false))
{
    model->setModelMatrix(modelMatrix);
    setGolden(goldenCat);
}

Cage::~Cage() = default;

void Cage::draw(const FrameState& frame)
{
    if (culled)
        return;
    model->draw(frame);
    CagelessCage::draw(frame);
}
