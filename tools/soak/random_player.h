// A random player for the soak: keys held for random durations, snaps, bombs placed and given by
// the cheat, pauses, speed changes and giving up, all through the window's key events.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

struct Game;

class RandomPlayer {
  public:
    explicit RandomPlayer(uint64_t seed) : random_(seed) {}

    // A tick's lag: 1 to 100 milliseconds.
    int32_t NextLag();
    // Sends the key events due before the next tick of `lag` milliseconds.
    void Act(Game& game, int32_t lag);
    // Lets go of every key and starts afresh (before the level is started again).
    void Reset(Game& game);
    // Types the cheat code, so that "b" gives bombs from then on.
    void EnterCheat(Game& game);

  private:
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    void Hold(Game& game, int vk);
    void Release(Game& game, int vk);
    void Type(Game& game, int vk, char typed);
    void ReleaseAll(Game& game);
    void StartAction(Game& game);

    std::mt19937_64 random_;
    std::vector<int> held_;
    int32_t actionLeft_ = 0;  // ms until the next action starts
    int32_t pauseLeft_ = 0;   // ms until a pause started by this player ends
};
