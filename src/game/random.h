// The game's own random numbers: one generator, seeded explicitly, with a fixed mapping to ranges,
// so that a replay gives the same result in every build.
#pragma once

#include <cstdint>

class GameRandom {
  public:
    void Seed(uint64_t seed) { state_ = seed; }
    uint32_t Next() {
        // splitmix64
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    // A whole number from 0 to n - 1 (0 when n <= 0).
    int32_t Below(int32_t n) {
        if (n <= 0) return 0;
        return static_cast<int32_t>((static_cast<uint64_t>(Next()) * static_cast<uint64_t>(n)) >>
                                    32);
    }

    // Where the sequence stands: two generators with the same state give the same numbers.
    uint64_t State() const { return state_; }

  private:
    uint64_t state_ = 1;
};
