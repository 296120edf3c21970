// The state of the level in play: counters, the player's movement, objects in motion, explosions.
#pragma once

#include <array>
#include <cstdint>

constexpr int kMaxMovers = 100;
constexpr int kMaxExplosions = 1000;
constexpr int kMaxPlacedBombs = 100;

enum MoveStateCode : int32_t {
    msRest = 0,
    msUp = 1,
    msDown = 2,
    msLeft = 3,
    msRight = 4,
    msPushRight = 5,
    msPushLeft = 6,
    msSnap = 7,
    msPushUp = 8,
    msPushDown = 9,
};

// One object in motion (a fall, a roll or a push).
struct TMover {
    int32_t Tile = 0;
    double X = 0, Y = 0;
    double TargetX = 0, TargetY = 0;
    int32_t Path = 0;  // 0 down, 1 arc down-right, 2 arc down-left, 4 right, 5 left, 6 up
    double Frame = 0;
    int32_t Frames = 1;
    int32_t DestCol = 0, DestRow = 0;
    int32_t SrcCol = 0, SrcRow = 0;
    double Angle = 0;
    int32_t OriginX = 0, OriginY = 0;
    int32_t LandSound = 0;
};

struct TExplosion {
    int32_t PixelX = 0, PixelY = 0;
    int32_t Col = 0, Row = 0;
    double Phase = 0;
};

struct TPlacedBomb {
    int32_t Col = 0, Row = 0;
    double Fuse = 0;
};

struct PlayState {
    // Level counters.
    int32_t CurrentLevel = 1;
    int32_t InfotronsGot = 0;
    int32_t InfotronsNeeded = 0;
    int32_t Lives = 3;
    int32_t Bombs = 0;
    double LevelTime = 0;
    int32_t LevelOutcome = 2;  // 1 made it, 2 killed, 3 aborted
    uint8_t Mortal = 1;

    // The player.
    int32_t PlayerX = 0, PlayerY = 0;       // centre, world pixels
    double PlayerPosX = 0, PlayerPosY = 0;  // exact centre
    int32_t MoveState = msRest;
    double TargetPosX = 0, TargetPosY = 0;
    int32_t SnapCol = 0, SnapRow = 0;
    bool PushRight = false, PushLeft = false, PushUp = false, PushDown = false;
    bool PlayerDying = false;
    int32_t DyingTime = 0;
    bool BlastGuard = false;
    bool LevelLost = false;
    bool ExitReached = false;
    int32_t IdleTime = 0;
    bool IdleAnimating = false;
    int32_t IdleAnimTime = 0;

    // Level end.
    bool LevelAborted = false;
    int32_t AbortTime = 0, LostTime = 0, ExitTime = 0;
    int32_t EndScreenTime = 0;

    // Objects in motion: entries 1..FallCount (entry 0 unused; entry FallCount + 1 may be touched).
    std::array<TMover, kMaxMovers + 2> FallList{};
    int32_t FallCount = 0;

    // Explosion animations 1..ExplosionCount and placed bombs 1..PlacedBombCount.
    std::array<TExplosion, kMaxExplosions + 1> Explosions{};
    int32_t ExplosionCount = 0;
    std::array<TPlacedBomb, kMaxPlacedBombs + 1> PlacedBombs{};
    int32_t PlacedBombCount = 0;

    // The view origin: screen position of world point (0, 0).
    int32_t ViewX = 0, ViewY = 0;
};
