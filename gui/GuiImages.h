#pragma once

#include "gui/GuiObject.h"

// Pictures from PNG files: full-screen backgrounds, the game's name and the
// credits line.

// A full-screen RGB picture behind everything else (z = -0.1). Its quad has
// its own corners and texture coordinates and is not scaled.
class BackgroundImage : public GuiObject {
public:
    explicit BackgroundImage(const std::string& path);

protected:
    std::unique_ptr<VertexArray> makeQuad() const override;
};

// "textures/name.png" above the main menu.
class GameName : public GuiObject {
public:
    GameName();
};

// "textures/created_by.png" along the bottom of the game-over screen.
class Credits : public GuiObject {
public:
    Credits();
};

// A plain RGBA picture placed by a layout entry.
std::unique_ptr<GuiObject> makeImageObject(const std::string& path, const GuiPlacement& placement);
