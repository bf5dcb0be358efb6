#pragma once

struct Game;

// Everything one pass of the main loop does after its simulation steps:
// clear, the world frame (frame count, scene, post-processing) when the world
// is shown, the GUI, swap, event polling, and the menu action chosen meanwhile.
void drawFrame(Game& game);

// The GUI over whatever was drawn, with back faces drawn too.
void drawGui(Game& game);
