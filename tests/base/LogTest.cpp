#include "base/Log.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

TEST(Log, WritesExactlyTheTextEachCallIsGivenToItsStream)
{
    CaptureStdout();
    CaptureStderr();
    logText("World: Chunks deleted.\n");
    logLine("Terminated!");
    logText("no line feed", true);
    logError("cam not set!");
    logError("");
    EXPECT_EQ(GetCapturedStdout(), "World: Chunks deleted.\nTerminated!\nno line feed");
    EXPECT_EQ(GetCapturedStderr(), "cam not set!\n\n");
}

TEST(Log, JoinedValuesReadAsAStreamWritesThem)
{
    // Lines that once were built with << keep their numbers' look.
    EXPECT_EQ(joinText("length ", 1.0f / 3.0f, " of ", 2, " at ", 1e7f), "length 0.333333 of 2 at 1e+07");
    EXPECT_EQ(joinText("GL error 0x", std::hex, 1282u, std::dec, " then ", 10), "GL error 0x502 then 10");
    EXPECT_EQ(
        joinText(std::fixed, std::setprecision(2), "Player: ", 1.005f, " ", -3.0f), "Player: 1.00 -3.00");
    EXPECT_EQ(joinText(), "");
}

TEST(Log, LinesFromSeveralThreadsStayWhole)
{
    // Workers report destroyed chunks while the main thread reports uploads.
    constexpr int kThreads = 4, kLines = 300;
    CaptureStdout();
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i)
                logLine(joinText("Thread: ", t, " line ", i, " Chunks destroyed!"));
        });
    for (std::thread& thread : threads)
        thread.join();
    std::istringstream out(GetCapturedStdout());
    std::set<std::string> seen;
    for (std::string line; std::getline(out, line);)
        seen.insert(line);
    ASSERT_EQ(seen.size(), size_t(kThreads * kLines));
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kLines; i += 37)
            EXPECT_TRUE(seen.count(joinText("Thread: ", t, " line ", i, " Chunks destroyed!")))
                << t << " " << i;
}

TEST(LogDeathTest, FatalEndsWithCodeOneAfterItsMessageOnTheErrorStream)
{
    EXPECT_EXIT(fatal("bind: no shader loaded!"), testing::ExitedWithCode(1), "^bind: no shader loaded!\n$");
    EXPECT_EXIT(
        {
            logError("GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT");
            fatal("Framebuffer error!");
        },
        testing::ExitedWithCode(1), "^GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT\nFramebuffer error!\n$");
    // The last words run once, after the message; one that is fatal itself ends there.
    EXPECT_EXIT(
        {
            setLastWordsBeforeFatal([] { fatal("Settings could not be saved!"); });
            fatal("cam not set!");
        },
        testing::ExitedWithCode(1), "^cam not set!\nSettings could not be saved!\n$");
}
