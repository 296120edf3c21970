// Drawing a frame again only where it differs from the last one: the drawing calls of a frame are
// recorded, compared block by block with the last frame's, and carried out only in the blocks
// whose calls changed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/surface.h"

class Picture;
struct RenderedText;

// One drawing call, as much of it as decides the pixels it leaves: two steps with equal fields
// draw the same pixels over the same surface. Pictures and rendered texts are told apart by their
// serial numbers, never by their addresses, which a reloaded list may use again.
struct DrawStep {
    enum class Kind : uint8_t { Pattern, ScaledPattern, Text };

    Kind What = Kind::Pattern;
    bool Covers = false;  // every pixel of Bounds drawn opaque: what lay below does not show
    bool Mixes = false;   // some pixel mixed with what lay below: drawing it twice differs
    int32_t Pattern = 0;
    int32_t Alpha = 0;
    uint32_t Color = 0;
    uint64_t Serial = 0;  // of the picture or the rendered text
    Rect Place;   // where the call drew: its pattern's or text's box, or the scaled rectangle
    Rect Bounds;  // Place within the surface
    const void* Source{};  // the picture or rendered text; valid only during its own frame

    bool SameDrawing(const DrawStep& o) const {
        return What == o.What && Serial == o.Serial && Pattern == o.Pattern && Alpha == o.Alpha &&
               Color == o.Color && Place.Left == o.Place.Left && Place.Top == o.Place.Top &&
               Place.Right == o.Place.Right && Place.Bottom == o.Place.Bottom;
    }
};

// A serial number never handed out before, for a picture or a rendered text.
uint64_t NextDrawingSerial();

// Records the drawing calls made on one surface between StartFrame and FinishFrame and then draws
// the frame: the surface is cut into blocks; a block is drawn again when its list of calls differs
// from the last frame's, or when a call in it mixes with pixels that no opaque call of the frame
// covered first. Every other block already shows exactly what the calls would draw, because
// copying the same pixels again changes nothing. Outside a frame the calls draw at once, and the
// next frame is drawn whole.
//
// The rows drawn again are kept until the display takes them, so that it compares only those rows
// with the frame it showed last.
class FrameDrawing {
  public:
    FrameDrawing();
    ~FrameDrawing();
    FrameDrawing(const FrameDrawing&) = delete;
    FrameDrawing& operator=(const FrameDrawing&) = delete;

    // Makes `surface` record its drawing calls here from now on.
    void Attach(Surface& surface);

    void StartFrame();
    // Draws the recorded frame where it differs from the last one.
    void FinishFrame();
    bool Recording() const { return recording_; }

    // Takes one call: true when it was recorded, false when it is to be drawn now (outside a
    // frame; the next frame is then drawn whole).
    bool Record(const DrawStep& step);
    bool RecordText(const DrawStep& step, std::shared_ptr<const RenderedText> text);

    // The next frame is drawn whole and every row counts as changed (pixels written other than
    // through drawing calls).
    void Forget();

    // The rows of the surface drawn since the display last took them: false when unknown (the
    // whole surface may have changed), else `rows` holds one flag per row. Starts anew.
    bool TakeDrawnRows(std::vector<uint8_t>& rows);

    // For checking: every frame is also drawn whole onto `copy` (or no longer, with nullptr),
    // which then shows what drawing every call of every frame at once shows.
    void KeepWholeDrawing(Surface* copy) { wholeCopy_ = copy; }

    // Called before pictures are destroyed or replaced: every frame being recorded draws its calls
    // so far at once, while their pictures still exist.
    static void BeforePicturesChange();

  private:
    struct BlockLists {
        std::vector<uint32_t> First;  // per block, into Steps; one more entry at the end
        std::vector<uint32_t> Steps;
        std::vector<uint8_t> Unsettled;  // per block: a mixing call over pixels not covered first
    };

    static void DrawStepNow(Surface& dest, const DrawStep& step, const Rect& clip);
    void DrawRecordedNow();
    void ListBlocks(const std::vector<DrawStep>& steps, BlockLists& lists);
    bool BlockChanged(size_t block) const;
    void DrawChangedBlocks();
    // The surface's pixels under blocks fromColumn up to toColumn (exclusive) of one block row.
    Rect BlocksArea(int fromColumn, int toColumn, int row) const;
    void DrawArea(const Rect& area);
    void NoteDrawnRows(int top, int bottom);

    Surface* surface_ = nullptr;
    bool recording_ = false;
    bool lastKnown_ = false;   // the surface shows the last frame's calls
    size_t drawnAlready_ = 0;  // calls of this frame drawn at once (pictures changed)
    int blockColumns_ = 0, blockRows_ = 0;
    std::vector<DrawStep> steps_, lastSteps_;
    std::vector<std::shared_ptr<const RenderedText>> texts_;  // kept alive for this frame
    BlockLists lists_, lastLists_;
    std::vector<uint8_t> changedBlocks_;
    std::vector<uint32_t> nextInBlock_;  // while listing the blocks
    std::vector<uint8_t> coveredBlocks_;
    std::vector<uint32_t> areaSteps_;
    bool drawnRowsKnown_ = false;
    std::vector<uint8_t> drawnRows_;
    Surface* wholeCopy_ = nullptr;
};
