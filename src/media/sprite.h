// The sprite engine: image sprites under a root whose position is the origin of the sprite world.
#pragma once

#include <memory>
#include <vector>

#include "media/picture.h"
#include "media/surface.h"

class SpriteEngine;

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
    // The number of other sprites of the engine whose rectangles overlap this one, calling
    // DoCollision for each. Rectangles start at the truncated position and are Width x Height;
    // touching edges do not overlap. There is no per-pixel test.
    int CountOverlaps();
    // Called by CountOverlaps for each sprite met.
    virtual void DoCollision(ImageSprite& other) { (void)other; }

    // The engine owning the sprite; set when the engine creates it.
    SpriteEngine* Engine = nullptr;
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
        raw->Engine = this;
        sprites_.push_back(std::move(sprite));
        SortByZ();
        return raw;
    }
    void MoveSprites(int lag);
    void RemoveDeadSprites();
    // Draws every visible sprite in increasing Z, centred in its rectangle, with transparency.
    // Z may have changed since the last sort: the order is put right first (sprites of equal Z
    // keep their order).
    void DrawSprites(Surface& dest) const;
    void SortByZ() const;

  private:
    friend class ImageSprite;
    // Kept sorted by Z; sorting does not change what the engine holds, so const drawing may do it.
    mutable std::vector<std::unique_ptr<ImageSprite>> sprites_;
};
