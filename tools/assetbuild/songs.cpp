// Songs: General MIDI files "song1.mid", "song2.mid", ... made from assets/songs/song<k>.song,
// numbered without gaps (the configuration names them Song1..SongN in this order).
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "assetbuild/assets.h"
#include "assetbuild/song_source.h"

std::vector<SongFile> BuildSongs(const std::string& assetsDir) {
    std::vector<SongFile> songs;
    for (int k = 1;; ++k) {
        std::string path = assetsDir + "/songs/song" + std::to_string(k) + ".song";
        if (!std::filesystem::exists(path)) break;
        std::ifstream in(path, std::ios::binary);
        if (!in) throw std::runtime_error(path + ": cannot open file");
        std::ostringstream text;
        text << in.rdbuf();
        songs.push_back(
            {"song" + std::to_string(k) + ".mid", WriteMidiFile(ParseSong(text.str(), path))});
    }
    if (songs.empty()) throw std::runtime_error(assetsDir + "/songs: no song1.song");
    return songs;
}
