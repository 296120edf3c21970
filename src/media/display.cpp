// The display on SDL2: a window shown either through a GPU renderer (a streaming texture the
// back surface is copied into) or, without a GPU, through the window's own pixels in software.
#include "media/display.h"

#include <SDL.h>
#include <sys/stat.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

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

struct Display::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool software = false;  // presenting through the window's own pixels (no renderer)
    FrameScaler scaler;
    bool fullScreen = false;
    bool shown = true;
    bool headless = false;
    bool vsync = false;
    int refreshRate = 60;
    uint64_t lastPresent = 0;  // performance counter
    std::vector<uint32_t> converted = std::vector<uint32_t>(kScreenWidth * kScreenHeight);
    std::array<uint32_t, 65536> palette{};

    Impl() {
        for (uint32_t c = 0; c < 65536; ++c)
            palette[c] = 0xFF000000u | Rgb565ToRgb(static_cast<uint16_t>(c));
    }
    void Destroy() {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        texture = nullptr;
        renderer = nullptr;
        window = nullptr;
        software = false;
    }
    void CreateGpuRenderer();
    void CreateSoftwareRenderer();
    void ShowThroughRenderer(const Surface& back);
    void ShowThroughSurface(const Surface& back);
    void Pace();
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
    if (d.software)
        d.ShowThroughSurface(back);
    else if (d.renderer)
        d.ShowThroughRenderer(back);
    else
        return;
    d.Pace();
}

// The frame converted and scaled straight into the window's pixels, which SDL then hands to the
// window system: one pass over the window, no texture and no renderer in between.
void Display::Impl::ShowThroughSurface(const Surface& back) {
    SDL_Surface* surface = SoftwareSurface(window);  // a new one after the window was resized
    if (!surface) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    scaler.Scale(back, static_cast<uint32_t*>(surface->pixels), surface->pitch, surface->w,
                 surface->h);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window);
}

void Display::Impl::ShowThroughRenderer(const Surface& back) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
        for (int y = 0; y < kScreenHeight; ++y) {
            uint32_t* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + y * pitch);
            const uint16_t* src = back.Row(y);
            for (int x = 0; x < kScreenWidth; ++x) dst[x] = palette[src[x]];
        }
        SDL_UnlockTexture(texture);
    }
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

// Without a vertical blank to wait for, a real window sleeps to the display's refresh rate
// instead of spinning a core. Headless runs never sleep.
void Display::Impl::Pace() {
    if (headless || vsync) return;
    uint64_t freq = SDL_GetPerformanceFrequency();
    uint64_t frame = freq / static_cast<uint64_t>(refreshRate);
    uint64_t now = SDL_GetPerformanceCounter();
    if (lastPresent != 0 && now - lastPresent < frame) {
        uint64_t waitMs = (frame - (now - lastPresent)) * 1000 / freq;
        if (waitMs > 0) SDL_Delay(static_cast<Uint32>(waitMs));
        now = SDL_GetPerformanceCounter();
    }
    lastPresent = now;
}
