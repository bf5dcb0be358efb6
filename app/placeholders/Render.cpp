#include "app/placeholders/Render.h"

#include "app/Game.h"
#include "app/Timers.h"

void createFramebuffers(int, int) { }
void freeFramebuffers() { }
void lookUpWorldUniforms() { }
void drawScene(Game&) { }

// The reveal still has to move, or the death sequence would never end.
void postProcess(Game& game)
{
    advanceCircleLoad(game.circleLoad, game.circleOpening);
}
