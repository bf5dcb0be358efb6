#pragma once

#include "app/InputEvent.h"

struct Game;
struct GLFWwindow;

// Window input, routed to the player, the menus, the flashlight and the
// cameras. The callbacks registered on the window only queue events on its game;
// the frame drains the queue after polling, through the handlers below. The
// handlers take the game so tests can drive them without a window.

void onFramebufferSize(Game& game, int width, int height);
// The cameras' projections for the window's aspect and the field of view (culling follows them).
void fitProjections(Game& game);
void onKey(Game& game, int key, int action);
// F11 (full screen) and F2 (screenshot), before any other rule; true when the key was one of them.
bool handleWindowKey(Game& game, int key, int action);
void onMouseButton(Game& game, int button, int action);
void onCursorPosition(Game& game, double x, double y);
void onScroll(Game& game, double yOffset);
void onFocus(Game& game, bool focused);

// Hands one event to its handler.
void applyInputEvent(Game& game, const InputEvent& event);
// Applies the game's queued events, oldest first, until none is left. An
// event may run the loading screen (a menu entry starting the game), which
// polls and drains again: each event leaves the queue before it is applied,
// so the rest of the queue meets the rules in force then, and none runs twice.
void drainInput(Game& game);

// Writes the window library's error description to standard output.
void errorCallback(int code, const char* description);
// Registers the framebuffer-size, key, mouse-button, cursor, scroll and focus
// callbacks on the window; each queues its event on `game`, which must outlive
// the window.
void registerCallbacks(GLFWwindow* window, Game& game);
