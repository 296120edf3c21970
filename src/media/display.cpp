// The display on SDL2: a window shown either through a GPU renderer (a streaming texture the
// back surface is copied into) or, without a GPU, through the window's own pixels in software.
#include "media/display.h"

#include <SDL.h>
#include <sys/stat.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "media/frame_changes.h"
#include "media/frame_drawing.h"
#include "media/frame_scaler.h"

namespace {

// True when an OpenGL renderer runs on a software rasteriser (no GPU, e.g. a bare X server).
bool RendersInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    const unsigned char* name = getString(0x1F01);  // GL_RENDERER
    if (!name) return false;
    std::string text(reinterpret_cast<const char*>(name));
    return text.find("llvmpipe") != std::string::npos ||
           text.find("softpipe") != std::string::npos || text.find("Software") != std::string::npos;
}

// True when the machine has a graphics device an OpenGL driver could use. Without one, OpenGL
// can only be a software rasteriser, and even trying it loads that rasteriser: tens of
// megabytes and a long start.
bool HasGpuDevice() {
    struct stat st {};
    for (const char* node :
         {"/dev/dri/renderD128", "/dev/dri/card0", "/dev/dri/card1", "/dev/nvidia0"}) {
        if (stat(node, &st) == 0) return true;
    }
    return false;
}

// True when the player asked SDL for its software renderer (SDL_RENDER_DRIVER=software): the
// display then presents in software without trying a GPU.
bool SoftwareRequested() {
    const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    return driver && SDL_strcasecmp(driver, "software") == 0;
}

// The window's own pixels, when they are 32-bit with the colour bytes the scaler writes.
SDL_Surface* SoftwareSurface(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) return nullptr;
    const Uint32 f = surface->format->format;
    return (f == SDL_PIXELFORMAT_RGB888 || f == SDL_PIXELFORMAT_ARGB8888) ? surface : nullptr;
}

bool IsHeadlessDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

}  // namespace

// Only what changed since the frame shown last is converted, scaled and handed to the window
// system; the whole frame is presented again whenever what the window shows may no longer be
// that frame: a new window or mode, a new window surface, and the window events below.
struct Display::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool software = false;  // presenting through the window's own pixels (no renderer)
    FrameScaler scaler;
    FrameChanges changes;
    std::atomic<bool> wholeDue{true};  // set by the window events, also from SDL's event watch
    SDL_Surface* shownSurface = nullptr;
    int shownW = 0, shownH = 0;
    bool fullScreen = false;
    bool shown = true;
    bool headless = false;
    bool vsync = false;
    int refreshRate = 60;
    uint64_t lastPresent = 0;         // performance counter
    std::vector<uint32_t> converted;  // 640 x 480, only with a renderer
    FrameScaler converter;            // the frame's changed rectangles into `converted`, unscaled
    std::vector<SDL_Rect> windowRects;
    std::vector<uint8_t> drawnRows;  // of the back surface, since the frame shown last

    // The rectangles in which the back surface differs from the frame shown last. When the back
    // surface records its drawing, only the rows it drew again are compared.
    const std::vector<Rect>& FindChanges(const Surface& back) {
        const bool known = back.Drawing && back.Drawing->TakeDrawnRows(drawnRows);
        return changes.Compare(back, known ? &drawnRows : nullptr);
    }

    void Destroy() {
        if (window) SDL_DelEventWatch(&Impl::OnEvent, this);
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        texture = nullptr;
        renderer = nullptr;
        window = nullptr;
        software = false;
        shownSurface = nullptr;
        wholeDue = true;
    }
    // Window events after which the window may show something else than the frame shown last
    // (its pixels lost, scaled anew or drawn over by the window system).
    static int OnEvent(void* self, SDL_Event* e) {
        if (e->type == SDL_RENDER_TARGETS_RESET || e->type == SDL_RENDER_DEVICE_RESET) {
            static_cast<Impl*>(self)->wholeDue = true;
            return 0;
        }
        if (e->type != SDL_WINDOWEVENT) return 0;
        switch (e->window.event) {
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_MINIMIZED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_FOCUS_GAINED:
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                static_cast<Impl*>(self)->wholeDue = true;
                break;
            default:
                break;
        }
        return 0;
    }
    void CreateGpuRenderer();
    void CreateSoftwareRenderer();
    bool ShowThroughRenderer(const Surface& back);
    bool ShowThroughSurface(const Surface& back);
    void Pace(bool presented);
};

