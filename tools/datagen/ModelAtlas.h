#pragma once

#include "tools/datagen/MeshBuilder.h"

// Where each material sits in the model textures. The painters fill these
// rectangles and the meshes map their parts onto them, so both read the
// layout from here. Every model texture is square.
namespace datagen::atlas {

inline UvRect uv(PixelRect rect, int size)
{
    return uvOf(rect, size);
}

namespace cat {
constexpr int size = 128;
constexpr PixelRect fur { 0, 0, 64, 64 }; // tabby stripes run across v
constexpr PixelRect face { 64, 0, 64, 64 }; // the head's front: eyes
constexpr PixelRect muzzle { 0, 64, 32, 32 };
constexpr PixelRect earInner { 32, 64, 32, 32 };
constexpr PixelRect paw { 64, 64, 32, 32 };
constexpr PixelRect cream { 96, 64, 32, 32 };
constexpr PixelRect furPlain { 0, 96, 64, 32 };
}

namespace death {
constexpr int size = 128;
constexpr PixelRect robe { 0, 0, 64, 128 }; // folds run along v
constexpr PixelRect shadow { 64, 0, 32, 32 }; // inside of the hood
constexpr PixelRect bone { 96, 0, 32, 32 };
constexpr PixelRect skull { 64, 32, 64, 64 }; // face centred at u = 0.5
constexpr PixelRect wood { 64, 96, 32, 32 };
constexpr PixelRect blade { 96, 96, 32, 32 };
}

namespace dynamite {
constexpr int size = 64;
constexpr PixelRect paper { 0, 0, 32, 32 }; // around the stick, with a label band
constexpr PixelRect end { 32, 0, 32, 32 }; // the stick's ends, mapped polar-wise
constexpr PixelRect fuse { 0, 32, 32, 32 };
constexpr PixelRect tape { 32, 32, 32, 32 };
}

namespace player {
constexpr int size = 64;
constexpr PixelRect skin { 0, 0, 32, 32 };
constexpr PixelRect sleeve { 32, 0, 32, 32 };
constexpr PixelRect palm { 0, 32, 32, 32 };
constexpr PixelRect cuff { 32, 32, 32, 32 };
}

namespace cage {
constexpr int size = 64;
constexpr PixelRect iron { 0, 0, 32, 32 };
constexpr PixelRect planks { 32, 0, 32, 32 };
constexpr PixelRect straw { 0, 32, 32, 32 };
constexpr PixelRect darkIron { 32, 32, 32, 32 };
}

namespace flashlight {
constexpr int size = 64;
constexpr PixelRect grip { 0, 0, 32, 32 }; // ribbed rubber
constexpr PixelRect chrome { 32, 0, 32, 32 };
constexpr PixelRect lens { 0, 32, 32, 32 }; // mapped polar-wise: bright centre
constexpr PixelRect button { 32, 32, 32, 32 };
}

namespace gloves {
constexpr int size = 64;
constexpr PixelRect leather { 0, 0, 32, 32 };
constexpr PixelRect knuckles { 32, 0, 32, 32 };
constexpr PixelRect sleeve { 0, 32, 32, 32 };
constexpr PixelRect cuff { 32, 32, 32, 32 };
}

namespace fish {
constexpr int size = 128;
// Around the body: u = 0 and 0.5 are the flanks, 0.25 the belly, 0.75
// the back; v runs from the mouth (0) to the tail (1).
constexpr PixelRect body { 0, 0, 128, 96 };
constexpr PixelRect fin { 0, 96, 64, 32 };
constexpr PixelRect eye { 64, 96, 32, 32 }; // the gold iris
constexpr PixelRect pupil { 96, 96, 32, 32 };
}

namespace logs {
constexpr int size = 64;
constexpr PixelRect bark { 0, 0, 32, 64 };
constexpr PixelRect rings { 32, 0, 32, 32 }; // log ends, polar: v is the radius
constexpr PixelRect stone { 32, 32, 32, 16 };
constexpr PixelRect charred { 32, 48, 32, 16 };
}

namespace jetpack {
constexpr int size = 64;
constexpr PixelRect tank { 0, 0, 32, 32 };
constexpr PixelRect frame { 32, 0, 32, 32 };
constexpr PixelRect nozzle { 0, 32, 32, 32 };
constexpr PixelRect strap { 32, 32, 32, 32 };
}

namespace sign {
constexpr int size = 128;
constexpr PixelRect board { 0, 0, 128, 64 }; // the painted front
constexpr PixelRect wood { 0, 64, 64, 64 };
constexpr PixelRect post { 64, 64, 64, 64 };
}

namespace machine {
constexpr int size = 64;
constexpr PixelRect wood { 0, 0, 32, 32 };
constexpr PixelRect label { 32, 0, 32, 32 }; // the front plate
constexpr PixelRect metal { 0, 32, 32, 32 };
constexpr PixelRect brass { 32, 32, 32, 32 };
}

namespace wool {
constexpr int size = 64;
constexpr PixelRect yarn { 0, 0, 64, 64 };
}

namespace potion {
constexpr int size = 64;
constexpr PixelRect bottle { 0, 0, 32, 64 }; // liquid up to liquidLine of the side
constexpr PixelRect base { 32, 0, 32, 32 };
constexpr PixelRect cork { 32, 32, 32, 32 };
constexpr float liquidLine = 0.43f;
}

} // namespace datagen::atlas
