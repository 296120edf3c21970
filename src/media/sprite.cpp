// The sprite engine: animation steps and drawing of image sprites.
#include "media/sprite.h"

#include <algorithm>
#include <cmath>

void ImageSprite::BaseMoveStep(int lag) {
    PatternPos += PatternSpeed * lag;
    if (Looping) {
        if (PatternCount <= 0) {
            PatternPos = 0;
        } else {
            PatternPos = std::fmod(PatternPos, static_cast<double>(PatternCount));
            if (PatternPos < 0) PatternPos += PatternCount;
        }
    } else if (PatternPos >= PatternCount) {
        PatternPos = PatternCount - 1;
        PatternSpeed = 0;
    } else if (PatternPos < 0) {
        PatternPos = 0;
        PatternSpeed = 0;
    }
}

namespace {

struct SpriteRect {
    int Left, Top, Right, Bottom;
};

SpriteRect RectOf(const ImageSprite& s) {
    const int left = static_cast<int>(std::trunc(s.X)), top = static_cast<int>(std::trunc(s.Y));
    return {left, top, left + s.Width, top + s.Height};
}

}  // namespace

// All sprites of the game hang directly under the root, so their own positions compare.
int ImageSprite::CountOverlaps() {
    if (!Engine) return 0;
    const SpriteRect me = RectOf(*this);
    int count = 0;
    for (size_t i = 0; i < Engine->sprites_.size(); ++i) {
        ImageSprite& other = *Engine->sprites_[i];
        if (&other == this) continue;
        const SpriteRect r = RectOf(other);
        if (me.Left < r.Right && r.Left < me.Right && me.Top < r.Bottom && r.Top < me.Bottom) {
            ++count;
            DoCollision(other);
        }
    }
    return count;
}

void SpriteEngine::MoveSprites(int lag) {
    for (size_t i = 0; i < sprites_.size(); ++i) sprites_[i]->MoveStep(lag);
}

void SpriteEngine::RemoveDeadSprites() {
    std::erase_if(sprites_, [](const std::unique_ptr<ImageSprite>& s) { return s->Dead; });
}

void SpriteEngine::SortByZ() const {
    auto byZ = [](const auto& a, const auto& b) { return a->Z < b->Z; };
    if (!std::is_sorted(sprites_.begin(), sprites_.end(), byZ))
        std::stable_sort(sprites_.begin(), sprites_.end(), byZ);
}

void SpriteEngine::DrawSprites(Surface& dest) const {
    SortByZ();
    for (const auto& s : sprites_) {
        if (!s->Visible || !s->Picture) continue;
        int sx = static_cast<int>(std::trunc(SpriteRoot.X + s->X));
        int sy = static_cast<int>(std::trunc(SpriteRoot.Y + s->Y));
        if (sx >= dest.Width || sy >= dest.Height || sx + s->Width <= 0 || sy + s->Height <= 0)
            continue;
        const ::Picture& pic = *s->Picture;
        int x = sx + (s->Width - pic.PatternPixelWidth()) / 2;
        int y = sy + (s->Height - pic.PatternPixelHeight()) / 2;
        pic.DrawPattern(dest, x, y, static_cast<int>(std::trunc(s->PatternPos)));
    }
}
