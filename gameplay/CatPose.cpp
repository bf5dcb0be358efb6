#include "gameplay/CatPose.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

enum Part { HEAD, BODY, TAIL, LEG0 };

const glm::vec3 kXAxis(1.0f, 0.0f, 0.0f);

glm::mat4 translation(const glm::vec3& t)
{
    return glm::translate(glm::mat4(1.0f), t);
}

glm::mat4 pitch(const glm::mat4& m, float degrees)
{
    return glm::rotate(m, glm::radians(degrees), kXAxis);
}

// A rotation whose z axis is the unit direction d (the head's back), y as
// close to up as d allows.
glm::mat4 aimAlong(const glm::vec3& d)
{
    const glm::vec3 side = glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), d);
    const float length = glm::length(side);
    if (!(length > 1e-6f))
        return glm::mat4(1.0f);
    const glm::vec3 x = side / length;
    const glm::vec3 y = glm::cross(d, x);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x, 0.0f);
    m[1] = glm::vec4(y, 0.0f);
    m[2] = glm::vec4(d, 0.0f);
    return m;
}

} // namespace

std::array<glm::mat4, 7> catPose(const CatPoseInput& input)
{
    std::array<glm::mat4, 7> parts;
    parts[HEAD] = translation({ 0.0f, 0.5f, -0.8f });
    parts[BODY] = glm::mat4(1.0f);
    parts[TAIL] = translation({ 0.0f, 0.2f, 0.5f });
    const glm::vec3 legs[4] = { { -0.25f, -0.2f, -0.4f }, { 0.25f, -0.2f, -0.4f }, { -0.25f, -0.2f, 0.4f },
        { 0.25f, -0.2f, 0.4f } };
    for (int i = 0; i < 4; ++i)
        parts[LEG0 + i] = translation(legs[i]);

    if (!input.moving) {
        // Seated: body tilted back, tail down on the ground, head up, legs tucked in.
        parts[BODY] = pitch(translation({ 0.0f, -0.2f, 0.0f }), 40.0f);
        parts[TAIL] = pitch(translation({ 0.0f, 0.2f - 0.7f, 0.5f }), -40.0f);
        parts[HEAD] = translation({ 0.0f, 0.7f, -0.8f });
        for (int i = 0; i < 4; ++i)
            parts[LEG0 + i] = glm::translate(parts[LEG0 + i], glm::vec3(0.0f, 0.7f, 0.0f));
    }

    if (input.inAir) {
        const float spread[4] = { 60.0f, -60.0f, 60.0f, -60.0f };
        for (int i = 0; i < 4; ++i)
            parts[LEG0 + i] = pitch(parts[LEG0 + i], spread[i]);
    } else if (input.moving) {
        const float a = 60.0f * std::sin(input.swing);
        const float swing[4] = { a, a, -a, -a };
        for (int i = 0; i < 4; ++i)
            parts[LEG0 + i] = pitch(parts[LEG0 + i], swing[i]);
    }

    parts[TAIL] = pitch(parts[TAIL], -90.0f * std::clamp(1.0f - input.playerDistance / 10.0f, 0.0f, 1.0f));

    const float length = glm::length(input.towardsCat);
    glm::vec3 look(0.0f, 0.0f, 1.0f);
    if (length > 0.0f && input.towardsCat.z >= 0.0f)
        look = input.towardsCat / length;
    parts[HEAD] = parts[HEAD] * aimAlong(look);
    return parts;
}
