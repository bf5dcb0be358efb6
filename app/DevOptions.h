#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Command-line options for developers and the end-to-end tests. A player
// never needs one: the game starts the same without them. Anything the
// parser does not understand gets one line on the error stream and is
// ignored, so a typo never keeps the game from starting.
struct DevOptions {
    // Where a new game puts the player on the surface (the x and z of a fresh player).
    float startX = 0.0f;
    float startZ = 0.0f;
    // Frame pacing figures are written here at exit when set.
    std::string frameStatsFile;
    // A line with the player's position, speed and stamina every quarter second of play.
    bool logPlayer = false;
};

// Reads argv[1..]. Options:
//   --start-at X Z        start position on the surface
//   --frame-stats FILE    write frame time figures to FILE at exit
//   --log-player          print "Player: x y z speed s stamina t" four times a second of play
DevOptions parseDevOptions(const std::vector<std::string>& args, std::ostream& err);

// The options of this run (defaults until main parses the command line).
extern DevOptions gDevOptions;
