// Recorded frames drawn again only in the blocks whose drawing calls changed.
#include "media/frame_drawing.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "media/picture.h"
#include "media/text_canvas.h"

namespace {

// A block is as wide as 64 bytes of pixels and as high as a line of the menus' text.
constexpr int kBlockWidth = 32;
constexpr int kBlockHeight = 16;

std::atomic<uint64_t> lastSerial{0};

// Every FrameDrawing in the program, for BeforePicturesChange.
std::mutex registryMutex;
std::vector<FrameDrawing*>& Registry() {
    static std::vector<FrameDrawing*> all;
    return all;
}

bool IsEmpty(const Rect& r) {
    return r.Left >= r.Right || r.Top >= r.Bottom;
}

bool Contains(const Rect& outer, const Rect& inner) {
    return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
           outer.Bottom >= inner.Bottom;
}

}  // namespace

uint64_t NextDrawingSerial() {
    return ++lastSerial;
}

FrameDrawing::FrameDrawing() {
    const std::lock_guard<std::mutex> lock(registryMutex);
    Registry().push_back(this);
}

FrameDrawing::~FrameDrawing() {
    {
        const std::lock_guard<std::mutex> lock(registryMutex);
        std::vector<FrameDrawing*>& all = Registry();
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    if (surface_ && surface_->Drawing == this) surface_->Drawing = nullptr;
}

void FrameDrawing::Attach(Surface& surface) {
    surface_ = &surface;
    surface.Drawing = this;
    Forget();
}

void FrameDrawing::Forget() {
    lastKnown_ = false;
    drawnRowsKnown_ = false;
}

void FrameDrawing::StartFrame() {
    // A frame left unfinished (its screen threw) drew nothing, unless pictures changed during it.
    if (recording_ && drawnAlready_ > 0) Forget();
    recording_ = true;
    drawnAlready_ = 0;
    steps_.clear();
    texts_.clear();
}

bool FrameDrawing::Record(const DrawStep& step) {
    if (!recording_ || !surface_) {
        Forget();  // drawn at once, over pixels the last frame's calls no longer describe
        return false;
    }
    DrawStep recorded = step;
    recorded.Bounds = Intersection(step.Place, Rect{0, 0, surface_->Width, surface_->Height});
    if (!IsEmpty(recorded.Bounds)) steps_.push_back(recorded);
    return true;
}

bool FrameDrawing::RecordText(const DrawStep& step, std::shared_ptr<const RenderedText> text) {
    if (!Record(step)) return false;
    texts_.push_back(std::move(text));
    return true;
}

void FrameDrawing::BeforePicturesChange() {
    const std::lock_guard<std::mutex> lock(registryMutex);
    for (FrameDrawing* drawing : Registry())
        if (drawing->recording_) drawing->DrawRecordedNow();
}

void FrameDrawing::DrawRecordedNow() {
    // The copy starts from the surface whenever the surface is drawn whole over pixels that the
    // last frame's calls do not describe.
    if (wholeCopy_ && drawnAlready_ == 0 && !lastKnown_) *wholeCopy_ = *surface_;
    for (size_t i = drawnAlready_; i < steps_.size(); ++i) {
        DrawStepNow(*surface_, steps_[i], steps_[i].Bounds);
        if (wholeCopy_) DrawStepNow(*wholeCopy_, steps_[i], steps_[i].Bounds);
    }
    drawnAlready_ = steps_.size();
}

void FrameDrawing::DrawStepNow(Surface& dest, const DrawStep& step, const Rect& clip) {
    switch (step.What) {
        case DrawStep::Kind::Pattern:
            static_cast<const Picture*>(step.Source)
                ->DrawPatternWithin(dest, step.Place.Left, step.Place.Top, step.Pattern, clip);
            break;
        case DrawStep::Kind::ScaledPattern:
            static_cast<const Picture*>(step.Source)
                ->BlendPatternWithin(dest, step.Place, step.Pattern, step.Alpha, clip);
            break;
        case DrawStep::Kind::Text:
            BlendText(dest, step.Place.Left, step.Place.Top,
                      *static_cast<const RenderedText*>(step.Source), step.Color, clip);
            break;
    }
}

// Each block's calls in the frame's order, found by counting first; a block is unsettled when a
// call mixes with its pixels before an opaque call has covered the whole block.
void FrameDrawing::ListBlocks(const std::vector<DrawStep>& steps, BlockLists& lists) {
    const size_t blocks = static_cast<size_t>(blockColumns_) * blockRows_;
    lists.First.assign(blocks + 1, 0);
    lists.Unsettled.assign(blocks, 0);
    auto forBlocks = [&](const Rect& b, auto visit) {
        const int x0 = b.Left / kBlockWidth, x1 = (b.Right - 1) / kBlockWidth;
        const int y0 = b.Top / kBlockHeight, y1 = (b.Bottom - 1) / kBlockHeight;
        for (int by = y0; by <= y1; ++by)
            for (int bx = x0; bx <= x1; ++bx)
                visit(static_cast<size_t>(by) * blockColumns_ + bx, bx, by);
    };
    for (const DrawStep& step : steps)
        forBlocks(step.Bounds, [&](size_t block, int, int) { ++lists.First[block + 1]; });
    for (size_t b = 0; b < blocks; ++b) lists.First[b + 1] += lists.First[b];
    lists.Steps.resize(lists.First[blocks]);
    std::vector<uint32_t>& next = nextInBlock_;
    next.assign(lists.First.begin(), lists.First.end() - 1);
    std::vector<uint8_t>& covered = coveredBlocks_;
    covered.assign(blocks, 0);
    for (size_t i = 0; i < steps.size(); ++i) {
        const DrawStep& step = steps[i];
        forBlocks(step.Bounds, [&](size_t block, int bx, int by) {
            lists.Steps[next[block]++] = static_cast<uint32_t>(i);
            if (step.Mixes && !covered[block]) lists.Unsettled[block] = 1;
            if (step.Covers && !covered[block])
                covered[block] = Contains(step.Bounds, BlocksArea(bx, bx + 1, by));
        });
    }
}

bool FrameDrawing::BlockChanged(size_t block) const {
    if (lists_.Unsettled[block]) return true;
    const uint32_t from = lists_.First[block], to = lists_.First[block + 1];
    const uint32_t lastFrom = lastLists_.First[block], lastTo = lastLists_.First[block + 1];
    if (to - from != lastTo - lastFrom) return true;
    for (uint32_t i = 0; i < to - from; ++i)
        if (!steps_[lists_.Steps[from + i]].SameDrawing(lastSteps_[lastLists_.Steps[lastFrom + i]]))
            return true;
    return false;
}

void FrameDrawing::FinishFrame() {
    if (!recording_ || !surface_) return;
    recording_ = false;
    const int width = surface_->Width, height = surface_->Height;
    const int columns = (width + kBlockWidth - 1) / kBlockWidth;
    const int rows = (height + kBlockHeight - 1) / kBlockHeight;
    if (columns != blockColumns_ || rows != blockRows_) {
        blockColumns_ = columns;
        blockRows_ = rows;
        lastKnown_ = false;
    }
    if (drawnRows_.size() != static_cast<size_t>(height)) {
        drawnRows_.assign(static_cast<size_t>(height), 0);
        drawnRowsKnown_ = false;
    }
    ListBlocks(steps_, lists_);
    if (!lastKnown_ || drawnAlready_ > 0) {
        DrawRecordedNow();
        NoteDrawnRows(0, height);
    } else {
        DrawChangedBlocks();
        if (wholeCopy_)
            for (const DrawStep& step : steps_) DrawStepNow(*wholeCopy_, step, step.Bounds);
    }
    lastKnown_ = true;
    std::swap(steps_, lastSteps_);
    std::swap(lists_, lastLists_);
    steps_.clear();
    texts_.clear();
    drawnAlready_ = 0;
}

// The changed blocks of each block row are drawn as runs of touching blocks.
void FrameDrawing::DrawChangedBlocks() {
    changedBlocks_.resize(static_cast<size_t>(blockColumns_) * blockRows_);
    for (size_t b = 0; b < changedBlocks_.size(); ++b) changedBlocks_[b] = BlockChanged(b);
    for (int by = 0; by < blockRows_; ++by) {
        const uint8_t* changed = changedBlocks_.data() + static_cast<size_t>(by) * blockColumns_;
        for (int bx = 0; bx < blockColumns_;) {
            if (!changed[bx]) {
                ++bx;
                continue;
            }
            int end = bx + 1;
            while (end < blockColumns_ && changed[end]) ++end;
            DrawArea(BlocksArea(bx, end, by));
            bx = end;
        }
    }
}

Rect FrameDrawing::BlocksArea(int fromColumn, int toColumn, int row) const {
    return Rect{fromColumn * kBlockWidth, row * kBlockHeight,
                std::min(surface_->Width, toColumn * kBlockWidth),
                std::min(surface_->Height, (row + 1) * kBlockHeight)};
}

// Draws, clipped to the area, every call that meets one of its blocks, in the frame's order.
void FrameDrawing::DrawArea(const Rect& area) {
    areaSteps_.clear();
    const int by = area.Top / kBlockHeight;
    for (int bx = area.Left / kBlockWidth; bx * kBlockWidth < area.Right; ++bx) {
        const size_t block = static_cast<size_t>(by) * blockColumns_ + bx;
        areaSteps_.insert(areaSteps_.end(), lists_.Steps.begin() + lists_.First[block],
                          lists_.Steps.begin() + lists_.First[block + 1]);
    }
    std::sort(areaSteps_.begin(), areaSteps_.end());
    areaSteps_.erase(std::unique(areaSteps_.begin(), areaSteps_.end()), areaSteps_.end());
    for (uint32_t i : areaSteps_)
        DrawStepNow(*surface_, steps_[i], Intersection(area, steps_[i].Bounds));
    NoteDrawnRows(area.Top, area.Bottom);
}

void FrameDrawing::NoteDrawnRows(int top, int bottom) {
    if (!drawnRowsKnown_) return;
    std::fill(drawnRows_.begin() + top, drawnRows_.begin() + bottom, uint8_t{1});
}

bool FrameDrawing::TakeDrawnRows(std::vector<uint8_t>& rows) {
    const bool known = drawnRowsKnown_;
    rows = drawnRows_;
    std::fill(drawnRows_.begin(), drawnRows_.end(), uint8_t{0});
    drawnRowsKnown_ = !drawnRows_.empty();
    return known;
}
