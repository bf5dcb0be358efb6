#include "gameplay/Character.h"

#include "render/FrameState.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/VertexArray.h"

#include <cstdint>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

std::vector<glm::vec3> boxOutline(const aabb& box, const glm::vec3& origin)
{
    const glm::vec3 lo = box.min - origin;
    const glm::vec3 hi = box.max - origin;
    auto corner = [&](int bits) {
        return glm::vec3(bits & 1 ? hi.x : lo.x, bits & 2 ? hi.y : lo.y, bits & 4 ? hi.z : lo.z);
    };
    std::vector<glm::vec3> lines;
    lines.reserve(24);
    // Every edge joins a corner to the one that differs in a single axis bit.
    for (int bits = 0; bits < 8; ++bits) {
        for (int axis = 1; axis < 8; axis <<= 1) {
            if (bits & axis)
                continue;
            lines.push_back(corner(bits));
            lines.push_back(corner(bits | axis));
        }
    }
    return lines;
}

void BoxMeshDeleter::operator()(VertexArray* mesh) const
{
    delete mesh;
}

Character::~Character() = default;

void Character::buildBoxMeshes()
{
    const glm::vec3 centre = position();
    std::vector<const aabb*> boxes { &box };
    for (const aabb& part : partBoxes)
        boxes.push_back(&part);
    for (const aabb* b : boxes) {
        const std::vector<glm::vec3> lines = boxOutline(*b, centre);
        std::unique_ptr<VertexArray, BoxMeshDeleter> mesh(new VertexArray(1, GL_LINES));
        const int buffer = mesh->addBuffer(lines.data(), lines.size() * sizeof(glm::vec3), 1);
        mesh->setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, 0, 0 });
        std::vector<uint32_t> indices(lines.size());
        for (size_t i = 0; i < indices.size(); ++i)
            indices[i] = uint32_t(i);
        mesh->setIndices(indices.data(), indices.size() * sizeof(uint32_t));
        boxMeshes.push_back(std::move(mesh));
    }
}

void Character::drawBoxes(const FrameState& frame)
{
    if (!showBoxes)
        return;
    if (boxMeshes.empty())
        buildBoxMeshes();
    const Shader* shader = getShader(SHADER_COLOR);
    if (!shader)
        return;
    shader->bind();
    shader->setMat4("projMatrix", frame.projMatrix);
    shader->setMat4("viewMatrix", frame.viewMatrix);
    shader->setMat4("modelMatrix", glm::translate(glm::mat4(1.0f), position()));
    shader->setVec4("col", debugColour);
    for (const auto& mesh : boxMeshes)
        mesh->draw();
    shader->unbind();
}

void Character::translateAll(const glm::vec3& d)
{
    for (aabb& part : partBoxes)
        part.translate(d);
    box.translate(d);
    model[3] += glm::vec4(d, 0.0f);
}

void Character::move(float scale, int axis)
{
    const glm::vec3 d = displacement(scale, axis);
    for (aabb& part : partBoxes)
        part.translate(d);
    MovingObject::move(scale, axis);
}

void Character::placeAt(const glm::vec3& point)
{
    // Moving every part centre onto the point would stack the head, torso and legs
    // in one place; they follow the body's own move instead.
    const glm::vec3 d = point - position();
    for (aabb& part : partBoxes)
        part.translate(d);
    box.moveCenterTo(point);
    model[3] = glm::vec4(point, 1.0f);
}

void Character::stepUp()
{
    if (canStep)
        translateAll(glm::vec3(0.0f, 0.5f, 0.0f));
}

void Character::stepDown()
{
    if (canStep)
        translateAll(glm::vec3(0.0f, -0.5f, 0.0f));
}

void Character::faceDirection(const glm::vec3& d)
{
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const glm::vec3 side = glm::cross(d, up);
    const float length = glm::length(side);
    // A vertical or zero direction has no side vector; it stays zero rather than NaN.
    model[0] = glm::vec4(length > 0.0f ? side / length : glm::vec3(0.0f), 0.0f);
    model[1] = glm::vec4(up, 0.0f);
    model[2] = glm::vec4(-d, 0.0f);
}
