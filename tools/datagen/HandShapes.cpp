#include "tools/datagen/HandShapes.h"

namespace datagen {

Mesh openHand(UvRect back, UvRect palm)
{
    BoxUv faces = BoxUv::all(back);
    faces.faces[1] = palm;
    Mesh mesh;
    mesh.append(box({ -0.45f, -0.15f, -0.5f }, { 0.45f, 0.15f, 0.05f }, faces));
    for (float x : { -0.33f, -0.11f, 0.11f, 0.33f }) {
        const float length = x > 0.2f ? 0.38f : 0.5f; // the little finger is shorter
        mesh.append(tube({ x, 0.0f, -0.42f }, { x, -0.06f, -0.45f - length }, 0.11f, 0.09f, 6, back, back));
    }
    mesh.append(tube({ -0.4f, -0.02f, -0.05f }, { -0.72f, -0.06f, -0.45f }, 0.12f, 0.1f, 6, back, back));
    return mesh;
}

Mesh fist(UvRect back, UvRect knuckles)
{
    Mesh mesh;
    mesh.append(box({ -0.45f, -0.4f, -0.35f }, { 0.45f, 0.4f, 0.35f }, BoxUv::withFront(back, knuckles)));
    mesh.append(tube({ -0.42f, 0.33f, 0.22f }, { 0.1f, 0.45f, -0.3f }, 0.14f, 0.12f, 6, back, back));
    return mesh;
}

glm::mat4 frameAt(glm::vec3 origin, glm::vec3 forward, glm::vec3 up, float scale)
{
    const glm::vec3 z = -glm::normalize(forward);
    const glm::vec3 x = glm::normalize(glm::cross(up, z));
    const glm::vec3 y = glm::cross(z, x);
    return glm::mat4(glm::vec4(x * scale, 0.0f), glm::vec4(y * scale, 0.0f), glm::vec4(z * scale, 0.0f),
        glm::vec4(origin, 1.0f));
}

} // namespace datagen
