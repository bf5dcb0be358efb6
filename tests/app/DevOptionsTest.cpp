#include "app/DevOptions.h"
#include "app/InfoOptions.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

DevOptions parse(const std::vector<std::string>& args, std::string* messages = nullptr)
{
    std::ostringstream err;
    DevOptions options = parseDevOptions(args, err);
    if (messages)
        *messages = err.str();
    return options;
}

}

TEST(DevOptions, NoArgumentsStartLikeAPlayersGame)
{
    std::string messages;
    const DevOptions options = parse({}, &messages);
    EXPECT_FLOAT_EQ(options.startX, 0.0f);
    EXPECT_FLOAT_EQ(options.startZ, 0.0f);
    EXPECT_TRUE(options.frameStatsFile.empty());
    EXPECT_FALSE(options.logPlayer);
    EXPECT_EQ(messages, "");
}

TEST(DevOptions, EveryOptionTogetherInAnyOrder)
{
    std::string messages;
    const DevOptions options
        = parse({ "--log-player", "--start-at", "-250.5", "1e3", "--frame-stats", "frames.txt" }, &messages);
    EXPECT_FLOAT_EQ(options.startX, -250.5f);
    EXPECT_FLOAT_EQ(options.startZ, 1000.0f);
    EXPECT_EQ(options.frameStatsFile, "frames.txt");
    EXPECT_TRUE(options.logPlayer);
    EXPECT_EQ(messages, "");
}

// A bad value is reported and left at its default; the options after it still count.
TEST(DevOptions, BadValuesAreReportedAndIgnored)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        { { "--start-at" }, "needs two numbers" },
        { { "--start-at", "5" }, "needs two numbers" },
        { { "--start-at", "12abc", "4" }, "needs two numbers" },
        { { "--start-at", "nan", "4" }, "needs two numbers" },
        { { "--start-at", "4", "inf" }, "needs two numbers" },
        { { "--start-at", "1e30", "0" }, "out of range" },
        { { "--frame-stats" }, "needs a file name" },
        { { "--frame-stats", "--log-player" }, "needs a file name" },
        { { "--fly" }, "Unknown option --fly ignored." },
    };
    for (const Case& c : cases) {
        std::string messages;
        const DevOptions options = parse(c.args, &messages);
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : std::string()));
        EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        EXPECT_FLOAT_EQ(options.startX, 0.0f);
        EXPECT_FLOAT_EQ(options.startZ, 0.0f);
        EXPECT_TRUE(options.frameStatsFile.empty());
    }
    // "--frame-stats --log-player": the next option is not taken for a file name.
    EXPECT_TRUE(parse({ "--frame-stats", "--log-player" }).logPlayer);
    // A start position with one bad number does not eat the option after it.
    EXPECT_EQ(parse({ "--start-at", "x", "--frame-stats", "f" }).frameStatsFile, "f");
}

TEST(DevOptions, ItemsAreGivenByNameInOrder)
{
    std::string messages;
    const DevOptions options = parse({ "--give", "fish", "2", "--give", "dynamite", "5" }, &messages);
    ASSERT_EQ(options.items.size(), 2u);
    EXPECT_EQ(options.items[0], std::make_pair(1, 2)); // fish
    EXPECT_EQ(options.items[1], std::make_pair(0, 5)); // dynamite, held last
    EXPECT_EQ(messages, "");

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>> {
             { "--give" }, { "--give", "dynamite" }, { "--give", "bazooka", "1" }, { "--give", "fish", "0" },
             { "--give", "fish", "-3" }, { "--give", "fish", "2.5" }, { "--give", "fish", "1e9" } }) {
        const DevOptions ignored = parse(bad, &messages);
        EXPECT_TRUE(ignored.items.empty()) << bad.back();
        EXPECT_NE(messages.find("Option --give needs an item"), std::string::npos) << messages;
    }
    messages.clear();
    parse({ "--give", "bazooka", "1" }, &messages);
    EXPECT_EQ(messages.substr(0, messages.find('\n') + 1),
        "Option --give needs an item (dynamite, fish, jetpack, ball, potion or hands) and a count from 1 to "
        "10000; ignored.\n");

    // The help names every item, each by the number of its place in the list.
    std::string summary;
    for (const DevOptionUsage& usage : devOptionUsages()) {
        if (std::string(usage.synopsis) == "--give ITEM COUNT")
            summary = usage.summary;
    }
    EXPECT_EQ(summary, "COUNT of ITEM: dynamite, fish, jetpack, ball, potion, hands");
    std::istringstream names(summary.substr(summary.find(": ") + 2));
    int type = 0;
    for (std::string name; std::getline(names >> std::ws, name, ',');) {
        const DevOptions given = parse({ "--give", name, "1" }, &messages);
        ASSERT_EQ(given.items.size(), 1u) << name;
        EXPECT_EQ(given.items[0], std::make_pair(type++, 1)) << name;
    }
    EXPECT_EQ(type, 6);
}

