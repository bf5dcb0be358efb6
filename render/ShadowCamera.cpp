#include "render/ShadowCamera.h"

#include "base/Log.h"
#include "render/Shader.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

namespace {

const glm::vec3 INITIAL_LIGHT_POSITION { 90.0f, 80.0f, 30.0f };

} // namespace

glm::mat4 ShadowCamera::biasMatrix()
{
    const glm::mat4 translate = glm::translate(glm::mat4(1.0f), glm::vec3(0.5f));
    return glm::scale(translate, glm::vec3(0.5f));
}

void ShadowCamera::initAt(std::unique_ptr<Camera> lightCamera, bool sun)
{
    direction = INITIAL_LIGHT_POSITION;
    color = glm::vec4(1.0f);
    camera = std::move(lightCamera);
    camera->lookAt(INITIAL_LIGHT_POSITION, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    isSun = sun;
    direction = glm::normalize(direction);
    setLightView(camera->view);
}

void ShadowCamera::initFlashlightCam()
{
    auto cam = std::make_unique<PerspectiveCamera>("Flashlightcam");
    cam->setPerspective(50.0f, 1.0f, 1.0f, 1000.0f);
    initAt(std::move(cam), false);
}

void ShadowCamera::initSunCam()
{
    auto cam = std::make_unique<OrthographicCamera>("Suncam");
    cam->setOrtho(-50.0f, 50.0f, -50.0f, 50.0f, 2.0f, 200.0f);
    initAt(std::move(cam), true);
}

bool ShadowCamera::setLightView(const glm::mat4& view)
{
    if (!camera)
        fatal("cam not set!");
    lightView = view;
    direction = glm::normalize(glm::vec3(glm::inverse(view)[2]));
    camera->setView(view);
    depthBias = biasMatrix() * camera->projView;
    return true;
}

void ShadowCamera::setProjViewUniform(const Shader& shader) const
{
    if (camera)
        shader.setMat4("projview", camera->projView);
}
