// GUI space and where the fixed objects and menu entries land in it.
#include "gui/GuiLayout.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

namespace {

glm::vec3 apply(const glm::mat4& m, glm::vec3 p)
{
    glm::vec4 r = m * glm::vec4(p, 1.0f);
    return glm::vec3(r);
}

void expectNear(glm::vec3 actual, glm::vec3 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST(GuiLayoutTest, MenuEntriesOverTheWorldAndInTheGameOverMenuFormACentredColumn)
{
    for (int row = 0; row < 3; ++row) {
        glm::vec3 centre { 0, 0.4f - 0.1f * float(row), 0 };
        expectNear(apply(menuEntryMatrix(row, true, false), { 0, 0, 0 }), centre);
        expectNear(apply(menuEntryMatrix(row, false, true), { 0, 0, 0 }), centre);
        expectNear(apply(menuEntryMatrix(row, true, true), { 0, 0, 0 }), centre);
    }
    // Scale (0.6, 0.09) and z flattened.
    expectNear(apply(menuEntryMatrix(0, true, false), { 0.5f, 0.5f, 7 }), { 0.3f, 0.445f, 0 });
}

TEST(GuiLayoutTest, MainMenuEntriesSitLowerRightWithTheSecondNudged)
{
    expectNear(apply(menuEntryMatrix(0, false, false), { 0, 0, 0 }), { 0.18f, -0.1f, 0 });
    expectNear(apply(menuEntryMatrix(1, false, false), { 0, 0, 0 }), { 0.215f, -0.2f, 0 });
    expectNear(apply(menuEntryMatrix(2, false, false), { 0, 0, 0 }), { 0.18f, -0.3f, 0 });
}