Display::Display() : impl_(std::make_unique<Impl>()) {}
Display::~Display() {
    impl_->Destroy();
}

void Display::StartDisplay(bool fullScreen, const std::string& caption) {
    Impl& d = *impl_;
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
    if (!SDL_WasInit(SDL_INIT_JOYSTICK))
        SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    d.Destroy();
    d.headless = IsHeadlessDriver();
    // Software presentation writes into the window's framebuffer; keep that framebuffer plain.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    Uint32 flags = SDL_WINDOW_RESIZABLE | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    // A full-screen window is created at the desktop's size, so that it covers the screen even
    // where no window manager resizes it (a bare X server).
    int w = kScreenWidth, h = kScreenHeight, x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    SDL_DisplayMode desktop;
    if (fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        w = desktop.w;
        h = desktop.h;
        x = y = 0;
    }
    d.window = SDL_CreateWindow(caption.c_str(), x, y, w, h, flags);
    if (!d.window)
        throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    if (HasGpuDevice() && !SoftwareRequested()) d.CreateGpuRenderer();
    if (!d.renderer) d.software = SoftwareSurface(d.window) != nullptr;
    if (!d.renderer && !d.software) d.CreateSoftwareRenderer();
    SDL_DisplayMode mode;
    int index = SDL_GetWindowDisplayIndex(d.window);
    d.refreshRate =
        (index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.refresh_rate > 0)
            ? mode.refresh_rate
            : 60;
    d.fullScreen = fullScreen;
    d.shown = true;
    d.wholeDue = true;
    SDL_AddEventWatch(&Impl::OnEvent, &d);
    if (!d.headless) SDL_ShowCursor(SDL_DISABLE);
}

// OpenGL or another GPU renderer, given up when its OpenGL runs on a software rasteriser (a
// software OpenGL costs far more than presenting in software).
void Display::Impl::CreateGpuRenderer() {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer && RendersInSoftware(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return;
    }
    if (!renderer) return;
    SDL_RendererInfo info;
    SDL_GetRendererInfo(renderer, &info);
    if (info.flags & SDL_RENDERER_SOFTWARE) {  // no GPU renderer after all
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return;
    }
    vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");  // smooth scaling where the GPU does it
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
    converted.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                kScreenWidth, kScreenHeight);
    if (!texture) {
        throw std::runtime_error(std::string("Cannot create the frame texture: ") + SDL_GetError());
    }
}

// SDL's software renderer, for window pixels of a layout the scaler does not write.
void Display::Impl::CreateSoftwareRenderer() {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        throw std::runtime_error(std::string("Cannot create the renderer: ") + SDL_GetError());
    }
    vsync = false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
    converted.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                kScreenWidth, kScreenHeight);
    if (!texture) {
        throw std::runtime_error(std::string("Cannot create the frame texture: ") + SDL_GetError());
    }
}

