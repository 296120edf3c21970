// The display: a window showing the 640 x 480 16-bit back surface, full screen or not.
#pragma once

#include <memory>
#include <string>

#include "media/surface.h"

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

class Display {
  public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Creates the window (desktop full screen or a resizable 640 x 480 window) and its renderer.
    // Throws std::runtime_error when no display can be opened.
    void StartDisplay(bool fullScreen, const std::string& caption);
    void StopDisplay();
    bool Started() const;
    // False while the window is minimised or hidden, or before the display started.
    bool DisplayReady() const;
    // Presents the back surface scaled into the window with its aspect kept: only the areas
    // that differ from the frame shown last, nothing when none does. Paces to the display's
    // refresh rate when the driver gives no vertical blank or nothing was presented (real
    // windows only). The whole frame is presented after a new window or mode, a new window
    // surface, and window events that may have changed what the window shows (shown, exposed,
    // resized, restored, focus gained or lost).
    void ShowFrame(const Surface& back);
    bool FullScreen() const;
    void SetCaption(const std::string& caption);
    // Resizes a window that is not full screen (tools that show the game at a chosen size).
    void SetWindowSize(int w, int h);
    // Mouse event coordinates to 640 x 480 client coordinates, whatever the scaling.
    void WindowToClient(int wx, int wy, int& cx, int& cy) const;
    // Window events that change readiness (shown, hidden, minimised, restored).
    void SetShown(bool shown);
    // True when presenting with the dummy or offscreen driver (tests, tools): never sleeps.
    bool Headless() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
