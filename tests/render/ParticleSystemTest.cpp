#include "render/ParticleSystem.h"

#include <cstdlib>
#include <glm/geometric.hpp>
#include <gtest/gtest.h>

namespace {

Particle marked(float tag)
{
    Particle p;
    p.position = glm::vec3(tag);
    return p;
}

int totalCount(const std::vector<ParticleRange>& ranges)
{
    int n = 0;
    for (const ParticleRange& r : ranges)
        n += r.count;
    return n;
}

} // namespace

TEST(ParticleSystemTest, StartsWithEveryParticleDead)
{
    ParticleSystem ps;
    ASSERT_EQ(ps.particles.size(), size_t(ParticleSystem::CAPACITY));
    for (const Particle& p : ps.particles)
        ASSERT_EQ(p.spawnTime, p.endTime);
    EXPECT_FALSE(ps.dirty);
    EXPECT_TRUE(ps.takeUploadRanges().empty());
    EXPECT_TRUE(ps.liveRanges().empty()) << "nothing to draw";
}

// Only the live slots are drawn: runs of them, joined across short gaps of dead ones, and
// nothing once they have all died.
TEST(ParticleSystemTest, OnlyLiveParticlesAreDrawnInJoinedRuns)
{
    ParticleSystem ps;
    auto spawn = [&](int at, float lifetime) {
        ps.writeIndex = at;
        Particle p;
        p.spawnTime = ps.time;
        p.endTime = ps.time + lifetime;
        ps.emit(p);
    };
    spawn(ParticleSystem::CAPACITY - 1, 3.0f); // the ring's last slot ...
    spawn(0, 3.0f); // ... and its first, written after it
    spawn(10, 1.0f);
    spawn(500, 3.0f);
    const auto live = ps.liveRanges(16);
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[0].first, 0);
    EXPECT_EQ(live[0].count, 11) << "slots 0 and 10 joined over the dead ones between";
    EXPECT_EQ(live[1].first, 500);
    EXPECT_EQ(live[2].first, ParticleSystem::CAPACITY - 1);
    ps.time = 2.0f; // slot 10 has died
    ASSERT_EQ(ps.liveRanges(16).size(), 3u);
    EXPECT_EQ(ps.liveRanges(16)[0].count, 1);
    EXPECT_EQ(ps.liveRanges(1000).size(), 2u) << "a wide gap joins slot 0 to slot 500";
    ps.time = 3.0f;
    EXPECT_TRUE(ps.liveRanges().empty());
}

TEST(ParticleSystemTest, UploadsOnlyWhatWasWrittenAndWrapsAroundTheRing)
{
    ParticleSystem ps;
    for (int i = 0; i < 10; ++i)
        ps.emit(marked(1.0f));
    auto ranges = ps.takeUploadRanges();
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].first, 0);
    EXPECT_EQ(ranges[0].count, 10);
    EXPECT_FALSE(ps.dirty);
    EXPECT_TRUE(ps.takeUploadRanges().empty());

    // Run the ring up to 5 short of its end, then write 12: 5 at the end, 7 at the start.
    for (int i = 10; i < ParticleSystem::CAPACITY - 5; ++i)
        ps.emit(marked(2.0f));
    ps.takeUploadRanges();
    for (int i = 0; i < 12; ++i)
        ps.emit(marked(3.0f + float(i)));
    EXPECT_EQ(ps.writeIndex, 7);
    ranges = ps.takeUploadRanges();
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].first, ParticleSystem::CAPACITY - 5);
    EXPECT_EQ(ranges[0].count, 5);
    EXPECT_EQ(ranges[1].first, 0);
    EXPECT_EQ(ranges[1].count, 7);
    // The oldest were overwritten.
    EXPECT_EQ(ps.particles[0].position.x, 8.0f);
    EXPECT_EQ(ps.particles[6].position.x, 14.0f);
    EXPECT_EQ(ps.particles[7].position.x, 1.0f);
}

TEST(ParticleSystemTest, WritingMoreThanTheRingBetweenUploadsSendsEverything)
{
    ParticleSystem ps;
    for (int i = 0; i < 3; ++i)
        ps.emit(marked(0.0f));
    ps.takeUploadRanges();
    // A full lap and a bit: the write index passes the uploaded one.
    for (int i = 0; i < ParticleSystem::CAPACITY + 4; ++i)
        ps.emit(marked(1.0f));
    const auto ranges = ps.takeUploadRanges();
    EXPECT_EQ(totalCount(ranges), ParticleSystem::CAPACITY);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].first, 0);

    // An exact lap ends where it began, and still everything is sent.
    for (int i = 0; i < ParticleSystem::CAPACITY; ++i)
        ps.emit(marked(2.0f));
    EXPECT_EQ(totalCount(ps.takeUploadRanges()), ParticleSystem::CAPACITY);
}

