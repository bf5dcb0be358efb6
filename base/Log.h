#pragma once

// The one way the game writes to its console and the one way it gives up.
// Nothing here has levels or timestamps: each call writes exactly the text it
// is given, so players and tests read the same lines the game always wrote.
// Standard output is flushed where a line is meant to be seen at once (a
// pipe only passes on what was flushed); the error stream is unbuffered.

#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

// Standard output, for readers that take a stream so that tests can hand
// them a string stream instead.
std::ostream& logStream();
// The error stream, likewise.
std::ostream& errorStream();

// The parts written one after another as a stream with default formatting
// writes them (numbers as `<<` prints them), for lines built from values.
template <typename... Parts> std::string joinText(const Parts&... parts)
{
    std::ostringstream text;
    if constexpr (sizeof...(parts) > 0)
        (text << ... << parts);
    return text.str();
}

// `line` and an end of line on standard output, flushed.
void logLine(std::string_view line);
// `text` on standard output as it is (the caller writes its own line feeds),
// left to the stream's buffer unless `flush` is set.
void logText(std::string_view text, bool flush = false);
// `line` and an end of line on the error stream.
void logError(std::string_view line);

// Ends the program with exit code 1 after `message` and an end of line on the
// error stream. Only for the few conditions the game cannot go on from; the
// normal exit path runs, so buffered standard output still reaches its reader.
[[noreturn]] void fatal(std::string_view message);
// What fatal does after its message and before the exit (once; empty: nothing), so
// what the player already chose is not lost with the game. Main thread only.
void setLastWordsBeforeFatal(std::function<void()> lastWords);
