// A small level built in the test and driven tick by tick through the game's rules, with the
// player sprite, its pictures, and optionally sounds whose plays can be counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/player.h"
#include "render/playfield.h"
#include "screens/game.h"
#include "screens/screens.h"
#include "support/test_support.h"

// Levels drawn in a test use the characters of the level maps (interior rows only; the border
// ring is added): ' ' empty, ':' circuit, 'o' infotron, 'O' ball, 'r' and 'y' dynamite, '#' and
// 'X' walls, 'R' 'D' 'L' 'U' ports, '<' 'v' '^' '>' traps, '[' ']' drift sources, 'M' and 'W'
// monsters, and so on; '@' is the player's start (empty) and 'x' a busy cell.
class GameRig {
  public:
    explicit GameRig(const std::vector<std::string>& rows, int speed = 300);
    // An empty level of the given size (border ring, every interior cell empty).
    GameRig(int cols, int rows, int speed = 300);

    Game& game() { return *game_; }
    PlayState& play() { return game_->world.play; }
    LevelGrid& level() { return game_->world.level; }
    PlayerLook& player() { return game_->world.look; }

    int Tile(int row, int col) const { return game_->world.level.Cells[row][col].Tile; }
    void Set(int row, int col, int tile) { game_->world.level.Cells[row][col].Tile = tile; }
    // The player at rest in the centre of a cell.
    void PlacePlayer(int row, int col);
    int PlayerRow() const { return game_->world.play.PlayerY / 40; }
    int PlayerCol() const { return game_->world.play.PlayerX / 40; }
    // A monster of kind 38 or 39 at rest in a cell, as the level loader makes it.
    void AddMonster(int kind, int row, int col);

    // Holds one direction (isUp..isRight) or none (-1); the others are released.
    void Hold(int state);
    // One game-play tick in the screen's order: player, loose objects, monsters, blasts, fuses.
    void Tick(int32_t lag);
    void Ticks(int count, int32_t lag) {
        for (int i = 0; i < count; ++i) Tick(lag);
    }
    // Ticks until the player is at rest again (at most `limit` ticks); returns the ticks run.
    int TicksUntilRest(int32_t lag, int limit = 1000);

    // How often message n is in the queue now.
    int Queued(int n) const;
    std::string PictureName() const;

    // Opens the sound device (SDL's dummy driver) with every sound the game plays, each long
    // enough to outlast the test, so that every play takes a fresh copy: Plays(name) then counts
    // the plays. False when no sound device can be opened here.
    bool CountSounds();
    int Plays(const std::string& name);

  private:
    void Build(int cols, int rows);
    void Finish(int speed);

    TempDir dir_;
    std::unique_ptr<Game> game_;
};

// A level of the given interior size whose cells are all `fill`.
std::vector<std::string> FilledRows(int cols, int rows, char fill = ' ');
