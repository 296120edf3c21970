// Headless runs of the game (tests, replay runner, benchmark): start-up on a chosen folder, then
// window events and ticks driven by the caller, through the same code as a player's window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "screens/game.h"

struct SessionOptions {
    std::string ProgramDir;  // the game's folder (data files)
    // Read the configuration and player names files of the save folder, holding its lock (a
    // second game on the folder is refused) for as long as the game lives.
    bool ReadSettings = true;
    std::optional<uint64_t> Seed;  // replaces the clock wherever the game seeds its random numbers
    // The folder of the settings and players files when it is not ProgramDir (as for an
    // installed game); a first start copies the default settings there.
    std::string SaveDir{};
};

// The start-up sequence up to the intro logo screen, with the display opened (SDL's dummy driver
// when SDL_VIDEODRIVER=dummy). Throws std::runtime_error naming the problem.
std::unique_ptr<Game> StartGame(const SessionOptions& options);

// Window events as the platform layer delivers them.
void PressKey(Game& game, int vk, ShiftState shift = {});
void ReleaseKey(Game& game, int vk, ShiftState shift = {});
void TypeChar(Game& game, uint8_t latin1);
void MoveMouse(Game& game, int x, int y);
void MouseButton(Game& game, bool down);
// One tick of the frame loop with the given lag (after the music notification, as between ticks).
void RunTick(Game& game, int32_t lag);
