#include "render/ShaderTable.h"

#include <memory>
#include <string>
#include <vector>

const char* const shaderFiles[SHADER_COUNT] = {
    "shader/world.glsl",
    "shader/gui.glsl",
    "shader/skybox.glsl",
    "shader/model.glsl",
    "shader/depth.glsl",
    "shader/particles.glsl",
    "shader/billboard.glsl",
    "shader/fire.glsl",
    "shader/post_processing.glsl",
    "shader/color.glsl",
    "shader/lightning.glsl",
};

namespace {

std::vector<std::unique_ptr<Shader>>& shaderTable()
{
    static std::vector<std::unique_ptr<Shader>> table;
    return table;
}

std::unique_ptr<Shader>& edgeShader()
{
    static std::unique_ptr<Shader> shader;
    return shader;
}

std::unique_ptr<Shader>& plainNightShader()
{
    static std::unique_ptr<Shader> shader;
    return shader;
}

std::unique_ptr<Shader>& coneShader()
{
    static std::unique_ptr<Shader> shader;
    return shader;
}

std::unique_ptr<Shader>& outsideLampShader(bool plainNight)
{
    static std::unique_ptr<Shader> shaders[2];
    return shaders[plainNight ? 1 : 0];
}

std::unique_ptr<Shader> loadVariant(int index, const std::string& defines)
{
    auto shader = std::make_unique<Shader>(shaderFiles[index]);
    shader->defines = defines;
    shader->readFile();
    shader->link();
    return shader;
}

} // namespace

int loadShaders()
{
    auto& table = shaderTable();
    table.clear();
    table.resize(SHADER_COUNT);
    for (int i = 0; i < SHADER_COUNT; ++i) {
        auto shader = std::make_unique<Shader>(shaderFiles[i]);
        shader->readFile();
        shader->link();
        table[size_t(i)] = std::move(shader);
    }
    plainNightShader() = loadVariant(SHADER_WORLD, PLAIN_NIGHT_DEFINES);
    outsideLampShader(false) = loadVariant(SHADER_WORLD, OUTSIDE_LAMP_DEFINES);
    outsideLampShader(true) = loadVariant(SHADER_WORLD, std::string(PLAIN_NIGHT_DEFINES) + OUTSIDE_LAMP_DEFINES);
    edgeShader() = loadVariant(SHADER_POST_PROCESSING, EDGE_SMOOTHING_DEFINES);
    coneShader() = loadVariant(SHADER_DEPTH, CONE_DEPTH_DEFINES);
    return SHADER_COUNT;
}

Shader* getShader(int index)
{
    return shaderTable()[size_t(index)].get();
}

Shader* plainNightWorldShader()
{
    return plainNightShader().get();
}

Shader* edgeSmoothingShader()
{
    return edgeShader().get();
}

Shader* coneDepthShader()
{
    return coneShader().get();
}

Shader* outsideLampWorldShader(bool plainNight)
{
    return outsideLampShader(plainNight).get();
}

void freeShaders()
{
    shaderTable().clear();
    edgeShader().reset();
    plainNightShader().reset();
    coneShader().reset();
    outsideLampShader(false).reset();
    outsideLampShader(true).reset();
}
