#pragma once

#include <deque>

// One event of the window, recorded by its callback as the window library
// reported it. The callbacks only queue these; the frame applies them after
// polling, so no game state changes inside the window library's event poll.
struct InputEvent {
    enum class Kind {
        FramebufferSize,
        Key,
        MouseButton,
        CursorPosition,
        Scroll,
        Focus,
    };

    Kind kind = Kind::Key;
    int code = 0; // the key or the mouse button
    int action = 0; // press, release or repeat
    int width = 0; // framebuffer size
    int height = 0;
    double x = 0.0; // cursor position, or the scroll offsets
    double y = 0.0;
    bool focused = false;

    static InputEvent framebufferSize(int width, int height)
    {
        InputEvent e;
        e.kind = Kind::FramebufferSize;
        e.width = width;
        e.height = height;
        return e;
    }
    static InputEvent key(int key, int action)
    {
        InputEvent e;
        e.kind = Kind::Key;
        e.code = key;
        e.action = action;
        return e;
    }
    static InputEvent mouseButton(int button, int action)
    {
        InputEvent e;
        e.kind = Kind::MouseButton;
        e.code = button;
        e.action = action;
        return e;
    }
    static InputEvent cursorPosition(double x, double y)
    {
        InputEvent e;
        e.kind = Kind::CursorPosition;
        e.x = x;
        e.y = y;
        return e;
    }
    static InputEvent scroll(double yOffset)
    {
        InputEvent e;
        e.kind = Kind::Scroll;
        e.y = yOffset;
        return e;
    }
    static InputEvent focus(bool focused)
    {
        InputEvent e;
        e.kind = Kind::Focus;
        e.focused = focused;
        return e;
    }
};

// Oldest first.
using InputQueue = std::deque<InputEvent>;