void Display::StopDisplay() {
    impl_->Destroy();
}
bool Display::Started() const {
    return impl_->window != nullptr;
}
bool Display::DisplayReady() const {
    if (!impl_->window) return false;
    if (impl_->headless) return true;
    Uint32 flags = SDL_GetWindowFlags(impl_->window);
    return impl_->shown && !(flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}
bool Display::FullScreen() const {
    return impl_->fullScreen;
}
bool Display::Headless() const {
    return impl_->headless;
}
void Display::SetShown(bool shown) {
    impl_->shown = shown;
}

void Display::SetWindowSize(int w, int h) {
    if (impl_->window && !impl_->fullScreen) SDL_SetWindowSize(impl_->window, w, h);
}

void Display::SetCaption(const std::string& caption) {
    if (impl_->window) SDL_SetWindowTitle(impl_->window, caption.c_str());
}

void Display::WindowToClient(int wx, int wy, int& cx, int& cy) const {
    const Impl& d = *impl_;
    if (d.software && d.window) {
        int w = 0, h = 0;
        SDL_GetWindowSize(d.window, &w, &h);
        WindowToFrame(PlaceFrame(kScreenWidth, kScreenHeight, w, h), kScreenWidth, kScreenHeight,
                      wx, wy, cx, cy);
        return;
    }
    // The renderer's logical size makes SDL deliver mouse positions already scaled to the
    // 640 x 480 frame; what remains is to keep positions on the letterbox bands inside it.
    cx = wx < 0 ? 0 : (wx >= kScreenWidth ? kScreenWidth - 1 : wx);
    cy = wy < 0 ? 0 : (wy >= kScreenHeight ? kScreenHeight - 1 : wy);
}

void Display::ShowFrame(const Surface& back) {
    Impl& d = *impl_;
    if (back.Width != kScreenWidth || back.Height != kScreenHeight) return;
    bool presented = false;
    if (d.software)
        presented = d.ShowThroughSurface(back);
    else if (d.renderer)
        presented = d.ShowThroughRenderer(back);
    else
        return;
    d.Pace(presented);
}

// The changed rectangles converted and scaled straight into the window's pixels, which SDL then
// hands to the window system: one pass over those pixels, no texture and no renderer between.
bool Display::Impl::ShowThroughSurface(const Surface& back) {
    SDL_Surface* surface = SoftwareSurface(window);  // a new one after the window was resized
    if (!surface) return false;
    if (surface != shownSurface || surface->w != shownW || surface->h != shownH) {
        shownSurface = surface;
        shownW = surface->w;
        shownH = surface->h;
        wholeDue = true;
    }
    const bool whole = wholeDue.exchange(false);
    if (whole) changes.Forget();
    const std::vector<Rect>& areas = FindChanges(back);
    if (areas.empty()) return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    auto* pixels = static_cast<uint32_t*>(surface->pixels);
    windowRects.clear();
    if (whole) {
        scaler.Scale(back, pixels, surface->pitch, surface->w, surface->h);
    } else {
        for (const Rect& area : areas) {
            const Rect r =
                scaler.ScaleArea(back, area, pixels, surface->pitch, surface->w, surface->h);
            if (r.Right > r.Left && r.Bottom > r.Top)
                windowRects.push_back(SDL_Rect{r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top});
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (whole)
        SDL_UpdateWindowSurface(window);
    else if (!windowRects.empty())
        SDL_UpdateWindowSurfaceRects(window, windowRects.data(),
                                     static_cast<int>(windowRects.size()));
    return true;
}

// The texture keeps the frame shown last: only its changed rectangles are updated. The
// renderer's target does not keep its pixels between presents, so a changed frame is drawn whole.
bool Display::Impl::ShowThroughRenderer(const Surface& back) {
    if (wholeDue.exchange(false)) changes.Forget();
    const std::vector<Rect>& areas = FindChanges(back);
    if (areas.empty()) return false;
    constexpr int pitch = kScreenWidth * static_cast<int>(sizeof(uint32_t));
    for (const Rect& area : areas) {
        const Rect r =
            converter.ScaleArea(back, area, converted.data(), pitch, kScreenWidth, kScreenHeight);
        const SDL_Rect rect{r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
        if (rect.w > 0 && rect.h > 0)
            SDL_UpdateTexture(texture, &rect,
                              converted.data() + static_cast<size_t>(r.Top) * kScreenWidth + r.Left,
                              pitch);
    }
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    return true;
}

// Without a vertical blank to wait for (or when nothing changed, so nothing waited for it), a
// real window sleeps to the display's refresh rate instead of spinning a core. Headless runs
// never sleep.
void Display::Impl::Pace(bool presented) {
    if (headless) return;
    uint64_t now = SDL_GetPerformanceCounter();
    if (vsync && presented) {
        lastPresent = now;
        return;
    }
    uint64_t freq = SDL_GetPerformanceFrequency();
    uint64_t frame = freq / static_cast<uint64_t>(refreshRate);
    if (lastPresent != 0 && now - lastPresent < frame) {
        uint64_t waitMs = (frame - (now - lastPresent)) * 1000 / freq;
        if (waitMs > 0) SDL_Delay(static_cast<Uint32>(waitMs));
        now = SDL_GetPerformanceCounter();
    }
    lastPresent = now;
}
