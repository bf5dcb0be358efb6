#pragma once

#include <iosfwd>
#include <optional>
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
//   --frame-stats FILE    write frame time figures to FILE at exit
//   --give ITEM COUNT     a new player carries COUNT of ITEM (dynamite, fish, jetpack,
//                         ball, potion or hands), held in the order given
//   --log-player          print "Player: x y z speed s stamina t" four times a second of
//                         play, and "Explosion: x y z ground h" for every explosion
//                         followed by the ground height there on every later line
DevOptions parseDevOptions(const std::vector<std::string>& args, std::ostream& err);

// The options of this run (defaults until main parses the command line).
extern DevOptions gDevOptions;

// The yaw in degrees that turns a body facing -z (the player's start) to face along (dx, dz).
float yawToward(float dx, float dz);
