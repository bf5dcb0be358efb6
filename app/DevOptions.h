#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Command-line options for developers and the end-to-end tests. A player
// never needs one: the game starts the same without them. Anything the
// parser does not understand gets one line on the error stream and is
// ignored, so a typo never keeps the game from starting.
struct DevOptions {
    // Where a new game puts the player on the surface (the x and z of a fresh player).
    float startX = 0.0f;
    float startZ = 0.0f;
    // A new player faces this point (x, z) instead of a random way.
    bool lookAtSet = false;
    float lookAtX = 0.0f;
    float lookAtZ = 0.0f;
    // A caged cat is put on the ground just in front of a new game's player.
    bool cageInFront = false;
    // Seconds between Death's attacks once the player has a cat (0: the game's own).
    float deathInterval = 0.0f;
    // Frame pacing figures are written here at exit when set.
    std::string frameStatsFile;
    // Items a new player carries from the start: (item type number, count).
    std::vector<std::pair<int, int>> items;
    // A line with the player's position, speed and stamina every quarter second of play.
    bool logPlayer = false;
};

// Reads argv[1..]. Options:
//   --start-at X Z        start position on the surface
//   --look-at X Z         a new player faces the point (X, Z)
//   --cage                a caged cat on the ground in front of the player at start
//   --death-after S       Death attacks every S seconds (1 to 1000) once he has a cat
//   --frame-stats FILE    write frame time figures to FILE at exit
//   --give ITEM COUNT     a new player carries COUNT of ITEM (dynamite, fish, jetpack,
//                         ball, potion or hands), held in the order given
//   --log-player          print "Player: x y z speed s stamina t cats n cat d rage r
//                         yaw a death x y z" four times a second of play (d: distance
//                         to the nearest cat, -1 for none; r: Death's rage; a: the way
//                         he faces, in the degrees of --look-at's turn; Death is below
//                         the world while it is away), and "Explosion: x y z ground h"
//                         for every explosion, followed by " ground at explosion h"
//                         on every later Player line
DevOptions parseDevOptions(const std::vector<std::string>& args, std::ostream& err);

// How each option above is written and what it does in a line, for --help.
struct DevOptionUsage {
    const char* synopsis; // "--start-at X Z"
    const char* summary;
};
std::span<const DevOptionUsage> devOptionUsages();

// The yaw in degrees that turns a body facing -z (the player's start) to face along (dx, dz).
float yawToward(float dx, float dz);
