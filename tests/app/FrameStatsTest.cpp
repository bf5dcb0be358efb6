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
    EXPECT_EQ(text.find("split frames"), std::string::npos) << "no pass figures without split frames";

    // Split frames: each pass's time, primitives and fragments, and the terrain per pass.
    stats.setPassNames({ "shadow", "world" });
    stats.addSplitFrame({ 2.0, 5.0 }, { 100.0, 300.0 }, { 4000.0, 9000.0 });
    stats.addSplitFrame({ 4.0, 7.0 }, { 120.0, 320.0 }, {});
    stats.addTerrainFrame(40.0, 900.0, 2500.0);
    stats.addFrame(30.0, 45.0);
    const std::string split = stats.report();
    for (const char* line : { "split frames 2\n", "pass shadow ms median 2.000 p10 2.000\n",
             "pass world primitives median 300 fragments median 9000\n", "fragments per frame median 13000\n",
             "terrain triangles shadow median 900\n", "terrain triangles world median 2500\n",
             "frame cpu ms median 45.000" })
        EXPECT_NE(split.find(line), std::string::npos) << line << " in\n" << split;

    testing::internal::CaptureStderr();
    EXPECT_FALSE(stats.writeReport("/nonexistent-folder/stats.txt"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not write frame statistics"), std::string::npos);
}
