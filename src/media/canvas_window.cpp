// The resizable window of the editor on SDL.
#include "media/canvas_window.h"

#include <SDL.h>

#include <stdexcept>

struct CanvasWindow::Impl {
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    int TextureWidth = 0, TextureHeight = 0;
    ~Impl() {
        if (Texture) SDL_DestroyTexture(Texture);
        if (Renderer) SDL_DestroyRenderer(Renderer);
        if (Window) SDL_DestroyWindow(Window);
    }
};

CanvasWindow::CanvasWindow() : impl_(std::make_unique<Impl>()) {}
CanvasWindow::~CanvasWindow() = default;

void CanvasWindow::Open(const std::string& caption, int width, int height) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("cannot open a display: ") + SDL_GetError());
    impl_->Window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                     SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_RESIZABLE);
    if (!impl_->Window)
        throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
    impl_->Renderer = SDL_CreateRenderer(impl_->Window, -1, 0);
    if (!impl_->Renderer)
        impl_->Renderer = SDL_CreateRenderer(impl_->Window, -1, SDL_RENDERER_SOFTWARE);
    if (!impl_->Renderer)
        throw std::runtime_error(std::string("cannot draw in the window: ") + SDL_GetError());
    SDL_StartTextInput();
}

void CanvasWindow::SetCaption(const std::string& caption) {
    SDL_SetWindowTitle(impl_->Window, caption.c_str());
}

void CanvasWindow::SetMinimumSize(int width, int height) {
    SDL_SetWindowMinimumSize(impl_->Window, width, height);
}

std::string ClipboardText() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_HasClipboardText()) return "";
    char* text = SDL_GetClipboardText();
    std::string out = text ? text : "";
    SDL_free(text);
    return out;
}

int CanvasWindow::Width() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(impl_->Window, &w, &h);
    return w;
}

int CanvasWindow::Height() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(impl_->Window, &w, &h);
    return h;
}

namespace {

void Modifiers(WindowEvent& out, uint16_t mod) {
    out.Shift = (mod & KMOD_SHIFT) != 0;
    out.Ctrl = (mod & KMOD_CTRL) != 0;
    out.Alt = (mod & KMOD_ALT) != 0;
}

bool Translate(const SDL_Event& e, WindowEvent& out) {
    using Kind = WindowEvent::Kind;
    switch (e.type) {
        case SDL_QUIT:
            out.What = Kind::Close;
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                out.What = Kind::Close;
                return true;
            }
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                out.What = Kind::Redraw;
                return true;
            }
            if (e.window.event != SDL_WINDOWEVENT_SIZE_CHANGED) return false;
            out.What = Kind::Resize;
            out.X = e.window.data1;
            out.Y = e.window.data2;
            return true;
        case SDL_KEYDOWN:
            out.What = Kind::KeyDown;
            out.Key = SDL_GetKeyName(e.key.keysym.sym);
            Modifiers(out, e.key.keysym.mod);
            return true;
        case SDL_TEXTINPUT:
            out.What = Kind::Text;
            out.Text = e.text.text;
            return true;
        case SDL_MOUSEMOTION:
            out.What = Kind::MouseMove;
            out.X = e.motion.x;
            out.Y = e.motion.y;
            Modifiers(out, SDL_GetModState());
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.What = e.type == SDL_MOUSEBUTTONDOWN ? Kind::MouseDown : Kind::MouseUp;
            out.X = e.button.x;
            out.Y = e.button.y;
            out.Button = e.button.button == SDL_BUTTON_LEFT     ? 1
                         : e.button.button == SDL_BUTTON_MIDDLE ? 2
                         : e.button.button == SDL_BUTTON_RIGHT  ? 3
                                                                : 0;
            Modifiers(out, SDL_GetModState());
            return out.Button != 0;
        case SDL_MOUSEWHEEL:
            out.What = Kind::Wheel;
            out.X = e.wheel.x;
            out.Y = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                out.X = -out.X;
                out.Y = -out.Y;
            }
            Modifiers(out, SDL_GetModState());
            return true;
        default:
            return false;
    }
}

}  // namespace

std::vector<WindowEvent> CanvasWindow::Events(int waitMs) {
    std::vector<WindowEvent> events;
    SDL_Event e;
    bool any = waitMs > 0 ? SDL_WaitEventTimeout(&e, waitMs) != 0 : SDL_PollEvent(&e) != 0;
    while (any) {
        WindowEvent out;
        if (Translate(e, out)) events.push_back(std::move(out));
        any = SDL_PollEvent(&e) != 0;
    }
    return events;
}

void CanvasWindow::Show(const Surface& frame) {
    Impl& d = *impl_;
    if (!d.Texture || d.TextureWidth != frame.Width || d.TextureHeight != frame.Height) {
        if (d.Texture) SDL_DestroyTexture(d.Texture);
        d.Texture = SDL_CreateTexture(d.Renderer, SDL_PIXELFORMAT_RGB565,
                                      SDL_TEXTUREACCESS_STREAMING, frame.Width, frame.Height);
        if (!d.Texture) return;
        d.TextureWidth = frame.Width;
        d.TextureHeight = frame.Height;
    }
    SDL_UpdateTexture(d.Texture, nullptr, frame.Pixels.data(), frame.Width * 2);
    SDL_Rect to{0, 0, frame.Width, frame.Height};
    SDL_RenderClear(d.Renderer);
    SDL_RenderCopy(d.Renderer, d.Texture, nullptr, &to);
    SDL_RenderPresent(d.Renderer);
}
