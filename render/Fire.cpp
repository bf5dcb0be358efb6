#include "render/Fire.h"

#include "base/SimplexNoise.h"
#include "render/FrameState.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"
#include "render/VertexArray.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace {

float noiseSample(float x, float y, float scale)
{
    return (SimplexNoise::octave3(4, 0.5f, scale * 2.0f, x, y, 0.0f) + 1.0f) * 0.5f;
}
}

Fire::Fire(float x, float y, float z, float fireScale)
    : scale(fireScale)
{
    setPosition(glm::vec3(x, y, z));
    buildNoiseTexture();
}

Fire::~Fire() = default;

float Fire::tiledNoise(int j, int i, int size, float noiseScale)
{
    const float d = float(j) / float(size);
    const float e = float(i) / float(size);
    return (1.0f - d) * (1.0f - e) * noiseSample(d, e, noiseScale)
        + d * (1.0f - e) * noiseSample(d - 1.0f, e, noiseScale)
        + d * e * noiseSample(d - 1.0f, e - 1.0f, noiseScale)
        + (1.0f - d) * e * noiseSample(d, e - 1.0f, noiseScale);
}

void Fire::buildNoiseTexture()
{
    // A broken scale must not ask for a huge or negative texture.
    const int size = std::isfinite(scale) ? std::clamp(int(100.0f * scale), 1, 2048) : 100;
    noise = std::make_unique<procedural_texture>(0, float(size), float(size));
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i)
            noise->set(j, i, tiledNoise(j, i, size, scale));
}

void Fire::setPosition(const glm::vec3& p)
{
    modelMatrix = glm::translate(glm::mat4(1.0f), p);
    position = p;
}

void Fire::update(float dt, bool chunkUnderLoaded)
{
    visible = chunkUnderLoaded;
    time += dt;
}

void Fire::uploadOnce()
{
    if (uploaded)
        return;
    uploaded = true;
    noise->upload();
    makeSampler(*noise, GL_REPEAT);
    // Only the fire uses these two: the mask must not bleed over its edges.
    if (Texture* alpha = getTexture(TEXTURE_FIRE_ALPHA))
        makeSampler(*alpha, GL_CLAMP_TO_EDGE);
    if (Texture* diffuse = getTexture(TEXTURE_FIRE_DIFFUSE))
        makeSampler(*diffuse, GL_REPEAT);

    const float vertex[4] = { 0.0f, 0.0f, 0.0f, 1.0f };
    const uint32_t index = 0;
    point = std::make_unique<VertexArray>(1, GL_POINTS);
    const int buffer = point->addBuffer(vertex, sizeof(vertex), 2);
    point->setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, 16, 0 });
    point->setAttribute(buffer, 1, VertexAttribute { 1, 1, GL_FLOAT, GL_FALSE, 16, 12 });
    point->setIndices(&index, sizeof(index));
}

void Fire::draw(const FrameState& frame)
{
    if (!visible)
        return;
    Shader* shader = getShader(SHADER_FIRE);
    Texture* alpha = getTexture(TEXTURE_FIRE_ALPHA);
    Texture* diffuse = getTexture(TEXTURE_FIRE_DIFFUSE);
    if (!shader || !alpha || !diffuse)
        return;
    uploadOnce();
    shader->bind();
    shader->setMat4("modelMatrix", modelMatrix);
    shader->setMat4("viewMatrix", frame.viewMatrix);
    shader->setMat4("projMatrix", frame.projMatrix);
    shader->setFloat("yDist", -time);
    shader->setFloat("resolution", scale);
    bind(*alpha, *shader, "alphaTex", 0);
    bind(*noise, *shader, "distTex", 1);
    bind(*diffuse, *shader, "diffTex", 3);
    point->draw();
    unbindTextures();
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindSampler(3, 0);
    glActiveTexture(GL_TEXTURE0);
    shader->unbind();
}
