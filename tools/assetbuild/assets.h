// The asset builder's parts: each makes the pictures, sounds or songs of one library.
#pragma once

#include <string>
#include <vector>

#include "media/library_format.h"

// Pictures of "tolmara.dxg" (characters, messages, explosion, status bar, result pictures), in
// list order: the status bar pictures must sit at positions 24..40.
std::vector<PictureData> BuildGamePictures();
// Pictures of "computer.dxg": picture k is the picture of tile code k, 0 the background.
std::vector<PictureData> BuildTilePictures();
// Pictures of "meniu.dxg" (logo, menus, options, players screen, help pages, credits).
std::vector<PictureData> BuildMenuPictures();
// Sounds of "sounds.dxg", synthesised from the parameters in assetsDir/sounds/.
std::vector<SoundData> BuildSounds(const std::string& assetsDir);
// Songs: General MIDI files made from the note data in assetsDir/songs/, written next to the game.
struct SongFile {
    std::string FileName;
    Bytes Midi;
};
std::vector<SongFile> BuildSongs(const std::string& assetsDir);
// The desktop icon, the bomb emblem on a circuit board tile: "icon.svg" and "icon-N.png" for
// N = 48, 64, 128, 256, written into `folder`.
void WriteIcons(const std::string& folder);
