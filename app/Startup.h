#pragma once

struct DevOptions;

// The whole program: start-up, the main loop, shutdown. Returns the exit code:
// -1 when the window library or the window fails, 1 when the configuration
// cannot be read or a fatal resource is missing, 0 after a normal shutdown.
// `dev`: the developer options from the command line.
int runGame(const DevOptions& dev);
