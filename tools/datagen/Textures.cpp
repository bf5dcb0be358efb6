#include "tools/datagen/CairoCanvas.h"
#include "tools/datagen/DataGen.h"
#include "tools/datagen/TextureSet.h"

#include <cstdio>

namespace datagen {

namespace {

bool writeAll(const std::filesystem::path& runDir, const std::vector<NamedImage>& images)
{
    bool ok = true;
    for (const NamedImage& n : images)
        ok = writePng(runDir / n.path, n.image) && ok;
    return ok;
}

} // namespace

bool writeBlockAndGuiTextures(const std::filesystem::path& runDir)
{
    // Nothing can be written without the folder: say so once, skip the work.
    std::error_code ec;
    std::filesystem::create_directories(runDir / "textures", ec);
    if (ec) {
        std::fprintf(stderr, "datagen: %s: %s\n", (runDir / "textures").c_str(), ec.message().c_str());
        return false;
    }
    const std::vector<NamedImage> blocks = makeBlockTextures();
    std::vector<NamedImage> pictures = makeSkyAndFireTextures();
    for (NamedImage& n : makeGuiImages())
        pictures.push_back(std::move(n));

    bool ok = writeAll(runDir, blocks);
    ok = writeAll(runDir, pictures) && ok;
    // Previews sit outside textures/: the game never reads them.
    ok = writePng(runDir / "preview/textures_contact_sheet.png", makeBlockContactSheet(blocks)) && ok;
    ok = writePng(runDir / "preview/textures_at_night.png", makeBlockNightSheet(blocks)) && ok;
    ok = writePng(runDir / "preview/images_contact_sheet.png", makeImageContactSheet(pictures)) && ok;
    releaseFontCaches();
    return ok;
}

} // namespace datagen
