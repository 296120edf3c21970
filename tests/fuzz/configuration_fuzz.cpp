// Fuzz target: the configuration file "tolmarakx.cfg" read into the settings. A bad file must end
// in a FileError; a file that was accepted must leave settings within the limits the game relies
// on. Anything else (another exception, a sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "media/byte_io.h"
#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = ScratchDir();
    WriteWholeFile(dir + "tolmarakx.cfg", data, size);
    Settings settings;
    try {
        ReadConfiguration(settings, dir);
    } catch (const FileError&) {
        return 0;
    }
    bool within = settings.SongCount >= 0 && settings.SongCount <= kMaxSongs &&
                  settings.LevelSongCount >= 0 && settings.LevelSongCount <= kMaxLevelSongs &&
                  settings.Speed >= 200 && settings.Speed <= 400 && settings.Character <= 1;
    if (!within) std::abort();
    for (const std::string& song : settings.Songs)
        if (song.size() > 255) std::abort();
    return 0;
}
