// Writes every data file the game reads into a run folder:
//   mossgrave_datagen <run-folder>
#include "tools/datagen/DataGen.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <run-folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path runDir(argv[1]);
    bool ok = datagen::writeBlockAndGuiTextures(runDir);
    ok = datagen::writeModelsAndModelTextures(runDir) && ok;
    ok = datagen::writeSounds(runDir) && ok;
    ok = datagen::writeIcon(runDir) && ok;
    return ok ? 0 : 1;
}
