// A resizable window of any size that shows a 16-bit surface pixel for pixel, and its events as
// plain values: for tools that draw their own frames at the window's size (the level editor).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/surface.h"

struct WindowEvent {
    enum class Kind {
        Close,      // the window's close button
        Resize,     // X, Y: the new size
        Redraw,     // the window was uncovered
        KeyDown,    // Key: a key name as SDL gives it ("A", "Left", "F1", "Escape", ...)
        Text,       // Text: typed characters, UTF-8
        MouseMove,  // X, Y
        MouseDown,  // X, Y, Button: 1 left, 2 middle, 3 right
        MouseUp,    // X, Y, Button
        Wheel,      // Y: up positive, X: right positive
    } What = Kind::Close;
    int X = 0, Y = 0, Button = 0;
    std::string Key, Text;
    bool Shift = false, Ctrl = false, Alt = false;

    // An event of the pointer or of the window's size, as the window would report it.
    static WindowEvent At(Kind what, int x, int y, int button = 0) {
        WindowEvent e;
        e.What = what;
        e.X = x;
        e.Y = y;
        e.Button = button;
        return e;
    }
};

class CanvasWindow {
  public:
    CanvasWindow();
    ~CanvasWindow();
    CanvasWindow(const CanvasWindow&) = delete;
    CanvasWindow& operator=(const CanvasWindow&) = delete;

    // Opens the window (SDL's dummy driver gives a window that shows nothing). Throws
    // std::runtime_error naming the problem.
    void Open(const std::string& caption, int width, int height);
    void SetCaption(const std::string& caption);
    // The smallest size the window can be given by the user.
    void SetMinimumSize(int width, int height);
    int Width() const;
    int Height() const;
    // The events since the last call; waits up to `waitMs` for the first when there is none.
    std::vector<WindowEvent> Events(int waitMs);
    // Shows the surface at the window's top-left corner (it should be the window's size).
    void Show(const Surface& frame);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The text on the system's clipboard (UTF-8), or "" when there is none or no window is open.
std::string ClipboardText();
