#include "base/BlockType.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

// The rows the world asks instead of comparing with air: air is the one type
// that is neither drawn nor solid, and bytes that are no block (the split mark)
// must never read as something a body hits or a mesh draws.
TEST(BlockDefs, AirIsEmptyEveryMaterialIsADrawnOpaqueSolidAndBytesBeyondAreNothing)
{
    ASSERT_EQ(BLOCK_MATERIAL_COUNT, 23);
    const BlockDef& air = blockDef(BLOCK_AIR);
    EXPECT_FALSE(air.drawn() || air.opaque || air.solid);
    EXPECT_TRUE(air.letsLightThrough);

    std::set<std::string> files;
    for (int t = 1; t < BLOCK_TYPE_COUNT; ++t) {
        SCOPED_TRACE(t);
        const BlockDef& def = blockDef(BlockType(t));
        EXPECT_TRUE(def.drawn() && def.opaque && def.solid);
        EXPECT_FALSE(def.letsLightThrough);
        // Layer t - 1 of the block array texture is the row's own file, and no other row's.
        EXPECT_STREQ(blockTexturePaths[size_t(t - 1)], def.texture);
        EXPECT_TRUE(files.insert(def.texture).second) << "two materials share " << def.texture;
    }
    EXPECT_STREQ(blockTexturePaths.front(), "textures/dirt.png");

    for (int byte : { BLOCK_TYPE_COUNT, 100, int(MIXED_NODE) }) {
        const BlockDef& none = blockDef(BlockType(byte));
        EXPECT_FALSE(none.drawn() || none.opaque || none.solid) << byte;
    }
    EXPECT_TRUE(isBlockType(BLOCK_AIR));
    EXPECT_TRUE(isBlockType(BLOCK_STONE_CRACKS));
    EXPECT_FALSE(isBlockType(BLOCK_TYPE_COUNT));
    EXPECT_FALSE(isBlockType(-1));
    EXPECT_FALSE(isBlockType(MIXED_NODE));
}
