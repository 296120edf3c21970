// The text canvas on SDL_ttf: Latin-1 strings rendered anti-aliased once, cached, and blended
// onto the RGB565 back surface with a clear brush.
#include "media/text_canvas.h"

#include <SDL_ttf.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "media/frame_drawing.h"

namespace {

// Font sizes are points at 96 dots per inch, as the game's layouts were drawn for.
constexpr unsigned kScreenDpi = 96;
// Rendered strings kept at most; the cache is emptied when it would grow beyond this (typed
// names and changing counters make new strings, the screens draw the same few every tick).
constexpr size_t kMaxCachedTexts = 512;

// The font faces the game may ask for by name and the free metric-compatible files serving them.
struct FontFace {
    const char* Name;
    const char* File;
};
constexpr FontFace kFontFaces[] = {
    {"Arial", "LiberationSans-Regular.ttf"},
    {"Times New Roman", "LiberationSerif-Regular.ttf"},
    {"Courier New", "LiberationMono-Regular.ttf"},
};
const char* const kSystemFontFolders[] = {
    "/usr/share/fonts/truetype/liberation/",
    "/usr/share/fonts/truetype/liberation2/",
};

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

struct TextKey {
    const TTF_Font* Font;
    uint32_t Color;
    std::string Text;
};
struct TextKeyView {
    const TTF_Font* Font;
    uint32_t Color;
    std::string_view Text;
};

// Orders keys by font, colour and text; looks up by a view so that a hit allocates nothing.
struct TextKeyLess {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        if (a.Font != b.Font) return std::less<const TTF_Font*>()(a.Font, b.Font);
        if (a.Color != b.Color) return a.Color < b.Color;
        return std::string_view(a.Text) < std::string_view(b.Text);
    }
};

// Mixes one 8-bit channel value into a 5- or 6-bit one by coverage 0..255.
inline uint32_t MixChannel(uint32_t dst, uint32_t src, uint32_t alpha) {
    return (src * alpha + dst * (255 - alpha) + 127) / 255;
}

}  // namespace

struct TextCanvas::Impl {
    std::string fontFolder;
    std::string fontName = "Arial";
    int fontSize = 10;
    uint32_t color = 0;  // 0x00BBGGRR
    bool ttfStarted = false;
    TTF_Font* font = nullptr;  // the font of fontName and fontSize, opened on first use
    std::map<std::pair<std::string, int>, TTF_Font*> openFonts;
    // Shared with the frames that recorded a drawing of it, so that emptying the cache while a
    // frame is recorded leaves its texts drawable.
    std::map<TextKey, std::shared_ptr<const RenderedText>, TextKeyLess> rendered;

    ~Impl() {
        for (auto& entry : openFonts) TTF_CloseFont(entry.second);
        if (ttfStarted) TTF_Quit();
    }

    void StartTtf() {
        if (ttfStarted) return;
        if (TTF_Init() != 0)
            throw std::runtime_error(std::string("Cannot start SDL_ttf: ") + TTF_GetError());
        ttfStarted = true;
    }

    // The font file serving a face name: the font folder first, then the system's folders.
    std::string FindFontFile(const std::string& name) const {
        const FontFace* face = nullptr;
        for (const FontFace& f : kFontFaces)
            if (SameTextIgnoringCase(f.Name, name)) face = &f;
        if (!face) throw std::runtime_error("Font '" + name + "' is not available");
        std::vector<std::string> folders;
        if (!fontFolder.empty()) folders.push_back(WithSlash(fontFolder));
        for (const char* f : kSystemFontFolders) folders.emplace_back(f);
        std::string searched;
        for (const std::string& folder : folders) {
            if (FileExists(folder + face->File)) return folder + face->File;
            searched += (searched.empty() ? "" : ", ") + folder;
        }
        throw std::runtime_error("Font file " + std::string(face->File) + " for \"" + name +
                                 "\" not found (searched " + searched + ")");
    }

    TTF_Font* CurrentFont() {
        if (font) return font;
        StartTtf();
        std::string file = FindFontFile(fontName);
        auto key = std::make_pair(file, fontSize);
        auto it = openFonts.find(key);
        if (it == openFonts.end()) {
            TTF_Font* opened =
                TTF_OpenFontDPI(file.c_str(), std::max(fontSize, 1), kScreenDpi, kScreenDpi);
            if (!opened)
                throw std::runtime_error("Cannot open font file " + file + ": " + TTF_GetError());
            it = openFonts.emplace(key, opened).first;
        }
        font = it->second;
        return font;
    }

    // The cached rendering of text in the current font and colour; renders it on a miss.
    const std::shared_ptr<const RenderedText>& Render(const std::string& latin1) {
        TTF_Font* f = CurrentFont();
        auto it = rendered.find(TextKeyView{f, color, latin1});
        if (it != rendered.end()) return it->second;
        if (rendered.size() >= kMaxCachedTexts) rendered.clear();
        auto text = std::make_shared<RenderedText>(RenderText(f, latin1));
        text->Serial = NextDrawingSerial();
        return rendered.emplace(TextKey{f, color, latin1}, std::move(text)).first->second;
    }

