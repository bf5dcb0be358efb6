#pragma once

// The small timers of the game update and the circular reveal of the final
// image, kept apart from the game object so their rules can be checked alone.

// The potion's effect starts to fade once its timer has run out: the factor
// sinks by s per second of steps, not below 0.
void stepPotion(float& potionTimer, float& potionFactor, float s);

// One drawn world frame of the circular reveal, `seconds` after the one before:
// it opens towards 1.5 or closes towards 0 by 0.01 per 60th of a second, so it
// takes the same time at any frame rate, but by at most 0.05 in one frame, so a
// long hitch does not skip it.
void advanceCircleLoad(float& circleLoad, bool circleOpening, float seconds);
inline constexpr float kFrameSeconds = 1.0f / 60.0f;
// Where the reveal stops opening: the whole picture shows.
inline constexpr float REVEAL_OPEN = 1.5f;

// One step of the death sequence (deathTimer -1 means none runs). Past 2 s the
// reveal starts to close once; past 4 s, when it has closed, the sequence ends
// (deathTimer back to -1) and true is returned: time for the game-over menu.
bool stepDeathSequence(float& deathTimer, float& circleLoad, bool& circleOpening, float s);

// How hard an explosion shakes the player's view at distance d: a full shake
// at the explosion, falling off with the square of the distance, none from
// 100 units on.
float explosionShake(float distance);

// Sparks of an explosion of radius r and factor f.
int explosionSparkCount(float radius, float factor);