// --look-at turns a new player, who faces -z, toward the point: the turn must
// bring his view onto the direction of the point, whichever quarter it lies in.
TEST(DevOptions, YawTowardFacesThePoint)
{
    EXPECT_NE(parse({ "--look-at", "3", "-4" }).lookAtSet, false);
    EXPECT_FLOAT_EQ(parse({ "--look-at", "3", "-4" }).lookAtZ, -4.0f);
    for (const auto& [dx, dz] : std::vector<std::pair<float, float>> {
             { 0, -1 }, { 0, 1 }, { 1, 0 }, { -1, 0 }, { 3, -4 }, { -2, 5 }, { 0.5f, 0.5f } }) {
        const float yaw = yawToward(dx, dz);
        const glm::vec4 view = glm::rotate(glm::mat4(1.0f), glm::radians(yaw), glm::vec3(0, 1, 0))
            * glm::vec4(0, 0, -1, 0);
        const float length = std::hypot(dx, dz);
        EXPECT_NEAR(view.x, dx / length, 1e-5f) << dx << " " << dz;
        EXPECT_NEAR(view.z, dz / length, 1e-5f) << dx << " " << dz;
    }
}

// The help's table is written apart from the parser: each line, filled with
// sample values, must be an option the parser takes without a complaint.
TEST(DevOptions, EveryOptionInTheHelpIsUnderstood)
{
    const std::map<std::string, std::string> samples = { { "X", "12" }, { "Z", "-7" }, { "ITEM", "fish" },
        { "COUNT", "3" }, { "S", "5" }, { "FILE", "f.txt" } };
    ASSERT_EQ(devOptionUsages().size(), 7u);
    for (const DevOptionUsage& usage : devOptionUsages()) {
        std::vector<std::string> args;
        std::istringstream words(usage.synopsis);
        for (std::string word; words >> word;)
            args.push_back(samples.count(word) ? samples.at(word) : word);
        std::string messages;
        parse(args, &messages);
        EXPECT_EQ(messages, "") << usage.synopsis;
    }
}

TEST(InfoOptions, VersionAndHelpAnswerAndEverythingElseStartsTheGame)
{
    std::ostringstream out;
    EXPECT_EQ(answerInfoOptions({}, "1.2.3", out), std::nullopt);
    EXPECT_EQ(answerInfoOptions({ "--start-at", "1", "2", "--fly" }, "1.2.3", out), std::nullopt);
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(answerInfoOptions({ "--log-player", "--version" }, "1.2.3", out), 0);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "mossgrave 1.2.3");
    EXPECT_NE(out.str().find("GPL-3.0-or-later"), std::string::npos);

    // The first question asked is the one answered.
    std::ostringstream help;
    EXPECT_EQ(answerInfoOptions({ "--help", "--version" }, "1.2.3", help), 0);
    const std::string text = help.str();
    EXPECT_EQ(text.rfind("Usage: mossgrave", 0), 0u) << text;
    EXPECT_EQ(text.find("mossgrave 1.2.3"), std::string::npos);
    for (const char* needed : { "config.txt", "~/.local/share/mossgrave", "last.log", "--version" })
        EXPECT_NE(text.find(needed), std::string::npos) << needed;
    for (const DevOptionUsage& usage : devOptionUsages())
        EXPECT_NE(text.find(std::string("  ") + usage.synopsis + " "), std::string::npos) << usage.synopsis;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 80u) << line;

    // An answer that cannot be written is a failure, not a silent success.
    std::ostringstream lost;
    lost.setstate(std::ios::badbit);
    EXPECT_EQ(answerInfoOptions({ "--version" }, "1.2.3", lost), 1);
}
