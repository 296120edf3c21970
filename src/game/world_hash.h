// A fingerprint of everything the rules read and write: two worlds with the same fingerprint play
// on alike. Replays carry it every second of game time, so a replay that no longer plays as it
// was recorded tells at which tick it went another way.
#pragma once

#include <cstdint>

struct World;

uint64_t WorldHash(const World& world);
