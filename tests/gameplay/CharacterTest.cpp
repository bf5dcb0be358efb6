// The debug wireframe of a body: its outline geometry, which needs no GL.
#include "gameplay/Character.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace {

using Corner = std::tuple<float, float, float>;

} // namespace

TEST(BoxOutline, TwelveEdgesAlongTheAxesJoinTheEightCorners)
{
    const aabb box(glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(1.9f, 3.7f, 3.9f));
    const glm::vec3 origin(1.45f, 2.85f, 3.45f);
    const std::vector<glm::vec3> lines = boxOutline(box, origin);
    ASSERT_EQ(lines.size(), 24u);

    std::map<Corner, int> uses;
    int edgesPerAxis[3] = { 0, 0, 0 };
    for (size_t i = 0; i < lines.size(); i += 2) {
        const glm::vec3 d = lines[i + 1] - lines[i];
        // Exactly one coordinate differs, by the box's size on that axis.
        const int moving = (d.x != 0.0f) + (d.y != 0.0f) + (d.z != 0.0f);
        ASSERT_EQ(moving, 1) << "edge " << i / 2 << " is not along an axis";
        const int axis = d.x != 0.0f ? 0 : d.y != 0.0f ? 1 : 2;
        ++edgesPerAxis[axis];
        EXPECT_NEAR(std::fabs(d[axis]), box.max[axis] - box.min[axis], 1e-5f);
        for (const glm::vec3& v : { lines[i], lines[i + 1] }) {
            // Relative to the origin, every end is one of the box's corners.
            for (int a = 0; a < 3; ++a) {
                const float w = v[a] + origin[a];
                EXPECT_TRUE(std::fabs(w - box.min[a]) < 1e-5f || std::fabs(w - box.max[a]) < 1e-5f);
            }
            ++uses[Corner(v.x, v.y, v.z)];
        }
    }
    EXPECT_EQ(edgesPerAxis[0], 4);
    EXPECT_EQ(edgesPerAxis[1], 4);
    EXPECT_EQ(edgesPerAxis[2], 4);
    ASSERT_EQ(uses.size(), 8u) << "every corner is drawn";
    for (const auto& [corner, count] : uses)
        EXPECT_EQ(count, 3) << "three edges meet at each corner";
}

TEST(BoxOutline, AFlatBoxStillGivesTwentyFourEnds)
{
    // A box with no height is a rectangle drawn twice over; the mesh keeps its size.
    const aabb flat(glm::vec3(0.0f), glm::vec3(2.0f, 0.0f, 1.0f));
    EXPECT_EQ(boxOutline(flat, glm::vec3(0.0f)).size(), 24u);
}
