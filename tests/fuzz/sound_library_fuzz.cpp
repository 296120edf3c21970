// Fuzz target: a sound library file (".dxg") read into its named sounds. A reader error must be
// a FileError; anything else (another exception, a sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/byte_io.h"
#include "media/library_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes bytes(data, data + size);
    try {
        std::vector<SoundData> sounds = ReadSoundLibrary(bytes, "fuzz.dxg");
        // Every sound's wave lies inside the file it came from.
        size_t total = 0;
        for (const SoundData& sound : sounds) total += sound.Wave.size();
        if (total > size) std::abort();
    } catch (const FileError&) {
    }
    return 0;
}
