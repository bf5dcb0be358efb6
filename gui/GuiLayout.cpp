#include "gui/GuiLayout.h"

#include <glm/gtc/matrix_transform.hpp>

glm::mat4 guiProjection()
{
    return glm::scale(glm::mat4(1.0f), glm::vec3(2.0f, 2.0f, -1.0f));
}

glm::mat4 placementMatrix(const GuiPlacement& placement)
{
    glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(placement.scale, 1.0f));
    return glm::translate(glm::mat4(1.0f), placement.position) * scale;
}

glm::mat4 menuEntryMatrix(int row, bool worldVisible, bool gameOverMenu)
{
    glm::vec3 position;
    if (worldVisible || gameOverMenu) {
        position = glm::vec3(0.0f, 0.4f - 0.1f * float(row), 0.0f);
    } else {
        position = glm::vec3(0.18f, -0.1f - 0.1f * float(row), 0.0f);
        if (row == 1)
            position.x += 0.035f;
    }
    glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(guiLayout::menuEntryScale, 0.0f));
    return glm::translate(glm::mat4(1.0f), position) * scale;
}
