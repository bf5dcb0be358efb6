// The private X server used by every test that needs a display.
#include "XvfbServer.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

TEST(XvfbServerTest, ParallelServersTakeDifferentDisplaysAndStopByPid)
{
    if (!XvfbServer::installed())
        GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer a, b;
    ASSERT_TRUE(a.start(150, 160, "64x64x24")) << a.error();
    ASSERT_TRUE(b.start(150, 160, "64x64x24")) << b.error();
    EXPECT_NE(a.displayNumber(), b.displayNumber());
    EXPECT_EQ(a.display(), ":" + std::to_string(a.displayNumber()));
    const std::string lock = "/tmp/.X" + std::to_string(a.displayNumber()) + "-lock";
    EXPECT_TRUE(std::filesystem::exists(lock));

    const pid_t pid = a.pid();
    a.stop();
    EXPECT_FALSE(a.running());
    EXPECT_NE(kill(pid, 0), 0); // gone and reaped
    EXPECT_FALSE(std::filesystem::exists(lock));
    EXPECT_TRUE(b.running());
    EXPECT_EQ(kill(b.pid(), 0), 0);
}

TEST(XvfbServerTest, NoFreeDisplayIsReported)
{
    if (!XvfbServer::installed())
        GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer a, b;
    ASSERT_TRUE(a.start(161, 161, "64x64x24")) << a.error();
    EXPECT_FALSE(b.start(161, 161, "64x64x24"));
    EXPECT_EQ(b.error(), "no free display between :161 and :161");
}
