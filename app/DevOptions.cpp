#include "app/DevOptions.h"

#include "gameplay/ItemDefs.h"

#include <cmath>
#include <glm/trigonometric.hpp>
#include <ostream>

namespace {

// A finite number and nothing after it; "12abc" or "nan" are typos, not positions.
std::optional<float> number(const std::string& text)
{
    try {
        size_t used = 0;
        const float value = std::stof(text, &used);
        if (used != text.size() || !std::isfinite(value))
            return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The item names a developer types, from the item rows, with `last` before the final one.
std::string itemNames(const char* last)
{
    std::string names;
    const auto defs = itemDefs();
    for (size_t i = 0; i < defs.size(); ++i) {
        if (i > 0)
            names += i + 1 == defs.size() ? last : ", ";
        names += defs[i].optionName;
    }
    return names;
}

// The number at args[j]; nothing when the list ends first.
std::optional<float> numberAt(const std::vector<std::string>& args, size_t j)
{
    if (j >= args.size())
        return std::nullopt;
    return number(args[j]);
}

} // namespace

DevOptions parseDevOptions(const std::vector<std::string>& args, std::ostream& err)
{
    DevOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--start-at" || arg == "--look-at") {
            const auto x = numberAt(args, i + 1);
            const auto z = numberAt(args, i + 2);
            if (!x.has_value() || !z.has_value()) {
                err << "Option " << arg << " needs two numbers, X and Z; ignored.\n";
                continue;
            }
            // Far beyond this the floats that hold world positions lose whole units.
            constexpr float kLimit = 1.0e6f;
            if (std::fabs(*x) > kLimit || std::fabs(*z) > kLimit) {
                err << "Option " << arg << " is out of range (at most 1000000 either way); ignored.\n";
                i += 2;
                continue;
            }
            if (arg == "--start-at") {
                options.startX = *x;
                options.startZ = *z;
            } else {
                options.lookAtSet = true;
                options.lookAtX = *x;
                options.lookAtZ = *z;
            }
            i += 2;
        } else if (arg == "--frame-stats") {
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0) {
                err << "Option --frame-stats needs a file name; ignored.\n";
                continue;
            }
            options.frameStatsFile = args[++i];
        } else if (arg == "--give") {
            int type = -1;
            for (const ItemDef& def : itemDefs()) {
                if (i + 1 < args.size() && args[i + 1] == def.optionName)
                    type = int(def.type);
            }
            const auto count = numberAt(args, i + 2);
            // Item counts are whole and small; a huge count would only overflow the overlay.
            if (type < 0 || !count || *count < 1 || *count > 10000 || *count != std::floor(*count)) {
                err << "Option --give needs an item (" << itemNames(" or ")
                    << ") and a count from 1 to 10000; ignored.\n";
                continue;
            }
            options.items.emplace_back(type, int(*count));
            i += 2;
        } else if (arg == "--cage") {
            options.cageInFront = true;
        } else if (arg == "--death-after") {
            const auto seconds = numberAt(args, i + 1);
            if (!seconds || *seconds < 1.0f || *seconds > 1000.0f) {
                err << "Option --death-after needs seconds from 1 to 1000; ignored.\n";
                continue;
            }
            options.deathInterval = *seconds;
            ++i;
        } else if (arg == "--log-player") {
            options.logPlayer = true;
        } else {
            err << "Unknown option " << arg << " ignored.\n";
        }
    }
    return options;
}

std::span<const DevOptionUsage> devOptionUsages()
{
    static const std::string giveSummary = "COUNT of ITEM: " + itemNames(", ");
    static const DevOptionUsage kUsages[] = {
        { "--start-at X Z", "start a new game's player on the surface at (X, Z)" },
        { "--look-at X Z", "turn a new player to face the point (X, Z)" },
        { "--give ITEM COUNT", giveSummary.c_str() },
        { "--cage", "stand a caged cat in front of a new player" },
        { "--death-after S", "Death attacks every S seconds (1-1000) once he has a cat" },
        { "--log-player", "print a Player: line four times a second, and explosions" },
        { "--frame-stats FILE", "write frame-time figures to FILE at exit" },
    };
    return kUsages;
}

float yawToward(float dx, float dz)
{
    // Turning by y degrees about +y takes -z to (-sin y, -cos y).
    return glm::degrees(std::atan2(-dx, -dz));
}
