#pragma once

// Painters of the individual block materials. Each returns a square canvas of
// `size` pixels that repeats seamlessly in both directions. Layouts are drawn
// for 64 pixels; larger powers of two keep them, while smaller sizes blur
// the one-pixel joints that straddle the texture border.
#include "tools/datagen/Procedural.h"

namespace datagen {

// Ground and rock.
Canvas paintDirt(int size);
Canvas paintGrass(int size);
Canvas paintStone(int size);
Canvas paintSand(int size);
Canvas paintBedrock(int size);
Canvas paintDiamondStone(int size);
Canvas paintStoneCracks(int size);
Canvas paintMarble(int size);

// Plants.
Canvas paintBark(int size);
Canvas paintLeaf(int size);
Canvas paintCactus(int size);

// Masonry and metal.
Canvas paintBrick(int size);
Canvas paintRoofTiles(int size);
Canvas paintPyramid(int size);
Canvas paintStucco(int size);
Canvas paintMetal(int size);
Canvas paintMetal2(int size);

// Wood and cloth.
Canvas paintWoodPlanks(int size);
Canvas paintWoodPlanks2(int size);
Canvas paintWheel(int size);
Canvas paintTent(int size);
Canvas paintBallon(int size);
Canvas paintBasket(int size);

} // namespace datagen
