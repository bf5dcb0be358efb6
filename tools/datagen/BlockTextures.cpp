#include "base/BlockType.h"
#include "tools/datagen/BlockPainters.h"
#include "tools/datagen/TextureSet.h"

namespace datagen {

// The game reads its block textures from the shared table, so the files are named from it too.
const std::array<const char*, BLOCK_MATERIAL_COUNT> kBlockTextureFiles = blockTexturePaths;

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
