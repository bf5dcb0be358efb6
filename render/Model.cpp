#include "render/Model.h"

#include "render/FrameState.h"
#include "render/MeshTable.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/Texture.h"
#include "render/TextureTable.h"
#include "render/VertexArray.h"

namespace {

// The shadow map stays bound on this unit from the world pass.
constexpr int SHADOW_MAP_UNIT = 5;

} // namespace

Model::Model(int mesh, int texture, int shaderIndex, bool bright)
    : shader(shaderIndex)
    , alwaysBright(bright)
{
    addPart(mesh, texture);
}

void Model::addPart(int mesh, int texture)
{
    meshes.push_back(mesh);
    textures.push_back(texture);
    partMatrices.emplace_back(1.0f);
    partVisible.push_back(true);
}

void Model::setPartMatrix(const glm::mat4& matrix, int part)
{
    if (part >= 0 && part < partCount())
        partMatrices[size_t(part)] = matrix;
}

void Model::setPartVisible(bool visible, int part)
{
    if (part >= 0 && part < partCount())
        partVisible[size_t(part)] = visible;
}

void Model::updateNormalMatrix(const glm::mat4& viewMatrix)
{
    normalMatrix = viewMatrix * modelMatrix;
}

void Model::setUniforms(const FrameState& frame) const
{
    const Shader& s = *getShader(shader);
    s.setMat4("modelMatrix", modelMatrix);
    s.setMat4("modelViewProjectionMatrix", frame.projViewMatrix * modelMatrix);
    s.setMat4("normalMatrix", normalMatrix);
    s.setVec3("sunDir", frame.flashlightEye);
    s.setVec3("flashLightDir", frame.flashlightDir);
    s.setFloat("flashLightFOV", frame.flashlightFov);
    s.setVec4("sunColor", frame.sunColor);
    s.setInt("outsideShadow", frame.lightIsSun ? 1 : 0);
    s.setInt("alwaysBright", alwaysBright ? 1 : 0);
    s.setVec3("firePos", frame.firePosition);
    s.setFloat("fireNoise", frame.fireNoise);
    s.setFloat("night", frame.night);
    s.setInt("lightning", frame.lightningActive ? 1 : 0);
    s.setFloat("flashLightIntensity", frame.flashLightIntensity);
    s.setInt("golden", golden ? 1 : 0);
    s.setInt("inHand", inHand ? 1 : 0);
    s.setInt("depthTex", SHADOW_MAP_UNIT);
    s.setMat4("depthBiasMV", frame.lightningActive ? frame.flashlightDepthBias : frame.lightDepthBias);
}

void Model::draw(const FrameState& frame) const
{
    const Shader* s = getShader(shader);
    s->bind();
    setUniforms(frame);
    if (textures.empty()) {
        // Untextured models have no part placements: their meshes sit as read.
        s->setMat4("meshMatrix", glm::mat4(1.0f));
        for (int mesh : meshes) {
            if (const VertexArray* array = getMesh(mesh))
                array->draw();
        }
    } else {
        for (int part = 0; part < partCount(); ++part) {
            if (!partVisible[size_t(part)])
                continue;
            s->setMat4("meshMatrix", partMatrices[size_t(part)]);
            bind(*getTexture(textures[size_t(part)]), *s, "diffuseTex", 0);
            if (const VertexArray* array = getMesh(meshes[size_t(part)]))
                array->draw();
        }
        unbindTextures();
    }
    s->unbind();
}
