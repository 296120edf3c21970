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
struct Mover {
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

struct Explosion {
    int32_t PixelX = 0, PixelY = 0;
    int32_t Col = 0, Row = 0;
    double Phase = 0;
};

struct PlacedBomb {
    int32_t Col = 0, Row = 0;
    double Fuse = 0;
};

// How a level ended.
enum LevelOutcomeCode : int32_t { kOutcomeMade = 1, kOutcomeKilled = 2, kOutcomeAborted = 3 };

struct PlayState {
    // Level counters.
    int32_t CurrentLevel = 1;
    int32_t InfotronsGot = 0;
    int32_t InfotronsNeeded = 0;
    int32_t Lives = 3;
    int32_t Bombs = 0;
    double LevelTime = 0;
    int32_t LevelOutcome = kOutcomeKilled;
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
    std::array<Mover, kMaxMovers + 2> FallList{};
    int32_t FallCount = 0;

    // Explosion animations 1..ExplosionCount and placed bombs 1..PlacedBombCount.
    std::array<Explosion, kMaxExplosions + 1> Explosions{};
    int32_t ExplosionCount = 0;
    std::array<PlacedBomb, kMaxPlacedBombs + 1> PlacedBombs{};
    int32_t PlacedBombCount = 0;

    // The view origin (screen position of world point (0, 0)) of the cells, explosions and
    // bombs, from the player's whole-pixel centre; and the origin of the player and the objects
    // in motion, from its exact centre as the move step leaves it.
    int32_t ViewX = 0, ViewY = 0;
    double PlayerViewX = 0, PlayerViewY = 0;
};

// The character's pictures; the picture names depend on the chosen character.
// None until the move step first chooses one: nothing is drawn for the player before.
enum class PlayerPicture { Rest, Up, Down, Left, Right, PushRight, PushLeft, NoLives, None };

// How the player looks: which picture and which of its patterns, and how the patterns run.
struct PlayerLook {
    PlayerPicture Picture = PlayerPicture::None;
    double X = 180, Y = 180;  // top-left corner of its 40 x 40 box, world pixels
    int32_t PatternCount = 0;
    bool Looping = false;
    double PatternPos = 0;
    double PatternSpeed = 0;  // patterns per millisecond
};

// What the player is asked to do this tick: one direction (or none), eating in place and
// placing a bomb.
enum class Direction { None, Up, Down, Left, Right };
struct PlayerControls {
    Direction Steer = Direction::None;
    bool Snap = false;  // eat without moving
    bool Bomb = false;
};
