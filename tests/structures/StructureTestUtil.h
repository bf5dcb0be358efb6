#pragma once

#include "base/Shapes.h"
#include "base/VoxelBox.h"
#include "gameplay/Bonfire.h"
#include "gameplay/Cage.h"
#include "gameplay/ItemContainer.h"
#include "gameplay/Sign.h"
#include "gameplay/StaticDynamite.h"

#include <gtest/gtest.h>

#include <glm/vec3.hpp>
#include <vector>

namespace structure_test {

inline const aabb& boxAt(const VoxelOrders& orders, size_t i)
{
    return dynamic_cast<const aabb&>(*orders.at(i).shape);
}

inline bool isBox(const VoxelOrders& orders, size_t i)
{
    return dynamic_cast<const aabb*>(orders.at(i).shape.get()) != nullptr;
}

inline glm::vec3 sizeOf(const aabb& b)
{
    return b.max - b.min;
}

inline bool near(const glm::vec3& a, const glm::vec3& b, float eps = 1e-3f)
{
    return std::abs(a.x - b.x) <= eps && std::abs(a.y - b.y) <= eps && std::abs(a.z - b.z) <= eps;
}

// Two order lists are the same when every order has the same type and the
// very same shape.
inline void expectSameOrders(const VoxelOrders& a, const VoxelOrders& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].type, b[i].type) << "order " << i;
        if (isBox(a, i)) {
            ASSERT_EQ(boxAt(a, i).min, boxAt(b, i).min) << "order " << i;
            ASSERT_EQ(boxAt(a, i).max, boxAt(b, i).max) << "order " << i;
        } else {
            const auto& sa = dynamic_cast<const Sphere&>(*a[i].shape);
            const auto& sb = dynamic_cast<const Sphere&>(*b[i].shape);
            ASSERT_EQ(sa.center, sb.center) << "order " << i;
            ASSERT_EQ(sa.radius, sb.radius) << "order " << i;
        }
    }
}

enum class PlacedKind { Cage, Sign, Bonfire, ItemContainer, StaticDynamite, Other };

inline PlacedKind kindOf(const Worldobject& o)
{
    if (dynamic_cast<const Cage*>(&o))
        return PlacedKind::Cage;
    if (dynamic_cast<const Sign*>(&o))
        return PlacedKind::Sign;
    if (dynamic_cast<const Bonfire*>(&o))
        return PlacedKind::Bonfire;
    if (dynamic_cast<const ItemContainer*>(&o))
        return PlacedKind::ItemContainer;
    if (dynamic_cast<const StaticDynamite*>(&o))
        return PlacedKind::StaticDynamite;
    return PlacedKind::Other;
}

// The unit direction a model matrix column holds, with the model's scale taken out.
inline glm::vec3 column(const glm::mat4& m, int i, float scale)
{
    return glm::vec3(m[i]) / scale;
}

// A cage stands 0.8 above the point it was placed at.
inline const glm::vec3 cageLift { 0.0f, 0.8f, 0.0f };

template <class Objects> int countKind(const Objects& objects, PlacedKind kind)
{
    int n = 0;
    for (const auto& o : objects)
        n += kindOf(*o) == kind;
    return n;
}

} // namespace structure_test
