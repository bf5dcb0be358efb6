#include "gui/GuiImages.h"

#include "render/VertexArray.h"

BackgroundImage::BackgroundImage(const std::string& path)
{
    setImageFile(path, false);
}

std::unique_ptr<VertexArray> BackgroundImage::makeQuad() const
{
    static const float positions[]
        = { -0.5f, -0.5f, -0.1f, 0.5f, -0.5f, -0.1f, 0.5f, 0.5f, -0.1f, -0.5f, 0.5f, -0.1f };
    static const float texCoords[] = { 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f };
    static const uint32_t indices[] = { 0, 1, 2, 3 };
    auto vertices = std::make_unique<VertexArray>(2, GL_QUADS);
    int position = vertices->addBuffer(positions, sizeof positions, 1);
    vertices->setAttribute(position, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, 12, 0 });
    int texCoord = vertices->addBuffer(texCoords, sizeof texCoords, 1);
    vertices->setAttribute(texCoord, 0, VertexAttribute { 1, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    vertices->setIndices(indices, sizeof indices);
    return vertices;
}

GameName::GameName()
{
    setImageFile("textures/name.png", true);
    place(guiLayout::gameName);
}

Credits::Credits()
{
    setImageFile("textures/created_by.png", true);
    place(guiLayout::credits);
}

std::unique_ptr<GuiObject> makeImageObject(const std::string& path, const GuiPlacement& placement)
{
    auto object = std::make_unique<GuiObject>();
    object->setImageFile(path, true);
    object->place(placement);
    return object;
}