TEST(ParticleSystemTest, UpdateAdvancesTimeAndStampsNewParticles)
{
    ParticleSystem ps;
    ps.update(0.5f);
    ps.update(0.25f);
    EXPECT_FLOAT_EQ(ps.time, 0.75f);
    std::srand(1);
    ps.spawnExplosion(glm::vec3(10.0f, 20.0f, 30.0f), 2.0f, 40, 1.5f);
    EXPECT_EQ(ps.writeIndex, 40);
    for (int i = 0; i < 40; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        EXPECT_EQ(p.kind, float(PARTICLE_SPARK));
        EXPECT_FLOAT_EQ(p.spawnTime, 0.75f);
        EXPECT_FLOAT_EQ(p.endTime, 1.75f);
        const float fromCenter = glm::distance(p.position, glm::vec3(10.0f, 20.0f, 30.0f));
        EXPECT_GE(fromCenter, 0.4f - 1e-4f);
        EXPECT_LE(fromCenter, 2.0f + 1e-4f);
        const float speed = glm::length(p.velocity);
        EXPECT_GE(speed, 2.5f * 1.5f - 1e-3f);
        EXPECT_LE(speed, 3.2f * 1.5f + 1e-3f);
        // Thrown straight out from the centre.
        EXPECT_NEAR(glm::dot(glm::normalize(p.velocity), glm::normalize(p.position - glm::vec3(10, 20, 30))),
            1.0f, 1e-3f);
        EXPECT_EQ(p.color.r, 1.0f);
        EXPECT_EQ(p.color.b, 0.0f);
    }
}

TEST(ParticleSystemTest, RainFallsOnlyOverLoadedGroundInsideTheWorld)
{
    ParticleSystem ps;
    std::srand(9);
    const glm::vec3 center(100.0f, 40.0f, -50.0f);
    // Ground only where x > 100; below 1 or above 64 counts as none.
    ps.spawnRain(center, 200, [](float x, float) { return x > 100.0f ? 12.0f : 0.5f; });
    ASSERT_GT(ps.writeIndex, 50);
    ASSERT_LT(ps.writeIndex, 150);
    for (int i = 0; i < ps.writeIndex; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        EXPECT_GT(p.position.x, 100.0f);
        EXPECT_LE(
            glm::distance(glm::vec2(p.position.x, p.position.z), glm::vec2(100.0f, -50.0f)), 30.0f + 1e-3f);
        EXPECT_EQ(p.position.y, 60.0f);
        EXPECT_EQ(p.velocity, glm::vec3(0.0f, -20.0f, 0.0f));
        EXPECT_EQ(p.params.x, 12.0f);
        EXPECT_FLOAT_EQ(p.endTime - p.spawnTime, 3.0f);
        EXPECT_GE(p.color.b, 0.8f);
        EXPECT_LE(p.color.r, 0.5f);
    }
    const int before = ps.writeIndex;
    ps.spawnRain(center, 50, [](float, float) { return 64.0f; });
    ps.spawnRain(center, 50, nullptr);
    EXPECT_EQ(ps.writeIndex, before);
}

TEST(ParticleSystemTest, SplashesShareOneDimmedColour)
{
    ParticleSystem ps;
    ps.spawnSplash(glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(0.0f, 2.0f, 0.0f), 10);
    EXPECT_EQ(ps.writeIndex, 10);
    for (int i = 0; i < 10; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        EXPECT_EQ(p.color, ps.particles[0].color);
        EXPECT_EQ(p.position, glm::vec3(1.0f, 2.0f, 3.0f));
        EXPECT_NEAR(glm::length(p.velocity - glm::vec3(0.0f, 2.0f, 0.0f)), 1.0f, 1e-4f);
    }
    EXPECT_LE(ps.particles[0].color.b, 0.6f + 1e-6f);
    EXPECT_GE(ps.particles[0].color.b, 0.48f - 1e-6f);
}

TEST(ParticleSystemTest, OpenKindsWriteLivingParticlesOfTheirKind)
{
    ParticleSystem ps;
    ps.spawnBurst(glm::vec3(0.0f), { .count = 5, .minSpeed = 1.0f, .maxSpeed = 2.0f });
    ps.spawnJetpackExhaust(glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 0.0f), 5);
    ps.spawnFizz(glm::vec3(0.0f), { .count = 5, .size = 0.5f, .minRise = 0.8f, .maxRise = 1.5f });
    ASSERT_EQ(ps.writeIndex, 15);
    const float kinds[] = { PARTICLE_BURST, PARTICLE_EXHAUST, PARTICLE_FIZZ };
    for (int i = 0; i < 15; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        EXPECT_EQ(p.kind, kinds[i / 5]);
        EXPECT_GT(p.endTime, p.spawnTime);
        EXPECT_LE(p.color.r, 1.0f);
    }
    EXPECT_LT(ps.particles[5].velocity.y, 0.0f); // exhaust blows down
    EXPECT_GT(ps.particles[10].velocity.y, 0.0f); // bubbles rise
}
