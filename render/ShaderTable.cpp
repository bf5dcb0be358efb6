#include "render/ShaderTable.h"

#include <memory>
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
    plainNightShader() = std::make_unique<Shader>(shaderFiles[SHADER_WORLD]);
    plainNightShader()->defines = PLAIN_NIGHT_DEFINES;
    plainNightShader()->readFile();
    plainNightShader()->link();
    edgeShader() = std::make_unique<Shader>(shaderFiles[SHADER_POST_PROCESSING]);
    edgeShader()->defines = EDGE_SMOOTHING_DEFINES;
    edgeShader()->readFile();
    edgeShader()->link();
    coneShader() = std::make_unique<Shader>(shaderFiles[SHADER_DEPTH]);
    coneShader()->defines = CONE_DEPTH_DEFINES;
    coneShader()->readFile();
    coneShader()->link();
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

void freeShaders()
{
    shaderTable().clear();
    edgeShader().reset();
    plainNightShader().reset();
    coneShader().reset();
}
