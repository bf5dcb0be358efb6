#pragma once

#include "gui/GuiObject.h"

#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <sstream>
#include <string>

// One row of the debug overlay: a label and a live value, rendered again only
// when the value changes (rendering text costs far more than comparing).
class DebugItemBase : public GuiObject {
public:
    std::string label;
    int index = 0; // the row, from the top
    int renderCount = 0; // how often the text was rendered

protected:
    DebugItemBase(std::string rowLabel, int row);
    void render(const std::string& valueText);
};

// The value with the stream's default formatting; vectors component by component.
template <class T> std::string debugValueText(const T& value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}
template <> std::string debugValueText(const glm::vec2& value);
template <> std::string debugValueText(const glm::vec3& value);

// T is float, bool, int, const int (a value the overlay only reads), glm::vec2 or glm::vec3.
template <class T> class DebugItem : public DebugItemBase {
public:
    using Value = std::remove_const_t<T>;
    // Reads the watched value; the game's rows read through the game so that
    // a row never follows a pointer into a world that was replaced.
    using Source = std::function<Value()>;

    Value lastValue {};
    Source source;

    DebugItem(std::string rowLabel, int row, Source watched)
        : DebugItemBase(std::move(rowLabel), row)
        , source(std::move(watched))
    {
        lastValue = source ? source() : Value {};
        render(debugValueText(lastValue));
    }
    // Watches a variable that outlives the row.
    DebugItem(std::string rowLabel, int row, const T* variable)
        : DebugItem(std::move(rowLabel), row, Source([variable] { return variable ? *variable : Value {}; }))
    {
    }

    void update(float) override
    {
        if (!source)
            return;
        const Value value = source();
        if (value == lastValue)
            return;
        lastValue = value;
        render(debugValueText(lastValue));
    }
};

extern template class DebugItem<float>;
extern template class DebugItem<bool>;
extern template class DebugItem<int>;
extern template class DebugItem<const int>;
extern template class DebugItem<glm::vec2>;
extern template class DebugItem<glm::vec3>;
