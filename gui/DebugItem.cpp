#include "gui/DebugItem.h"

DebugItemBase::DebugItemBase(std::string rowLabel, int row)
    : label(std::move(rowLabel))
    , index(row)
{
    // A column from the upper middle downwards, 0.02 apart.
    place(GuiPlacement { { 0.6f, 0.03f }, { -0.1f, 0.4f - 0.02f * float(index), 0.0f } });
}

void DebugItemBase::render(const std::string& valueText)
{
    setImage(renderText(label + ": " + valueText, textStyle::debugItem));
    ++renderCount;
}

template <> std::string debugValueText(const glm::vec2& value)
{
    std::ostringstream out;
    out << value.x << ", " << value.y;
    return out.str();
}

template <> std::string debugValueText(const glm::vec3& value)
{
    std::ostringstream out;
    out << value.x << ", " << value.y << ", " << value.z;
    return out.str();
}

template class DebugItem<float>;
template class DebugItem<bool>;
template class DebugItem<int>;
template class DebugItem<const int>;
template class DebugItem<glm::vec2>;
template class DebugItem<glm::vec3>;
