#include "render/Sky.h"

#include "base/Log.h"
#include "render/FrameState.h"
#include "render/RandomUnit.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/Texture.h"
#include "render/TextureTable.h"
#include "render/VertexArray.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <limits>
#include <glm/gtc/constants.hpp>

namespace {

// Created by the first Skybox and kept for the whole run.
Texture* gSkyTexture = nullptr;

std::unique_ptr<VertexArray> uploadPoints(const std::vector<SkyVertex>& points)
{
    auto mesh = std::make_unique<VertexArray>(1, GL_POINTS);
    std::vector<uint32_t> indices(points.size());
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = uint32_t(i);
    const int buffer = mesh->addBuffer(points.data(), points.size() * sizeof(SkyVertex), 2);
    mesh->setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, sizeof(SkyVertex), 0 });
    mesh->setAttribute(buffer, 1, VertexAttribute { 1, 1, GL_FLOAT, GL_FALSE, sizeof(SkyVertex), 12 });
    mesh->setIndices(indices.data(), indices.size() * sizeof(uint32_t));
    return mesh;
}

} // namespace

SkyObject::SkyObject(std::vector<SkyVertex> vertices, int textureIndex, const glm::vec3& placement)
    : points(std::move(vertices))
    , offset(placement)
    , texture(textureIndex)
{
}

SkyObject::~SkyObject() = default;

void SkyObject::follow(const glm::vec3& p)
{
    model[3] = glm::vec4(p.x + offset.x, offset.y, p.z + offset.z, offsetW + 1.0f);
}

void SkyObject::draw(const FrameState& frame)
{
    if (!mesh)
        mesh = uploadPoints(points);
    const Shader* s = getShader(shader);
    s->bind();
    s->setMat4("modelViewMatrix", frame.viewMatrix * model);
    s->setMat4("projMatrix", frame.projMatrix);
    s->setFloat("viewportHeight", float(frame.screenHeight));
    bind(*getTexture(texture), *s, "diffuseTex", 0);
    mesh->draw();
    unbindTextures();
    s->unbind();
}

Moon::Moon()
    : SkyObject({ SkyVertex { glm::vec3(0.0f), 20.0f } }, TEXTURE_MOON, glm::vec3(150.0f, 230.0f, 0.0f))
{
}

std::vector<SkyVertex> makeStarPoints()
{
    std::vector<SkyVertex> points;
    points.reserve(Stars::COUNT);
    for (int i = 0; i < Stars::COUNT; ++i) {
        const float u = randUnit() * 2.0f - 1.0f;
        const float phi = randUnit() * 2.0f * glm::pi<float>();
        const float r = std::sqrt(1.0f - u * u);
        SkyVertex v;
        v.position = glm::vec3(std::cos(phi) * r * Stars::RADIUS,
            std::fabs(std::sin(phi) * r * Stars::RADIUS), u * Stars::RADIUS);
        v.size = randUnit() * 0.875f + 0.125f;
        points.push_back(v);
    }
    return points;
}

Stars::Stars()
    : SkyObject(makeStarPoints(), TEXTURE_STAR, glm::vec3(0.0f))
{
}

Skybox::Skybox(const std::string& texturePath)
{
    if (!gSkyTexture) {
        auto texture = std::make_unique<Texture>();
        if (loadRgb(*texture, texturePath) != 0) {
            // Not kept, so a later sky can try again.
            logError("Skybox texture loading failed!");
            return;
        }
        makeSampler(*texture, GL_CLAMP_TO_EDGE);
        gSkyTexture = texture.release();
    }
    moon = std::make_unique<Moon>();
    stars = std::make_unique<Stars>();
}

Skybox::~Skybox() = default;

void Skybox::draw(const FrameState& frame)
{
    if (moon)
        moon->draw(frame);
    if (stars)
        stars->draw(frame);
}

void Skybox::update(const glm::vec3& playerPosition)
{
    if (moon)
        moon->follow(playerPosition);
    if (stars)
        stars->follow(playerPosition);
}

float Skybox::nearestStarDistance(const glm::vec3& eye) const
{
    if (!stars)
        return std::numeric_limits<float>::infinity();
    return Stars::RADIUS - glm::distance(eye, glm::vec3(stars->model[3]));
}

Texture* Skybox::sharedTexture()
{
    return gSkyTexture;
}
