// Writes 24-bit PNG images (contact sheets, test frames, replay frames).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/surface.h"

// rgb: width * height pixels, 0x00RRGGBB, top row first. Throws std::runtime_error on failure.
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgb);
void WritePng(const std::string& path, const Surface& surface);
