// Window events as the editor's tests hand them to the editor.
#pragma once

#include <string>

#include "media/canvas_window.h"

inline WindowEvent Key(const std::string& key, bool ctrl = false, bool shift = false,
                       bool alt = false) {
    WindowEvent e;
    e.What = WindowEvent::Kind::KeyDown;
    e.Key = key;
    e.Ctrl = ctrl;
    e.Shift = shift;
    e.Alt = alt;
    return e;
}

inline WindowEvent Typed(const std::string& text) {
    WindowEvent e;
    e.What = WindowEvent::Kind::Text;
    e.Text = text;
    return e;
}
