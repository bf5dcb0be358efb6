#pragma once

struct Game;
struct GLFWwindow;

// Window input, routed to the player, the menus, the flashlight and the
// cameras. The handlers take the game so tests can drive them without a
// window; the callbacks registered on the window route to gGame.

void onFramebufferSize(Game& game, int width, int height);
void onKey(Game& game, int key, int action);
void onMouseButton(Game& game, int button, int action);
void onCursorPosition(Game& game, double x, double y);
void onScroll(Game& game, double yOffset);
void onFocus(Game& game, bool focused);

// Writes the window library's error description to standard output.
void errorCallback(int code, const char* description);
// Registers the framebuffer-size, key, mouse-button, cursor, scroll and focus
// callbacks on the window.
void registerCallbacks(GLFWwindow* window);
