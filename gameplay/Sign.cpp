#include "gameplay/Sign.h"

#include "render/MeshTable.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

Sign::Sign(const glm::vec3& p, const glm::vec3& d)
    : Worldobject(p)
    , model(std::make_unique<Model>(MESH_SIGN, TEXTURE_SIGN_PYRAMID, SHADER_MODEL, false))
{
    box.max.y += 2.0f;
    modelMatrix[0] = glm::vec4(glm::vec3(d.z, 0.0f, -d.x) * 0.7f, 0.0f);
    modelMatrix[1] = glm::vec4(0.0f, 0.7f, 0.0f, 0.0f);
    modelMatrix[2] = glm::vec4(d * 0.7f, 0.0f);
    model->setModelMatrix(modelMatrix);
    hint = false;
}

Sign::~Sign() = default;

void Sign::draw(const FrameState& frame)
{
    if (culled)
        return;
    model->draw(frame);
}
