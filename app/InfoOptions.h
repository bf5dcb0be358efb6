#pragma once

// --help and --version: questions about the program, answered before
// anything starts. Answering opens no window, reads or writes no file and
// needs no display, so a packager's or player's shell can always ask.

#include "app/DevOptions.h"

#include <algorithm>
#include <iomanip>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

inline void printVersion(std::ostream& out, std::string_view version)
{
    out << "mossgrave " << version << "\n"
        << "License GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>: "
           "free software without any warranty.\n";
}

inline void printHelp(std::ostream& out)
{
    const auto option = [&out](const char* synopsis, const char* summary) {
        out << "  " << std::left << std::setw(19) << synopsis << summary << "\n";
    };
    out << "Usage: mossgrave [OPTION]...\n"
           "A single-player, first-person survival game in an endless voxel world of\n"
           "forest and desert, always at night: free the cats locked in cages before\n"
           "Death finds you.\n"
           "\n"
           "The game reads config.txt in the folder it runs in and adds every missing\n"
           "setting to it with its default. The mossgrave launcher runs it in\n"
           "$XDG_DATA_HOME/mossgrave (~/.local/share/mossgrave) and keeps all it printed\n"
           "in $XDG_STATE_HOME/mossgrave/last.log (~/.local/state/mossgrave/last.log).\n"
           "\n";
    option("--help", "print this help and exit");
    option("--version", "print the version and the licence and exit");
    out << "\nDeveloper options (a player needs none):\n";
    for (const DevOptionUsage& usage : devOptionUsages())
        option(usage.synopsis, usage.summary);
    out << "\nThe controls and the settings are in mossgrave(6).\n";
}

// The exit code when `args` asks for --help or --version (the first one
// given wins), after the answer went to `out`; nothing when it asks neither.
// An answer that cannot be written (a full disk, a closed pipe) ends with 1,
// as a shell expects of any program whose output was lost.
inline std::optional<int> answerInfoOptions(
    const std::vector<std::string>& args, std::string_view version, std::ostream& out)
{
    const auto asked = std::find_if(args.begin(), args.end(),
        [](const std::string& arg) { return arg == "--help" || arg == "--version"; });
    if (asked == args.end())
        return std::nullopt;
    if (*asked == "--help")
        printHelp(out);
    else
        printVersion(out, version);
    out.flush();
    return out ? 0 : 1;
}
