// Writes 24-bit PNG images (contact sheets, test frames, replay frames).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/surface.h"

// rgb: width * height pixels, 0x00RRGGBB, top row first. The file is written whole or not at all
// (a full disk leaves the old file, or none): throws FileError "<path>: cannot write file (<why>)"
// or std::runtime_error when the image cannot be made.
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgb);
void WritePng(const std::string& path, const Surface& surface);
