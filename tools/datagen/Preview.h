#pragma once

#include <optional>
#include <vector>

#include "tools/datagen/DataGen.h"
#include "tools/datagen/MeshBuilder.h"

// A small software rasteriser that draws textured meshes into an image, so
// the generated models can be looked at without a GPU.
namespace datagen {

struct PreviewPart {
    const Mesh* mesh = nullptr;
    const Image* texture = nullptr;
    glm::mat4 transform { 1.0f };
};

struct PreviewModel {
    std::vector<PreviewPart> parts;
    // A box drawn as yellow lines over the model (a body box, say).
    std::optional<std::pair<glm::vec3, glm::vec3>> box;
};

// Draws every model twice, from the front-right and from the back-left, in
// tiles of 2 x tileSize by tileSize pixels, `columns` tiles to a row. Faces
// seen from behind are drawn magenta, so a wrongly wound face shows up.
Image renderContactSheet(const std::vector<PreviewModel>& models, int columns, int tileSize);

} // namespace datagen
