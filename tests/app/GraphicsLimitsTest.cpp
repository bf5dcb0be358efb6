#include "app/GraphicsLimits.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(GraphicsLimits, AnisotropyAboveTheHardwareIsLoweredWithOneLine)
{
    std::ostringstream err;
    int setting = 32;
    EXPECT_TRUE(lowerAnisotropy(setting, 16.0f, err));
    EXPECT_EQ(setting, 16);
    EXPECT_EQ(err.str(),
        "Set Anisotropic Filtering Level to max supported Level: 16 instead of config setting: 32\n");

    err.str("");
    setting = 16;
    EXPECT_FALSE(lowerAnisotropy(setting, 16.0f, err));
    setting = 8;
    EXPECT_FALSE(lowerAnisotropy(setting, 16.0f, err));
    EXPECT_EQ(setting, 8);
    EXPECT_EQ(err.str(), "");

    setting = 4; // a fractional limit is truncated
    EXPECT_TRUE(lowerAnisotropy(setting, 2.5f, err));
    EXPECT_EQ(setting, 2);
}

TEST(GraphicsLimits, SampleCountAboveTheHardwareIsLoweredWithOneLine)
{
    std::ostringstream err;
    int factor = 8;
    EXPECT_TRUE(lowerSampleCount(factor, 4, err));
    EXPECT_EQ(factor, 4);
    EXPECT_EQ(err.str(), "Set Anti-Aliasing Factor to max supported Level: 4 instead of config setting: 8\n");

    err.str("");
    for (int ok : { 1, 2, 4 }) {
        factor = ok;
        EXPECT_FALSE(lowerSampleCount(factor, 4, err));
        EXPECT_EQ(factor, ok);
    }
    EXPECT_EQ(err.str(), "");

    factor = 16; // a driver reporting no multisampling still draws one sample
    EXPECT_TRUE(lowerSampleCount(factor, 0, err));
    EXPECT_EQ(factor, 1);
}

} // namespace

TEST(GraphicsLimits, SoftwareRenderersFilterWithoutAnisotropy)
{
    struct Case {
        const char* renderer;
        int level;
        int expected;
    };
    const Case cases[] = {
        { "llvmpipe (LLVM 15.0.6, 256 bits)", 8, 1 },
        { "softpipe", 16, 1 },
        { "Software Rasterizer (swrast)", 2, 1 },
        { "llvmpipe (LLVM 15.0.6, 256 bits)", 1, 1 }, // nothing to lower: no line
        { "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", 8, 8 },
        { "", 8, 8 }, // no renderer string: keep what the player chose
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        int level = c.level;
        const bool lowered = lowerAnisotropyForSoftware(level, c.renderer, err);
        SCOPED_TRACE(c.renderer);
        EXPECT_EQ(level, c.expected);
        EXPECT_EQ(lowered, c.level != c.expected);
        EXPECT_EQ(err.str().empty(), !lowered) << err.str();
    }
}
