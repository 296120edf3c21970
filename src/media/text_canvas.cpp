// Placeholder until this part of the game is written.
#include "media/text_canvas.h"

struct TextCanvas::Impl {};
TextCanvas::TextCanvas() : impl_(std::make_unique<Impl>()) {}
TextCanvas::~TextCanvas() = default;
void TextCanvas::SetFontFolder(const std::string&) {}
void TextCanvas::SetFont(const std::string&, int) {}
void TextCanvas::SetColor(uint32_t) {}
int TextCanvas::TextPixelWidth(const std::string& s) { return static_cast<int>(s.size()) * 7; }
int TextCanvas::TextPixelHeight(const std::string&) { return 14; }
void TextCanvas::WriteText(Surface&, int, int, const std::string&) {}
void TextCanvas::ReleaseCanvas() {}
std::string Utf8ToLatin1(const std::string& s) { return s; }
std::string Latin1ToUtf8(const std::string& s) { return s; }
