#pragma once

#include "tools/datagen/DataGen.h"

// One painter per model texture; each fills the rectangles its meshes use
// (see ModelAtlas.h).
namespace datagen::painters {

Image cat();
Image death();
Image player();
Image gloves();
Image fish();
Image wool();

Image dynamite();
Image cage();
Image flashlight();
Image logs();
Image jetpack();
Image sign();
Image blastingMachine();
Image potion();

} // namespace datagen::painters
