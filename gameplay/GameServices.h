#pragma once

// What the game offers the things in its world, in the roles their callers
// use: what the creatures read of the game and ask of its world
// (CreatureView), what they set off in it (CreatureEffects), and what items,
// world objects and projectiles do to it (GameEffects). GameServices is all
// three; the game implements it over its World (app/RunningGame); tests
// implement what they watch.
//
// Every operation has a neutral default, so each role itself stands for
// "no game": world objects made by structure generation on the workers, or in
// tools, then act on nothing.

#include "gameplay/Explosion.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <optional>

class Cat;
class Death;
class FlyingFish;
class MovingObject;
class ParticleSystem;
class Projectile;

// The player and the game-wide values the creatures read (the ball in flight,
// the thrown fish, the death and potion timers, the outdoor level), and the
// world's placement and line-of-sight queries.
class CreatureView {
public:
    virtual ~CreatureView() = default;

    // The player. Without one the position is the origin and the count 0.
    virtual bool hasPlayer() const { return false; }
    virtual glm::vec3 playerPosition() const { return glm::vec3(0.0f); }
    virtual int catCount() const { return 0; }

    // -1 when no death sequence runs, else its seconds so far.
    virtual float deathTimer() const { return -1.0f; }
    // Seconds of potion protection left.
    virtual float potionTimer() const { return 0.0f; }
    // The smoothed outdoor level: above 0.3 counts as outdoors.
    virtual float coverLevel() const { return 1.0f; }

    // The ball in flight, if any.
    virtual std::optional<glm::vec3> ballPosition() const { return std::nullopt; }
    // The last thrown fish whose taken flag is clear, or null.
    virtual FlyingFish* lastUntakenFish() { return nullptr; }
    virtual glm::vec3 fishPosition(const FlyingFish& fish) const;
    // Takes the fish when it lies at rest within reach of `from` and nobody
    // took it yet; whether it was taken now.
    virtual bool takeFish(FlyingFish& fish, const glm::vec3& from)
    {
        (void)fish;
        (void)from;
        return false;
    }

    // Line of sight from the player to the body: -1 out of his view, else the
    // number of its samples he sees (0 to 9).
    virtual int visibleSampleCount(const MovingObject& body)
    {
        (void)body;
        return -1;
    }
    virtual bool spawnNear(
        MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance, bool requireInView)
    {
        (void)body;
        (void)centre;
        (void)minDistance;
        (void)maxDistance;
        (void)requireInView;
        return false;
    }
};

// What the creatures set off in the game: a cat found, Death's threat and
// catch, the cats that split.
class CreatureEffects {
public:
    virtual ~CreatureEffects() = default;

    // One more cat found; returns the player's new count.
    virtual int countFoundCat() { return 0; }
    // Death's threat level for this step (drives heartbeat and noise).
    virtual void setThreat(float level) { (void)level; }
    virtual void startDeathSequence() { }
    // A free cat found at the position (counted, announced, added to the world).
    virtual void addCat(const glm::vec3& position, bool golden)
    {
        (void)position;
        (void)golden;
    }
    virtual Death* death() { return nullptr; }
    virtual void catBurst(const glm::vec3& center, int count, float size)
    {
        (void)center;
        (void)count;
        (void)size;
    }
};

// What items, world objects and projectiles do to the game: items handed
// over, the potion, new projectiles, blasts, the flames, sounds, particles.
class GameEffects {
public:
    virtual ~GameEffects() = default;

    // The player receives `count` items of `type`.
    virtual void giveItem(int type, int count)
    {
        (void)type;
        (void)count;
    }
    // A potion was drunk: protection for `seconds`.
    virtual void startPotion(float seconds) { (void)seconds; }
    // The potion's glow on the screen rises to at least `factor`.
    virtual void raisePotionGlow(float factor) { (void)factor; }
    // The free cat nearest to the player within 2 units, or null.
    virtual Cat* nearestCat() { return nullptr; }

    // A thrown or shot body joins the world, which owns it from now on.
    virtual void addProjectile(std::unique_ptr<Projectile> projectile);
    // The whole blast: sparks, the explosion sound, the camera shake, and air
    // into its sphere, of which every world object of the loaded chunks is told.
    virtual void explode(const Explosion& blast) { (void)blast; }
    // Moves the one fire effect.
    virtual void moveFire(const glm::vec3& position) { (void)position; }
    // One-shot sound at a position, zero velocity.
    virtual void playSound(int sound, const glm::vec3& position)
    {
        (void)sound;
        (void)position;
    }
    // The particle system effects spawn into; null where nothing is drawn.
    virtual ParticleSystem* particles() { return nullptr; }
    // The camera's view matrix as the last drawn frame left it; flying bodies
    // turn their models' normal matrices with it.
    virtual glm::mat4 viewMatrix() const { return glm::mat4(1.0f); }
};

// Everything at once: what the world hands its bodies and world objects, who
// may use any role.
class GameServices : public CreatureView, public CreatureEffects, public GameEffects {
};

// The stand-in where no game runs; it holds nothing and changes nothing.
GameServices& noGame();
