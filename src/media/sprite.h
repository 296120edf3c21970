// The sprite engine: image sprites under a root whose position is the origin of the sprite world.
#pragma once

#include <memory>
#include <vector>

#include "media/picture.h"
#include "media/surface.h"

class ImageSprite {
public:
    virtual ~ImageSprite() = default;
    double X = 0, Y = 0;  // relative to the root
    int Z = 0;
    int Width = 0, Height = 0;
    const ::Picture* Picture = nullptr;
    int PatternCount = 0;
    bool Looping = false;
    double PatternPos = 0;
    double PatternSpeed = 0;  // patterns per millisecond
    bool Visible = true;
    bool Dead = false;

    // The per-tick move step; the base step advances the animation.
    virtual void MoveStep(int lag) { BaseMoveStep(lag); }
    void BaseMoveStep(int lag);
    // Other sprites whose rectangles overlap this one (the game has only one sprite).
    int CountOverlaps() const { return 0; }
};

class SpriteEngine {
public:
    struct Root {
        double X = 0, Y = 0;
    } SpriteRoot;

    // The engine owns its sprites; the pointer stays valid until the sprite is removed.
    template <class T, class... Args>
    T* Create(Args&&... args) {
        auto sprite = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = sprite.get();
        sprites_.push_back(std::move(sprite));
        SortByZ();
        return raw;
    }
    void MoveSprites(int lag);
    void RemoveDeadSprites();
    // Draws every visible sprite in increasing Z, centred in its rectangle, with transparency.
    void DrawSprites(Surface& dest) const;
    void SortByZ();

private:
    std::vector<std::unique_ptr<ImageSprite>> sprites_;
};
