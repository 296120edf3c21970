// The level model: the grid of cells, the monster table, the level set index and the tile codes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "media/byte_io.h"

constexpr int kCellSize = 40;     // pixels: cell (r, c) covers x 40 c .. 40 c + 39
constexpr int kGridSize = 101;    // rows and columns 0..100, border included
constexpr int kMaxPlayArea = 99;  // Cols and Rows are 1..99
constexpr int kMaxLevels = 100;   // level names the set can hold
constexpr int kLevelOffsetSlots = 1000;
constexpr int kMonsterSlots = 1000;  // monster table entries
constexpr int kMaxMonsters = 100;    // entries with a turning slot: the most a level may hold
constexpr int kMaxTileCode = 1000;
// The drawing layers of a cell: the play field draws layer 100, then 101 over it, then 102.
constexpr int32_t kLowestLayer = 100;
constexpr int32_t kHighestLayer = 102;

// Tile codes with a rule of their own.
enum TileCode : int32_t {
    tcCornerTopLeft = 1,
    tcCornerTopRight = 2,
    tcBorderHorizontal = 3,
    tcBorderVertical = 4,
    tcCornerBottomLeft = 5,
    tcCornerBottomRight = 6,
    tcCircuitEatenInPlace = 7,
    tcInfotronEatenInPlace = 8,
    tcInfotronRollingLeft = 9,
    tcBallMovingLeft = 10,
    tcBusy = 11,
    tcInfotron = 12,
    tcLife = 13,
    tcFloor = 14,
    tcEmpty = 15,
    tcCircuit1 = 16,
    tcCircuit2 = 17,
    tcCircuit3 = 18,
    tcBomb = 19,
    tcBall = 20,
    tcRedDynamite = 21,
    tcYellowDynamite = 22,
    tcTrapLeft = 23,   // entered moving left
    tcTrapDown = 24,   // entered moving down
    tcTrapUp = 25,     // entered moving up
    tcTrapRight = 26,  // entered moving right
    tcMonsterTurning = 38,
    tcMonsterCrawling = 39,
    tcPortRight = 49,
    tcPortDown = 50,
    tcPortLeft = 51,
    tcPortUp = 52,
    tcTerminal = 53,
    tcOneShotTerminal = 54,
    tcUsedTerminal = 55,
    tcExit = 63,
    tcHazard = 65,
    tcDriftLeft = 66,
    tcDriftRight = 67,
    tcAnimated = 68,
    tcEatFirst = 70,  // 70..81: a circuit being eaten
    tcEatLast = 81,
};

struct Cell {
    int32_t Tile = 0;
    int32_t Spare = 0;
    int32_t Layer = 100;
    int32_t FrameBase = 0;
    double Phase = 0;
    int32_t OffsetX = 0;
    int32_t OffsetY = 0;
};

struct Monster {
    double PosX = 0, PosY = 0;  // top-left corner of the picture, world pixels
    int32_t Col = 0, Row = 0;
    int32_t Kind = 0;  // 38 or 39
    int32_t Frame = 0;
    int32_t Frames = 0;
    int32_t Spin = 0;  // 1 turns to face its way (kind 38), 2 does not
    int32_t Move = 0;  // 0 none, 1 up, 2 left, 3 down, 4 right
    double TargetX = 0, TargetY = 0;
    double FramePos = 0;
    int32_t Heading = 0;
    int32_t FromCol = 0, FromRow = 0;
};

// The one level being played (`Level`, class LevelGrid).
struct LevelGrid {
    std::string TileSetFile;
    std::string LevelName;
    int32_t StartX = 0, StartY = 0;
    int32_t LevelFlags = 0;
    int32_t Cols = 0, Rows = 0;
    std::array<std::array<Cell, kGridSize>, kGridSize> Cells{};  // [row][column]
    int32_t InfotronQuota = 0;
    int32_t MonsterCount = 0;
    std::array<Monster, kMonsterSlots + 1> Monsters{};  // entries 1..1000; 0 unused
    std::array<int32_t, kMaxMonsters + 1> Turn{};       // per table slot 1..100; 0 unused

    Cell& At(int col, int row) { return Cells[row][col]; }
    const Cell& At(int col, int row) const { return Cells[row][col]; }
};

// The level set index (`LevelSet`, class LevelSetIndex) with the level names and file names.
struct LevelSetIndex {
    int32_t SetHeader = 0;
    std::string SetName;
    int32_t LevelCount = 0;
    std::array<int32_t, kLevelOffsetSlots + 1> LevelOffsets{};  // 1..1000
};

struct LevelSetState {
    LevelSetIndex LevelSet;
    std::array<std::string, kMaxLevels> LevelNames{};  // LevelNames[i]: name of level i + 1
    std::string LevelFile;                             // full path of the level set file
    // The bytes of the file as they were indexed: levels are read from them, so a file replaced
    // on disk during the run cannot be read with an index that is not its own.
    std::shared_ptr<const Bytes> FileBytes;
    std::string LoadedTileSet;  // tile library the tile pictures now hold
};

// Per-tile-code animation tables, indexed by tile code 0..1000.
struct TileTables {
    std::array<int32_t, kMaxTileCode + 1> FrameCount{};
    std::array<int32_t, kMaxTileCode + 1> FrameRate{};
};

// Fills the tables with the animated codes (the eating rate comes from ApplySpeed).
void FillTileTables(TileTables& tables);
// The circuit-eating rate for a speed: (Speed - 200) / 2 + 100, written to codes 70..81.
void ApplySpeedToTables(TileTables& tables, int speed);

inline bool IsBorderCode(int32_t t) {
    return t >= 1 && t <= 6;
}
