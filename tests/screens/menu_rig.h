// A game on a temporary folder with plain-coloured menu pictures, driven through the real frame
// loop by window events, for the menu screens' tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "screens/game.h"
#include "support/test_support.h"

class MenuRig {
  public:
    // Settings written to the folder's configuration file and held in memory: sounds and music
    // off, tips on, volumes 100, speed 300, the game's own level set with `levelCount` levels.
    explicit MenuRig(int levelCount = 10);
    Game& game() { return *game_; }
    const std::string& Folder() const { return dir_.Path(); }

    // Switches the screen as the game does, then runs ticks.
    void Enter(::Screen screen);
    void Tick(int32_t lag = 20);
    void Ticks(int count, int32_t lag = 20);
    // A key pressed for one tick, then released.
    void Key(int vk);
    void Type(const std::string& latin1);
    // Pointer moved to (x, y), a button pressed during one tick and released.
    void Click(int x, int y);
    // Runs ticks until the screen code changes or `limit` ticks have passed.
    void RunUntilScreenChanges(int limit = 200);

    // The plain colour (RGB565) of a named menu or game picture.
    static uint16_t ColourOf(const std::string& name);
    uint16_t Pixel(int x, int y) const;
    bool Queued(int message) const;  // the message is in the queue
    ::Screen CurrentScreen() const { return game_->screens.CurrentScreen; }

  private:
    TempDir dir_;
    std::unique_ptr<Game> game_;
};

// Adds named players with their highest level and character.
void AddPlayer(Game& game, const std::string& name, int32_t level, uint8_t character);