    RenderedText RenderText(TTF_Font* f, const std::string& latin1) const {
        RenderedText out;
        if (latin1.empty()) return out;
        SDL_Color white{255, 255, 255, 255};
        const std::string utf8 = Latin1ToUtf8(latin1);
        // Text with nothing to draw (a soft hyphen, a name that starts with a NUL byte) draws
        // nothing and is one line high; SDL_ttf refuses to render it.
        int width = 0;
        const bool measured = TTF_SizeUTF8(f, utf8.c_str(), &width, nullptr) == 0;
        if (utf8.c_str()[0] == '\0' || (measured && width == 0)) {
            out.Height = TTF_FontHeight(f);
            return out;
        }
        SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), white);
        if (!s) throw std::runtime_error(std::string("Cannot render text: ") + TTF_GetError());
        out.Width = s->w;
        out.Height = s->h;
        out.Alpha.resize(static_cast<size_t>(s->w) * static_cast<size_t>(s->h));
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
            for (int x = 0; x < s->w; ++x)
                out.Alpha[static_cast<size_t>(y) * s->w + x] = static_cast<uint8_t>(row[x] >> 24);
        }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
        return out;
    }
};

TextCanvas::TextCanvas() : impl_(std::make_unique<Impl>()) {}
TextCanvas::~TextCanvas() = default;

void TextCanvas::SetFontFolder(const std::string& folder) {
    if (folder == impl_->fontFolder) return;
    impl_->fontFolder = folder;
    impl_->font = nullptr;
}

void TextCanvas::SetFont(const std::string& name, int sizePoints) {
    if (name == impl_->fontName && sizePoints == impl_->fontSize) return;
    impl_->fontName = name;
    impl_->fontSize = sizePoints;
    impl_->font = nullptr;
}

void TextCanvas::SetColor(uint32_t bgr) {
    impl_->color = bgr & 0xFFFFFF;
}

int TextCanvas::TextPixelWidth(const std::string& latin1) {
    return impl_->Render(latin1)->Width;
}

int TextCanvas::TextPixelHeight(const std::string& latin1) {
    if (latin1.empty()) return TTF_FontHeight(impl_->CurrentFont());
    return impl_->Render(latin1)->Height;
}

std::shared_ptr<const RenderedText> TextCanvas::Rendered(const std::string& latin1) {
    return impl_->Render(latin1);
}

uint32_t TextCanvas::Color() const {
    return impl_->color;
}

void TextCanvas::WriteText(Surface& dest, int x, int y, const std::string& latin1) {
    const std::shared_ptr<const RenderedText>& text = impl_->Render(latin1);
    if (text->Width == 0) return;
    if (dest.Drawing) {
        DrawStep step;
        step.What = DrawStep::Kind::Text;
        step.Mixes = true;  // the letters' edges
        step.Color = impl_->color;
        step.Serial = text->Serial;
        step.Place = BoxAt(x, y, text->Width, text->Height);
        step.Source = text.get();
        if (dest.Drawing->RecordText(step, text)) return;
    }
    BlendText(dest, x, y, *text, impl_->color, Rect{0, 0, dest.Width, dest.Height});
}

void BlendText(Surface& dest, int x, int y, const RenderedText& text, uint32_t bgr,
               const Rect& clip) {
    uint32_t r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    uint16_t solid = ColorRefTo565(bgr);
    // The text colour at the surface's channel precision, for mixing.
    uint32_t r5 = r >> 3, g6 = g >> 2, b5 = b >> 3;
    const int x0 = static_cast<int>(std::max<int64_t>(0, int64_t{clip.Left} - x));
    const int x1 = static_cast<int>(std::min<int64_t>(text.Width, int64_t{clip.Right} - x));
    const int y0 = static_cast<int>(std::max<int64_t>(0, int64_t{clip.Top} - y));
    const int y1 = static_cast<int>(std::min<int64_t>(text.Height, int64_t{clip.Bottom} - y));
    for (int ty = y0; ty < y1; ++ty) {
        const uint8_t* alpha = text.Alpha.data() + static_cast<size_t>(ty) * text.Width;
        uint16_t* row = dest.Row(y + ty) + x;
        for (int tx = x0; tx < x1; ++tx) {
            uint32_t a = alpha[tx];
            if (a == 0) continue;
            if (a == 255) {
                row[tx] = solid;
                continue;
            }
            uint32_t d = row[tx];
            uint32_t mr = MixChannel((d >> 11) & 31, r5, a);
            uint32_t mg = MixChannel((d >> 5) & 63, g6, a);
            uint32_t mb = MixChannel(d & 31, b5, a);
            row[tx] = static_cast<uint16_t>((mr << 11) | (mg << 5) | mb);
        }
    }
}

// Text is blended straight onto the back surface, so there is nothing to hand back; the frame
// loop still calls this before showing the frame.
void TextCanvas::ReleaseCanvas() {}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size() * 2);
    for (char ch : latin1) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Decodes UTF-8 and keeps the characters U+0000..U+00FF as their Latin-1 bytes. Characters above
// U+00FF and malformed bytes are dropped.
std::string Utf8ToLatin1(const std::string& utf8) {
    std::string out;
    size_t i = 0, n = utf8.size();
    while (i < n) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0) {  // a stray continuation byte or an invalid lead byte
            ++i;
            continue;
        }
        uint32_t code = extra == 0 ? c : c & (0x3F >> extra);
        size_t j = i + 1;
        for (; j < n && j <= i + static_cast<size_t>(extra); ++j) {
            auto cc = static_cast<unsigned char>(utf8[j]);
            if ((cc & 0xC0) != 0x80) break;
            code = (code << 6) | (cc & 0x3F);
        }
        bool complete = j == i + 1 + static_cast<size_t>(extra);
        // Latin-1 characters take one or two bytes; longer and overlong forms are dropped.
        if (complete && extra <= 1 && code <= 0xFF && (extra == 0 || code >= 0x80))
            out += static_cast<char>(code);
        i = j;
    }
    return out;
}
