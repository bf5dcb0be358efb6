#include "render/TextureTable.h"

#include "base/Log.h"

#include <memory>
#include <vector>

const char* const modelTexturePaths[MODEL_TEXTURE_COUNT] = {
    "textures/moon.png",
    "textures/star.png",
    "textures/death.png",
    "textures/fire_alpha.png",
    "textures/fire_diffuse.png",
    "textures/cat.png",
    "textures/dynamite.png",
    "textures/player.png",
    "textures/cage.png",
    "textures/flashlight.png",
    "textures/gloves.png",
    "textures/fish.png",
    "textures/logs.png",
    "textures/jetpack.png",
    "textures/sign_pyramid.png",
    "textures/blasting_machine.png",
    "textures/wool.png",
    "textures/potion.png",
};

namespace {

std::vector<std::unique_ptr<Texture>>& textureTable()
{
    static std::vector<std::unique_ptr<Texture>> table;
    return table;
}

} // namespace

bool loadModelTextures()
{
    auto& table = textureTable();
    table.clear();
    table.resize(MODEL_TEXTURE_COUNT);
    for (int i = 0; i < MODEL_TEXTURE_COUNT; ++i) {
        const char* path = modelTexturePaths[i];
        logText(joinText("Texture Loader: Loading Texture ", i, " ", path, "\n"));
        auto texture = std::make_unique<Texture>();
        if (loadRgb(*texture, path) != 0) {
            logLine(joinText("Texture Loader: Loading Texture Failed ", i, " ", path, " !"));
            return false;
        }
        makeSampler(*texture, GL_REPEAT);
        table[size_t(i)] = std::move(texture);
    }
    return true;
}

Texture* getTexture(int index)
{
    return textureTable()[size_t(index)].get();
}

void freeTextures()
{
    textureTable().clear();
}
