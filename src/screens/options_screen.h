// The options screen's live volume setters, shared by its input and its tests.
#pragma once

#include <cstdint>

struct Game;

// Clamp to 0..255, store in MusicVolume and apply to the mixer at once.
void SetMusicVolume(Game& game, int32_t v);
// Clamp to 0..255, store in SoundsVolume, play "click" so the new loudness is heard, apply.
void SetSoundsVolume(Game& game, int32_t v);
