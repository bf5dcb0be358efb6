#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// GUI screen space: x and y run from -0.5 to 0.5 across the whole window,
// (0, 0) in the centre, y upwards, whatever the window's aspect. z only
// orders overlapping objects (larger z is nearer).

// Scale of the unit quad and the position of its centre.
struct GuiPlacement {
    glm::vec2 scale;
    glm::vec3 position;
};

namespace guiLayout {
inline const GuiPlacement fpsCounter { { 0.1f, 0.02f }, { -0.45f, 0.48f, 0 } };
inline const GuiPlacement itemOverlay { { 0.08f, 0.1f }, { -0.35f, -0.42f, 0 } };
inline const GuiPlacement itemOverlayBackground { { 0.099f, 0.11f }, { -0.35f, -0.42f, -0.001f } };
inline const GuiPlacement buttonHelper { { 0.12f, 0.16f }, { 0, -0.2f, 0 } };
inline const GuiPlacement loadingBar { { 0.6f, 0.09f }, { 0, -0.4f, 0 } };
// Negative x scales mirror the quad horizontally.
inline const GuiPlacement gameName { { -0.72f, 0.54f }, { 0, 0.3f, 0 } };
inline const GuiPlacement credits { { -0.4f, 0.04f }, { 0.28f, -0.48f, 0 } };
inline const GuiPlacement gameOverCaption { { 1.0f, 0.1f }, { 0, -0.37f, 0.001f } };
inline const glm::vec2 menuEntryScale { 0.6f, 0.09f };
} // namespace guiLayout

// The orthographic projection of GUI space onto the window: scale 2 on x and
// y, -1 on z.
glm::mat4 guiProjection();

// Translation to the placement's position after scaling by its scale.
glm::mat4 placementMatrix(const GuiPlacement& placement);

// Where a menu entry of `row` goes. Over the world and in the game-over menu
// the entries form a centred column from y = 0.4 down; the main menu puts
// them lower right, over its background, with row 1 nudged a little further
// right.
glm::mat4 menuEntryMatrix(int row, bool worldVisible, bool gameOverMenu);
