// The display on SDL2: a window, a renderer and a streaming texture the back surface is copied into.
#include "media/display.h"

#include <SDL.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// True when an OpenGL renderer runs on a software rasteriser (no GPU, e.g. a bare X server).
bool RendersInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    const unsigned char* name = getString(0x1F01);  // GL_RENDERER
    if (!name) return false;
    std::string text(reinterpret_cast<const char*>(name));
    return text.find("llvmpipe") != std::string::npos || text.find("softpipe") != std::string::npos ||
           text.find("Software") != std::string::npos;
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
    bool fullScreen = false;
    bool shown = true;
    bool headless = false;
    bool vsync = false;
    int refreshRate = 60;
    uint64_t lastPresent = 0;  // performance counter
    std::vector<uint32_t> converted = std::vector<uint32_t>(kScreenWidth * kScreenHeight);
    std::array<uint32_t, 65536> palette{};

    Impl() {
        for (uint32_t c = 0; c < 65536; ++c) palette[c] = 0xFF000000u | Rgb565ToRgb(static_cast<uint16_t>(c));
    }
    void Destroy() {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        texture = nullptr;
        renderer = nullptr;
        window = nullptr;
    }
    void Pace();
};

Display::Display() : impl_(std::make_unique<Impl>()) {}
Display::~Display() { impl_->Destroy(); }

void Display::StartDisplay(bool fullScreen, const std::string& caption) {
    Impl& d = *impl_;
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    d.Destroy();
    d.headless = IsHeadlessDriver();
    // The software renderer draws into the window's framebuffer; keep that framebuffer plain.
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
    if (!d.window) throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (d.renderer && RendersInSoftware(d.renderer)) {
        // A software OpenGL costs far more than SDL's own software renderer.
        SDL_DestroyRenderer(d.renderer);
        d.renderer = nullptr;
    }
    if (!d.renderer) d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_SOFTWARE);
    if (!d.renderer) throw std::runtime_error(std::string("Cannot create the renderer: ") + SDL_GetError());
    SDL_RendererInfo info;
    SDL_GetRendererInfo(d.renderer, &info);
    bool software = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    d.vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) && !software;
    // Smooth scaling where the hardware does it; the software renderer scales by nearest pixel,
    // which costs half as much.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, software ? "nearest" : "linear");
    SDL_RenderSetLogicalSize(d.renderer, kScreenWidth, kScreenHeight);
    d.texture = SDL_CreateTexture(d.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  kScreenWidth, kScreenHeight);
    if (!d.texture) throw std::runtime_error(std::string("Cannot create the frame texture: ") + SDL_GetError());
    SDL_DisplayMode mode;
    int index = SDL_GetWindowDisplayIndex(d.window);
    d.refreshRate = (index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.refresh_rate > 0)
                        ? mode.refresh_rate : 60;
    d.fullScreen = fullScreen;
    d.shown = true;
    if (!d.headless) SDL_ShowCursor(SDL_DISABLE);
}

void Display::StopDisplay() { impl_->Destroy(); }
bool Display::Started() const { return impl_->window != nullptr; }
bool Display::DisplayReady() const {
    if (!impl_->window) return false;
    if (impl_->headless) return true;
    Uint32 flags = SDL_GetWindowFlags(impl_->window);
    return impl_->shown && !(flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}
bool Display::FullScreen() const { return impl_->fullScreen; }
bool Display::Headless() const { return impl_->headless; }
void Display::SetShown(bool shown) { impl_->shown = shown; }

void Display::SetCaption(const std::string& caption) {
    if (impl_->window) SDL_SetWindowTitle(impl_->window, caption.c_str());
}

void Display::WindowToClient(int wx, int wy, int& cx, int& cy) const {
    // The renderer's logical size makes SDL deliver mouse positions already scaled to the
    // 640 x 480 frame; what remains is to keep positions on the letterbox bands inside it.
    cx = wx < 0 ? 0 : (wx >= kScreenWidth ? kScreenWidth - 1 : wx);
    cy = wy < 0 ? 0 : (wy >= kScreenHeight ? kScreenHeight - 1 : wy);
}

void Display::ShowFrame(const Surface& back) {
    Impl& d = *impl_;
    if (!d.renderer || back.Width != kScreenWidth || back.Height != kScreenHeight) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(d.texture, nullptr, &pixels, &pitch) == 0) {
        for (int y = 0; y < kScreenHeight; ++y) {
            uint32_t* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + y * pitch);
            const uint16_t* src = back.Row(y);
            for (int x = 0; x < kScreenWidth; ++x) dst[x] = d.palette[src[x]];
        }
        SDL_UnlockTexture(d.texture);
    }
    SDL_RenderClear(d.renderer);
    SDL_RenderCopy(d.renderer, d.texture, nullptr, nullptr);
    SDL_RenderPresent(d.renderer);
    d.Pace();
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
