#include "gui/GuiObject.h"

#include "base/Log.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/Texture.h"
#include "render/VertexArray.h"

#include <glm/gtc/matrix_transform.hpp>

Shader* guiShader()
{
    return getShader(SHADER_GUI);
}

GuiObject::~GuiObject() = default;

void GuiObject::update(float) { }

void GuiObject::translate(float x, float y, float z)
{
    modelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z)) * modelMatrix;
}

void GuiObject::place(const GuiPlacement& placement)
{
    modelMatrix = placementMatrix(placement);
}

void GuiObject::setImage(TextImage image)
{
    pending = std::move(image);
    pendingFile.clear();
}

void GuiObject::setImageFile(const std::string& path, bool withAlpha)
{
    pending.reset();
    pendingFile = path;
    pendingAlpha = withAlpha;
}

std::unique_ptr<VertexArray> GuiObject::makeQuad() const
{
    static const float positions[] = { -0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f };
    static const float texCoords[] = { 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f };
    static const uint32_t indices[] = { 0, 1, 2, 3 };
    auto vertices = std::make_unique<VertexArray>(2, GL_QUADS);
    int position = vertices->addBuffer(positions, sizeof positions, 1);
    vertices->setAttribute(position, 0, VertexAttribute { 0, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    int texCoord = vertices->addBuffer(texCoords, sizeof texCoords, 1);
    vertices->setAttribute(texCoord, 0, VertexAttribute { 1, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    vertices->setIndices(indices, sizeof indices);
    return vertices;
}

bool GuiObject::prepare()
{
    if (!quad)
        quad = makeQuad();
    if (pending) {
        texture.reset();
        auto fresh = std::make_unique<Texture>();
        if (fromBgra(*fresh, pending->pixels.data(), pending->width, pending->height) == 0) {
            makeSampler(*fresh, GL_REPEAT);
            texture = std::move(fresh);
        }
        pending.reset();
    } else if (!pendingFile.empty()) {
        texture.reset();
        auto fresh = std::make_unique<Texture>();
        int failed = pendingAlpha ? loadRgba(*fresh, pendingFile) : loadRgb(*fresh, pendingFile);
        if (failed) {
            // The GUI goes on without this picture rather than ending the game.
            logError("Gui: could not load image " + pendingFile);
        } else {
            makeSampler(*fresh, GL_REPEAT);
            texture = std::move(fresh);
        }
        pendingFile.clear();
    }
    if (!shader)
        shader = guiShader();
    return texture && texture->id != 0 && shader;
}

void GuiObject::draw()
{
    if (!prepare())
        return;
    shader->bind();
    shader->setMat4("projMatrix", guiProjection());
    shader->setMat4("modelMatrix", modelMatrix);
    shader->setVec4("backgroundColor", backgroundColor);
    bind(*texture, *shader, "diffuseTex", 0);
    quad->draw();
    unbindTextures();
    shader->unbind();
}
