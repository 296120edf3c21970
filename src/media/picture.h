// Pictures of the image lists (the game's, the menus' and the tile set): named, cut into patterns,
// drawn.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/library_format.h"
#include "media/surface.h"

// One named picture of an image list, converted once at load to RGB565. Pattern k of a picture
// with `columns` columns lies at column k mod columns, row k / columns, each step being the
// pattern size plus the skip size; the pixels left over at the right and bottom belong to no
// pattern.
class Picture {
  public:
    explicit Picture(PictureData data);

    const std::string& Name() const { return name_; }
    int Width() const { return width_; }  // the whole picture
    int Height() const { return height_; }
    int PatternWidthSetting() const { return patternWidthSetting_; }  // stored PatternWidth
    int PatternHeightSetting() const { return patternHeightSetting_; }
    int SkipWidth() const { return skipWidth_; }
    int SkipHeight() const { return skipHeight_; }
    bool Transparent() const { return transparent_; }
    int PatternPixelWidth() const {
        return patternWidthSetting_ > 0 ? patternWidthSetting_ : width_;
    }
    int PatternPixelHeight() const {
        return patternHeightSetting_ > 0 ? patternHeightSetting_ : height_;
    }
    int PatternCount() const { return count_; }  // 0 for an empty picture

    // Copies the pattern with its top-left corner at (x, y), clipped to dest; when the picture
    // is transparent its key colour is not drawn. A pattern outside 0..count-1 draws nothing.
    // Allocates nothing. On a surface that records its drawing, the call is recorded.
    void DrawPattern(Surface& dest, int x, int y, int pattern) const;
    // Draws the pattern scaled into rect (right and bottom exclusive), mixed with what is there:
    // alpha 0 or less draws nothing, 255 or more draws opaque. The key colour is not drawn.
    void BlendPattern(Surface& dest, const Rect& rect, int pattern, int alpha) const;
    // The same two, drawn at once and only inside clip (a rectangle within dest): the pixels
    // inside clip are exactly those of the whole call.
    void DrawPatternWithin(Surface& dest, int x, int y, int pattern, const Rect& clip) const;
    void BlendPatternWithin(Surface& dest, const Rect& rect, int pattern, int alpha,
                            const Rect& clip) const;

    // The RGB565 value at (x, y) of a pattern; throws std::out_of_range outside it.
    uint16_t PixelAt(int pattern, int x, int y) const;
    // True when that pixel is not drawn (transparent picture, pixel of the key colour).
    bool IsKey(int pattern, int x, int y) const;

  private:
    // The drawn pixels of one pattern row, in pattern columns: From up to To (exclusive), with
    // key pixels between them when Select is set.
    struct RowSpan {
        int32_t From;
        int32_t To;
        bool Select;
    };
    // How a pattern draws: every pixel, none, or row by row by its spans.
    enum Kind : uint8_t { kKeyed = 0, kOpaque = 1, kEmpty = 2 };

    void CutPatterns();
    void FindDrawnSpans();
    RowSpan SpanOf(const uint16_t* row) const;
    const uint16_t* PatternOrigin(int pattern) const;

    std::string name_;
    uint64_t serial_ = 0;  // tells this picture's pixels from any other's in recorded drawing
    int width_ = 0;
    int height_ = 0;
    int patternWidthSetting_ = 0;
    int patternHeightSetting_ = 0;
    int skipWidth_ = 0;
    int skipHeight_ = 0;
    bool transparent_ = true;
    uint16_t key_ = 0;

    // Geometry of the cut: pattern size in pixels, the step between patterns, columns, count.
    int pw_ = 0;
    int ph_ = 0;
    int64_t stepX_ = 0;
    int64_t stepY_ = 0;
    int columns_ = 0;
    int count_ = 0;

    std::vector<uint16_t> pixels_;  // width_ * height_, top row first
    // For transparent pictures: the span of row r of pattern k is spans_[k * ph_ + r]. A row is
    // drawn as a plain copy of its span, or, with key pixels inside, as a select that keeps the
    // surface's pixel wherever the picture holds the key.
    std::vector<RowSpan> spans_;
    std::vector<uint8_t> kind_;
};

// An image list: the pictures of one library file, found by position or by name.
class PictureList {
  public:
    PictureList() = default;
    PictureList(const PictureList&) = default;
    PictureList(PictureList&&) = default;
    PictureList& operator=(const PictureList&) = default;
    PictureList& operator=(PictureList&&) = default;
    // A frame being recorded draws its calls so far first (see Clear).
    ~PictureList();

    // Replaces the content with the pictures of a library file; errors are FileErrors that
    // name the file. The list is empty when loading fails.
    void LoadPictures(const std::string& path);
    // Replaces the content with pictures already read (tests, tools).
    void LoadLibrary(PictureLibrary library);

    // Letter case does not matter; throws std::runtime_error "Image '<name>' not found".
    const Picture& FindPicture(const std::string& name) const;
    int IndexOf(const std::string& name) const;  // -1 when no picture bears the name
    // Throws std::runtime_error "List index out of bounds (<index>)".
    const Picture& PictureAt(int index) const;
    int Count() const { return static_cast<int>(pictures_.size()); }
    // Before the pictures go, a frame being recorded on any surface draws its calls so far.
    void Clear();

  private:
    struct NoCaseHash {
        size_t operator()(const std::string& s) const;
    };
    struct NoCaseEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::vector<Picture> pictures_;
    // Name to first position bearing it.
    std::unordered_map<std::string, int, NoCaseHash, NoCaseEqual> byName_;
};
