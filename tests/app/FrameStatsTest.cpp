#include "app/FrameStats.h"

#include <gtest/gtest.h>

TEST(FrameStats, PercentilesUseTheNearestRank)
{
    std::vector<double> samples;
    for (int i = 100; i >= 1; --i)
        samples.push_back(double(i));
    EXPECT_EQ(FrameStats::percentile(samples, 0.5), 50.0);
    EXPECT_EQ(FrameStats::percentile(samples, 0.99), 99.0);
    EXPECT_EQ(FrameStats::percentile(samples, 1.0), 100.0);
    EXPECT_EQ(FrameStats::percentile(samples, 0.0), 1.0);
    EXPECT_EQ(FrameStats::percentile({}, 0.5), 0.0);
    EXPECT_EQ(FrameStats::percentile({ 7.0 }, 0.99), 7.0);
    // A single slow frame among a hundred shows in the worst, not the p99.
    samples.assign(99, 16.0);
    samples.push_back(250.0);
    EXPECT_EQ(FrameStats::percentile(samples, 0.99), 16.0);
    EXPECT_EQ(FrameStats::percentile(samples, 1.0), 250.0);
}

TEST(FrameStats, ReportGivesTheFiguresAndFailsLoudlyOnABadPath)
{
    FrameStats stats;
    for (int i = 0; i < 10; ++i)
        stats.addFrame(20.0);
    stats.addWorldUpdate(0.5);
    const std::string text = stats.report();
    EXPECT_NE(text.find("frames 10\n"), std::string::npos);
    EXPECT_NE(text.find("frame ms median 20.000\n"), std::string::npos);
    EXPECT_NE(text.find("fps from median 50.000\n"), std::string::npos);
    EXPECT_NE(text.find("world update ms p99 0.500\n"), std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(stats.writeReport("/nonexistent-folder/stats.txt"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not write frame statistics"), std::string::npos);
}
