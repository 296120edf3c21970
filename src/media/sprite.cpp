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

void SpriteEngine::MoveSprites(int lag) {
    for (size_t i = 0; i < sprites_.size(); ++i) sprites_[i]->MoveStep(lag);
}

void SpriteEngine::RemoveDeadSprites() {
    std::erase_if(sprites_, [](const std::unique_ptr<ImageSprite>& s) { return s->Dead; });
}

void SpriteEngine::SortByZ() {
    std::stable_sort(sprites_.begin(), sprites_.end(),
                     [](const auto& a, const auto& b) { return a->Z < b->Z; });
}

void SpriteEngine::DrawSprites(Surface& dest) const {
    for (const auto& s : sprites_) {
        if (!s->Visible || !s->Picture) continue;
        int sx = static_cast<int>(std::trunc(SpriteRoot.X + s->X));
        int sy = static_cast<int>(std::trunc(SpriteRoot.Y + s->Y));
        if (sx >= dest.Width || sy >= dest.Height || sx + s->Width <= 0 || sy + s->Height <= 0) continue;
        const ::Picture& pic = *s->Picture;
        int x = sx + (s->Width - pic.PatternPixelWidth()) / 2;
        int y = sy + (s->Height - pic.PatternPixelHeight()) / 2;
        pic.DrawPattern(dest, x, y, static_cast<int>(std::trunc(s->PatternPos)));
    }
}
