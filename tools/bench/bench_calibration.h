// A second yardstick printed beside the memcpy: SDL's own opaque copy of one frame surface.
#pragma once

#include <vector>

// Microseconds per SDL_BlitSurface of a 640 x 480 RGB565 surface onto another (opaque, no
// scaling), one sample per blit. Figures measured elsewhere against a frame copy can be related
// to this run's memcpy through it: the two copy the same bytes by different means.
std::vector<double> SdlOpaqueBlitSamples(int samples);
