#pragma once

#include "app/Controls.h"
#include "app/InputEvent.h"
#include "gui/MenuKey.h"

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
// Full screen (F11) and the screenshot (F2) by whatever key or button they are
// bound to, in every state; true when `bound` was one of them.
bool handleWindowAction(Game& game, std::optional<Action> bound, int action);
void onMouseButton(Game& game, int button, int action);
void onCursorPosition(Game& game, double x, double y);
void onScroll(Game& game, double yOffset);
void onFocus(Game& game, bool focused);

// What an action does when its key, button or pad control is pressed / released:
// the player's held controls, activating what is near (only while playing),
// the flashlight, the item slots. Needs a player; without one nothing happens.
void pressAction(Game& game, Action action);
void releaseAction(Game& game, Action action);
// What a key means to the menus by itself: Up/W up, Down/S down, Left/A left,
// Right/D right, Enter/Space choose, Escape back, F12 the debug rows, any other
// key nothing.
MenuKey fixedMenuKey(int key);
// What the GUI gets for a key press. While a menu or the loading screen is
// up (`menuUp`): the menus' own keys as they are, a key bound to forward, back,
// left, right, jump, pause or the debug overlay as Up, Down, Left, Right, Choose,
// Back, DebugOverlay, any other key as it is by itself. In play only Escape
// and the pause and debug-overlay bindings reach the menus; F12 bound to
// another action is nothing then, and Escape always pauses.
MenuKey menuKeyFor(int key, const ControlTable& controls, bool menuUp);
// The menu key an action stands for, `otherwise` for actions that stand for none.
MenuKey menuKeyOf(Action action, MenuKey otherwise);

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
