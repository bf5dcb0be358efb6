#pragma once

#include "gui/GuiLayout.h"
#include "gui/GuiText.h"
#include "render/Texture.h"
#include "render/VertexArray.h"

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>
#include <memory>
#include <optional>
#include <string>

class Shader;

// The shader GUI objects draw with: the shader table's GUI entry.
Shader* guiShader();

// A textured quad in GUI space (see GuiLayout.h), drawn with the GUI shader.
// Its picture is a text surface or a PNG file. GL work waits for the first
// draw: the quad is built then and a new picture is uploaded at the next
// draw, so objects can be made, changed and tested without a GL context.
class GuiObject {
public:
    GuiObject() = default;
    GuiObject(const GuiObject&) = delete;
    GuiObject& operator=(const GuiObject&) = delete;
    virtual ~GuiObject();

    virtual void draw();
    virtual void update(float dt);

    // Moves the object in GUI space (pre-multiplies the model matrix).
    void translate(float x, float y, float z);
    // Sets the model matrix from a layout entry.
    void place(const GuiPlacement& placement);

    // Replaces the picture by a rendered text surface.
    void setImage(TextImage image);
    // Replaces the picture by a PNG; `withAlpha` uploads RGBA, else RGB.
    void setImageFile(const std::string& path, bool withAlpha);

    // The text surface waiting for upload, if any.
    const TextImage* pendingImage() const { return pending ? &*pending : nullptr; }
    // The PNG waiting to be loaded, empty when none.
    const std::string& pendingImageFile() const { return pendingFile; }

    std::unique_ptr<VertexArray> quad;
    std::unique_ptr<Texture> texture;
    Shader* shader = nullptr; // nullptr: guiShader()
    glm::mat4 modelMatrix { 1.0f };
    glm::vec4 backgroundColor { 0.0f };

protected:
    // The unit quad centred on the origin, the picture's first row at the top.
    virtual std::unique_ptr<VertexArray> makeQuad() const;
    // Builds the quad and uploads a waiting picture. False when there is
    // nothing to draw (no picture, a failed load, no shader).
    bool prepare();

private:
    std::optional<TextImage> pending;
    std::string pendingFile;
    bool pendingAlpha = false;
};
