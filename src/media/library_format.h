// Reader of the media library files (".dxg"): named pictures cut into patterns, and named sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"

// One picture item as stored in a picture library, decoded to 24-bit colour.
struct PictureData {
    std::string Name;
    int PatternWidth = 0;   // 0 or less: the whole picture width
    int PatternHeight = 0;  // 0 or less: the whole picture height
    int SkipWidth = 0;
    int SkipHeight = 0;
    bool SystemMemory = false;
    bool Transparent = true;
    uint32_t TransparentColor = 0;  // 0x00BBGGRR
    int Width = 0;                  // 0 x 0: the item has no picture
    int Height = 0;
    std::vector<uint32_t> Rgb;  // Width * Height pixels, 0x00RRGGBB, top row first
};

struct PictureLibrary {
    Bytes ColorTable;  // 1024 bytes when present
    std::vector<PictureData> Pictures;
};

// One sound item of a sound library.
struct SoundData {
    std::string Name;
    bool Looped = false;
    int MaxPlayingCount = 0;  // 0: no limit
    Bytes Wave;               // a complete RIFF WAVE file
};

// Parse a whole library file. Every error throws FileError whose message starts with fileName.
PictureLibrary ReadPictureLibrary(const Bytes& bytes, const std::string& fileName);
std::vector<SoundData> ReadSoundLibrary(const Bytes& bytes, const std::string& fileName);
