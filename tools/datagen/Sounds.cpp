#include "tools/datagen/DataGen.h"

namespace datagen {

bool writeSounds(const std::filesystem::path& runDir)
{
    (void)runDir; // PLACEHOLDER: filled in by the game-data work.
    return true;
}

} // namespace datagen
