#include "render/Lightning.h"

#include "render/Camera.h"
#include "render/Flashlight.h"
#include "render/RandomUnit.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/VertexArray.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// Below this outdoor level the player is inside and only hears the strike.
constexpr float OUTDOOR_THRESHOLD = 0.2f;
constexpr float BOLT_DISTANCE = 100.0f;

glm::vec3 rotateAboutZ(const glm::vec3& d, float degrees)
{
    const float a = glm::radians(degrees);
    const float c = std::cos(a);
    const float s = std::sin(a);
    return glm::vec3(d.x * c - d.y * s, d.x * s + d.y * c, d.z);
}

} // namespace

Lightning::Lightning()
{
    light.initFlashlightCam();
}

Lightning::~Lightning() = default;

void Lightning::update(float dt, bool lightningOn, const LightningScene& scene)
{
    sinceStrike += dt;
    if (lightningOn) {
        strikeTimer -= dt;
        if (strikeTimer < 0.0f)
            strike(scene);
    }
    if (sinceStrike > 1.0f && !flickerDone) {
        if (scene.flashlight)
            scene.flashlight->startFlicker();
        flickerDone = true;
    }
}

void Lightning::strike(const LightningScene& scene)
{
    ThunderCue cue;
    strikeTimer = 5.0f + randUnit() * 15.0f;
    if (scene.outdoorLevel > OUTDOOR_THRESHOLD) {
        cue.referenceDistance = 50.0f;
        buildBolt();
        // Strikes lean to the front of the player.
        const float q = randUnit() * 2.0f - 1.0f;
        const float phi = randUnit() * 2.0f * glm::pi<float>();
        const glm::vec3 k
            = glm::normalize(glm::vec3(std::cos(phi) * std::sqrt(1.0f - q * q) * 2.0f - scene.playerBack.x,
                0.0f, q * 2.0f - scene.playerBack.z));
        model = glm::mat4(glm::vec4(-k.z, 0.0f, k.x, 0.0f), glm::vec4(0.0f, 1.0f, 0.0f, 0.0f),
            glm::vec4(k.x, 0.0f, k.z, 0.0f),
            glm::vec4(scene.playerPosition.x + BOLT_DISTANCE * k.x, 0.0f,
                scene.playerPosition.z + BOLT_DISTANCE * k.z, 1.0f));
        const glm::vec3 at = boltPosition();
        light.setLightView(
            glm::lookAt(glm::vec3(at.x, 70.0f, at.z), scene.playerPosition, glm::vec3(0.0f, 1.0f, 0.0f)));
        if (scene.playerCamera)
            scene.playerCamera->shake(0.4f);
        flickerDone = false;
    } else {
        if (scene.playerCamera)
            scene.playerCamera->shake(0.1f);
        cue.referenceDistance = 20.0f;
    }
    cue.position = boltPosition();
    playThunder(cue, scene);
}

void Lightning::playThunder(const ThunderCue& cue, const LightningScene& scene)
{
    if (scene.thunder)
        scene.thunder(cue);
    lastThunder = cue;
    ++thunderClaps;
}

void Lightning::buildBolt()
{
    vertices.clear();
    indices.clear();
    grow(glm::vec3(0.0f, 100.0f, 0.0f), glm::vec3(0.0f, -1.0f, 0.0f), 4.0f, 30, 10.0f, -1, 0, 2, 0);
    boltChanged = true;
    sinceStrike = 0.0f;
}

void Lightning::grow(glm::vec3 p, glm::vec3 d, float length, int steps, float strength, int parent, int level,
    int cooldown, int index)
{
    if (steps < 0 || level > 2)
        return;
    ++index;
    const int self = int(vertices.size());
    if (parent >= 0)
        indices.insert(indices.end(), { uint32_t(parent), uint32_t(self) });
    vertices.push_back(BoltVertex { p, strength, float(index) });

    const float g = randomUniform(-0.7f * length, 0.7f * length);
    const glm::vec3 offset = g * glm::vec3(d.y, -d.x, 0.0f);

    int nextCooldown = cooldown - 1;
    const bool branch = std::rand() % 3 == 0;
    if (branch && cooldown <= 0) {
        if (std::rand() % 2 == 0) {
            // A bend: the bolt splits into two equal arms and stops here.
            const float alpha = randomUniform(20.0f, 40.0f);
            const glm::vec3 d1 = rotateAboutZ(d, alpha);
            const glm::vec3 d2 = rotateAboutZ(d, -alpha);
            grow(p + d1 * length, d1, 0.88f * length, steps - std::rand() % 2 - 1, strength, self, level, 5,
                index);
            grow(p + d2 * length, d2, 0.88f * length, steps - std::rand() % 2 - 1, strength, self, level, 5,
                index);
            return;
        }
        // A fork: two thinner side branches, and the bolt goes on.
        const float alpha = randomUniform(25.0f, 50.0f);
        const glm::vec3 d1 = rotateAboutZ(d, alpha);
        const glm::vec3 d2 = rotateAboutZ(d, -alpha);
        grow(p + d1 * length, d1, 0.66f * length, steps - std::rand() % 4 - 1, strength, self, level + 1, 5,
            index);
        grow(p + d2 * length, d2, 0.66f * length, steps - std::rand() % 4 - 1, strength, self, level + 1, 5,
            index);
        nextCooldown = 5;
    }
    grow(p + offset + d * length, d, length, steps - 1, strength, self, level, nextCooldown, index);
}

void Lightning::upload()
{
    bolt = std::make_unique<VertexArray>(1, GL_LINES);
    if (!indices.empty()) {
        const int buffer = bolt->addBuffer(vertices.data(), vertices.size() * sizeof(BoltVertex), 2);
        bolt->setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, sizeof(BoltVertex), 0 });
        bolt->setAttribute(buffer, 1, VertexAttribute { 1, 2, GL_FLOAT, GL_FALSE, sizeof(BoltVertex), 12 });
        bolt->setIndices(indices.data(), indices.size() * sizeof(uint32_t));
    }
    boltChanged = false;
}

void Lightning::draw(const glm::mat4& projView)
{
    if (boltChanged)
        upload();
    if (!bolt)
        return;
    glLineWidth(2.0f);
    const Shader* s = getShader(shader);
    s->bind();
    s->setMat4("modelViewProjectionMatrix", projView * model);
    s->setFloat("timer", sinceStrike);
    bolt->draw();
    s->unbind();
}
