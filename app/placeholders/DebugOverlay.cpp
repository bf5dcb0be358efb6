#include "app/placeholders/DebugOverlay.h"

void buildDebugOverlay(Gui&, Game&) { }
