#pragma once

#include "base/Shapes.h"
#include "base/VoxelBox.h"
#include "structures/Location.h"

#include <glm/vec3.hpp>
#include <string>
#include <typeinfo>
#include <vector>

// Orders and objects reduced to plain values, so that two generations of the
// same structure can be compared as a whole.
struct OrderRecord {
    int type = 0;
    glm::vec3 a { 0.0f }; // box min or sphere centre
    glm::vec3 b { 0.0f }; // box max or (radius, 0, 0)
    bool operator==(const OrderRecord&) const = default;
};

struct ObjectRecord {
    std::string kind;
    glm::vec3 position { 0.0f };
    bool operator==(const ObjectRecord&) const = default;
};

inline std::vector<OrderRecord> recordOrders(const VoxelOrders& orders)
{
    std::vector<OrderRecord> out;
    for (const VoxelBox& o : orders) {
        if (const auto* box = dynamic_cast<const aabb*>(o.shape.get()))
            out.push_back({ o.type, box->min, box->max });
        else if (const auto* s = dynamic_cast<const Sphere*>(o.shape.get()))
            out.push_back({ o.type, s->center, { s->radius, 0, 0 } });
    }
    return out;
}

// Where each object stands: its box, which stays put for a container whose shown item
// (drawn from the C library's sequence, so not the same twice) raises its matrix.
inline std::vector<ObjectRecord> recordObjects(const Location& location)
{
    std::vector<ObjectRecord> out;
    for (const auto& o : location.objects)
        out.push_back({ typeid(*o).name(), o->box.center() });
    return out;
}

template <class T> int countObjects(const Location& location)
{
    int n = 0;
    for (const auto& o : location.objects)
        n += dynamic_cast<const T*>(o.get()) != nullptr;
    return n;
}

template <class T> std::vector<const T*> objectsOf(const Location& location)
{
    std::vector<const T*> out;
    for (const auto& o : location.objects)
        if (const auto* t = dynamic_cast<const T*>(o.get()))
            out.push_back(t);
    return out;
}

// Generates a fresh structure of type L at p.
template <class L> struct Generated {
    L location;
    VoxelOrders orders;
    explicit Generated(const glm::vec3& p)
        : location(p)
    {
        location.generate(orders);
    }
};
