// Structures seen in the game: the player is put a few steps from a village
// house or a big house of the tests' fixed seed, facing it, and the
// screenshot shows it in its own material (saved in the test folder as
// village-house-N.png and big-house-N.png for a person to look at).
#include "GameTest.h"

#include "base/TerrainCodes.h"
#include "world/TerrainSampler.h"
#include "world/WorldGenerator.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

constexpr int kSeed = 1234; // smallConfig's World_Random_Seed

// The site of the structure `feature` nearest the origin within a few chunks of it.
std::optional<glm::vec3> nearestSite(int feature)
{
    const WorldGenerator generator(kSeed);
    const terrain::TerrainSampler sampler = generator.sampler();
    terrain::ChunkColumns columns;
    std::optional<glm::vec3> best;
    for (int32_t cz = -3; cz <= 3; ++cz) {
        for (int32_t cx = -3; cx <= 3; ++cx) {
            sampler.columns(cx, cz, columns);
            for (int k = 0; k < terrain::kColumns; ++k) {
                for (int i = 0; i < terrain::kColumns; ++i) {
                    const int index = k * terrain::kColumns + i;
                    if (columns.feature[index] != feature)
                        continue;
                    const glm::vec3 site(cx * terrain::kChunkSize + i * 0.5f, columns.height[index],
                        cz * terrain::kChunkSize + k * 0.5f);
                    if (!best || std::hypot(site.x, site.z) < std::hypot(best->x, best->z))
                        best = site;
                }
            }
        }
    }
    return best;
}

class StructureTest : public GameTest {
protected:
    // Starts `away` units from the site (along both axes, or along x alone
    // when `inside` is 0), facing the point `inside` units into the structure
    // along both axes, and returns the screenshot once he stands.
    Picture standBefore(const glm::vec3& site, const std::string& name, float away = 5.0f, float inside = 3.0f)
    {
        const glm::vec2 look(site.x + inside, site.z + inside);
        const glm::vec2 start(site.x - away, site.z - (inside > 0.0f ? away : 0.0f));
        // Nine chunks: a structure may reach over a chunk border.
        writeConfig(smallConfig({ { "Chunk_View_Distance", "1" } }));
        launch({ "--start-at", std::to_string(start.x), std::to_string(start.y), "--look-at",
            std::to_string(look.x), std::to_string(look.y) });
        EXPECT_TRUE(waitForMenu());
        EXPECT_TRUE(startPlaying());
        // The view opens from a small circle, a step per frame; with a software
        // renderer that takes a while. Wait until the picture stops growing.
        double last = -1.0;
        waitUntil(
            [&] {
                const double now = pixels::mean(shot("opening"));
                const bool still = last >= 0.0 && std::fabs(now - last) < 0.001;
                last = now;
                return still;
            },
            60s, 3s);
        const Picture picture = shot(name);
        // MOSSGRAVE_KEEP_SHOTS=folder keeps a copy after the test folder is gone.
        if (const char* keep = std::getenv("MOSSGRAVE_KEEP_SHOTS"))
            screen.shoot(std::filesystem::path(keep) / (name + ".png"), area);
        return picture;
    }
    void quit()
    {
        press("Escape");
        press("Up"); // "Quit", the last entry
        press("Return");
        EXPECT_EQ(finish(), 0);
    }
};

} // namespace

TEST_F(StructureTest, AVillageHouseStandsWhereTheGeneratorPutIt)
{
    const auto site = nearestSite(terrain::CODE_VILLAGE_HOUSE);
    ASSERT_TRUE(site) << "no village house near the origin for seed " << kSeed;
    const Picture picture = standBefore(*site, "village-house");
    ASSERT_FALSE(picture.empty());
    // Lit walls fill the flashlight's cone: a bright, detailed middle of the picture.
    const Area middle { picture.width / 3, picture.height / 3, picture.width / 3, picture.height / 3 };
    EXPECT_GT(pixels::mean(picture, middle), 0.02);
    EXPECT_GT(pixels::contrast(picture, middle), 0.02);
    // This house is built of red brick.
    double red = 0, green = 0;
    for (int y = middle.y; y < middle.y + middle.height; ++y) {
        for (int x = middle.x; x < middle.x + middle.width; ++x) {
            red += picture.at(x, y, 0);
            green += picture.at(x, y, 1);
        }
    }
    EXPECT_GT(red, green * 1.4) << "red " << red << " green " << green;
    quit();
}

TEST_F(StructureTest, ABigHouseStandsWhereTheGeneratorPutIt)
{
    const auto site = nearestSite(terrain::CODE_BIG_HOUSE);
    ASSERT_TRUE(site) << "no big house near the origin for seed " << kSeed;
    const Picture picture = standBefore(*site, "big-house", 25.0f, 0.0f);
    ASSERT_FALSE(picture.empty());
    const Area middle { picture.width / 3, picture.height / 3, picture.width / 3, picture.height / 3 };
    EXPECT_GT(pixels::mean(picture, middle), 0.02);
    EXPECT_GT(pixels::contrast(picture, middle), 0.02);
    // Its outer wall is pale stucco: lit, warm but hardly saturated (neither
    // green ground, nor red brick, nor the black night).
    int stucco = 0;
    for (int y = middle.y; y < middle.y + middle.height; ++y) {
        for (int x = middle.x; x < middle.x + middle.width; ++x) {
            const float r = picture.at(x, y, 0), g = picture.at(x, y, 1), b = picture.at(x, y, 2);
            stucco += r > 0.2f && r >= g && g >= b && g > 0.8f * r && b > 0.55f * r;
        }
    }
    EXPECT_GT(stucco, middle.width * middle.height * 2 / 5)
        << stucco << " of " << middle.width * middle.height << " pixels are stucco";
    quit();
}
