#include "render/FrameState.h"

FrameState gFrame;
