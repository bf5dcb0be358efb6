#include "tools/datagen/BlockPainters.h"
#include "tools/datagen/TextureSet.h"

namespace datagen {

const std::array<const char*, 23> kBlockTextureFiles = {
    "textures/dirt.png",
    "textures/grass.png",
    "textures/brick.png",
    "textures/stone.png",
    "textures/sand.png",
    "textures/bedrock.png",
    "textures/bark.png",
    "textures/leaf.png",
    "textures/rooftiles.png",
    "textures/cactus.png",
    "textures/pyramid.png",
    "textures/stucco.png",
    "textures/marble.png",
    "textures/metal.png",
    "textures/metal2.png",
    "textures/wood_planks.png",
    "textures/wood_planks2.png",
    "textures/wheel.png",
    "textures/diamond_stone.png",
    "textures/tent.png",
    "textures/ballon.png",
    "textures/basket.png",
    "textures/stone_cracks.png",
};

std::vector<NamedImage> makeBlockTextures()
{
    using Painter = Canvas (*)(int);
    static const Painter painters[] = {
        paintDirt,
        paintGrass,
        paintBrick,
        paintStone,
        paintSand,
        paintBedrock,
        paintBark,
        paintLeaf,
        paintRoofTiles,
        paintCactus,
        paintPyramid,
        paintStucco,
        paintMarble,
        paintMetal,
        paintMetal2,
        paintWoodPlanks,
        paintWoodPlanks2,
        paintWheel,
        paintDiamondStone,
        paintTent,
        paintBallon,
        paintBasket,
        paintStoneCracks,
    };
    static_assert(std::size(painters) == std::tuple_size_v<decltype(kBlockTextureFiles)>);
    std::vector<NamedImage> out;
    out.reserve(kBlockTextureFiles.size());
    for (size_t i = 0; i < kBlockTextureFiles.size(); ++i)
        out.push_back({ kBlockTextureFiles[i], painters[i](kBlockTextureSize).toImage() });
    return out;
}

} // namespace datagen
