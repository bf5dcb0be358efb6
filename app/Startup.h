#pragma once

struct DevOptions;

// The whole program: start-up, the main loop, shutdown. Returns the exit code:
// -1 when the window library or the window fails, 1 when the configuration
// cannot be read or a fatal resource is missing, 0 after a normal shutdown.
// `dev`: the developer options from the command line.
int runGame(const DevOptions& dev);

// The hints the game's window is made with, from the settings. The window has no
// samples of its own whatever the anti-aliasing: the scene is drawn, and smoothed,
// in its own buffers and only copied or post-processed onto the window, and a
// copy into a multisampled window is an error under the GL's rules.
void setWindowHints();
