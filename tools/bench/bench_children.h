// The benchmark's own child processes: presenting frames in a real window, and the start-up of
// the game measured from the process's start.
#pragma once

#include <string>

#include "bench_clock.h"

// Under a real X display: presents frames into a 1280 x 960 window through the game's display,
// first in software (SDL_RENDER_DRIVER=software), then as the display chooses by default (a GPU
// renderer where the machine has a graphics device). Two different frames are shown in turn; in
// software also one frame again and again, and the main menu's successive frames. Prints one
// line each: "present <software|unchanged|menu|default> <us> <renderer or window-pixels> <w>x<h>".
int RunPresentChild(const std::string& dataDir, const Repetitions& reps);

// The game's start-up on the data folder with its settings, up to the first frame shown; prints
// "first_frame_ns <CLOCK_MONOTONIC>". Then skips the logo and runs a second of the main menu with
// its song (the General MIDI sound font loaded), so that the parent's figure of peak resident
// memory covers it.
int RunStartupChild(const std::string& dataDir);
