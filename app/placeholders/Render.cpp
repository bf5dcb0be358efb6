#include "app/placeholders/Render.h"

#include "app/Game.h"
#include "app/Timers.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

void PerspectiveCamera::setPerspective(float fovDegrees, float aspectRatio, float nearPlane, float farPlane)
{
    fov = fovDegrees;
    aspect = aspectRatio;
    near = nearPlane;
    far = farPlane;
    projection = glm::perspective(glm::radians(fovDegrees), aspectRatio, nearPlane, farPlane);
}

void Flashlight::setFov(float degrees)
{
    fov = std::clamp(degrees, 10.0f, 70.0f);
}

int loadMeshes()
{
    return 0;
}
void freeMeshes() { }
void createFramebuffers(int, int) { }
void freeFramebuffers() { }
void lookUpWorldUniforms() { }
void drawScene(Game&) { }

// The reveal still has to move, or the death sequence would never end.
void postProcess(Game& game)
{
    advanceCircleLoad(game.circleLoad, game.circleOpening);
}
