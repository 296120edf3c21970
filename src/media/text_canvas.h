// The text canvas over the back surface: 8-bit (Latin-1) text in "Arial", drawn with a clear brush.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/surface.h"

// One rendered string: its coverage mask, drawn in any colour.
struct RenderedText {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Alpha;  // Width * Height, top row first
    uint64_t Serial = 0;         // tells this rendering from any other in recorded drawing
};

// Mixes the text's colour (0x00BBGGRR) into dest by its coverage, the box's top-left at (x, y),
// only inside clip (a rectangle within dest).
void BlendText(Surface& dest, int x, int y, const RenderedText& text, uint32_t bgr,
               const Rect& clip);

// "Arial" is served by Liberation Sans (its metric twin). Sizes are points at 96 dots per inch.
// Rendered strings are cached per font, size, colour and text, so drawing the same text every
// tick costs one colour-keyed copy.
class TextCanvas {
  public:
    TextCanvas();
    ~TextCanvas();
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    // The folder searched for the font file before the system's font folders (ProgramDir).
    void SetFontFolder(const std::string& folder);
    // Cheap when nothing changes: the font file is found and opened on the next measure or draw.
    // The font file missing throws std::runtime_error naming the file.
    void SetFont(const std::string& name, int sizePoints);
    void SetColor(uint32_t bgr);  // 0x00BBGGRR
    int TextPixelWidth(const std::string& latin1);
    int TextPixelHeight(const std::string& latin1);  // the font's line height for ""
    // Draws with the top-left of the text's line box at (x, y), clipped to dest, no background.
    // On a surface that records its drawing, the call is recorded.
    void WriteText(Surface& dest, int x, int y, const std::string& latin1);
    // The text as drawn in the current font, for drawing it clipped (BlendText).
    std::shared_ptr<const RenderedText> Rendered(const std::string& latin1);
    uint32_t Color() const;
    // Ends a drawing session (kept for the frame loop's contract; text is drawn immediately).
    void ReleaseCanvas();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Converts UTF-8 text (typed characters) to Latin-1; characters without a Latin-1 byte are dropped.
std::string Utf8ToLatin1(const std::string& utf8);
std::string Latin1ToUtf8(const std::string& latin1);
