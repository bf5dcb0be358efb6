#pragma once

// Program-wide settings, filled once from config.txt at start-up and read-only
// afterwards. Defaults match what a first run writes into a fresh config.txt.
struct Settings {
    int fullscreen = 1;
    int width = 1280;
    int height = 720;
    int windowBorder = 1;
    int antiAliasingFactor = 8;
    int anisotropicFiltering = 8;
    int vsync = 1;
    int shadowmapFactor = 1;
    int showFps = 0;
    int ambientSounds = 1;
    int soundEffects = 1;
    int volume = 10;
    int mouseSensitivityX = 100;
    int mouseSensitivityY = 100;
    int threads = 8;
    int chunkViewDistance = 2;
    int maxMemoryMB = 2048;
    int worldRandomSeed = -1;
    // Read when config.txt has them, written only from the Options screen.
    int renderScale = 0; // percent of the window the scene is drawn at; 0 = automatic
    int brightness = 100; // percent: the final colour's gamma is 100 / brightness
    int fieldOfView = 70; // the player camera's vertical angle, degrees
    int pauseOnFocusLoss = 1; // a window losing focus in play pauses the game
    int captions = 0; // words at the bottom of the screen for the sounds that carry meaning
};

extern Settings gSettings;
