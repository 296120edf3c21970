// Helpers of the audio tests: the disk audio recorder and generated WAVE and MIDI files.
#include "audio/audio_capture.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

DiskAudio::DiskAudio(int millisecondsPerMix) : file_(dir_.File("output.raw")) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", std::to_string(millisecondsPerMix).c_str(), 1);
}

DiskAudio::~DiskAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

size_t DiskAudio::Mark() const {
    std::error_code ec;
    auto size = std::filesystem::file_size(file_, ec);
    return ec ? 0 : static_cast<size_t>(size) / 4 * 4;
}

bool DiskAudio::WaitFor(size_t from, size_t count) const {
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Mark() < from + count) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::vector<int16_t> DiskAudio::Samples(size_t from, size_t count) const {
    if (!WaitFor(from, count)) return {};
    std::ifstream in(file_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::vector<int16_t> samples(count / 2);
    in.read(reinterpret_cast<char*>(samples.data()),
            static_cast<std::streamsize>(samples.size() * 2));
    return samples;
}

int DiskAudio::Peak(size_t from, size_t count) const {
    std::vector<int16_t> samples = Samples(from, count);
    if (samples.empty()) return -1;
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

int DiskAudio::PeakAfterSettling(size_t count) const {
    return Peak(Mark() + 4 * kMixBuffer, count);
}

Bytes MakeSquareWave(int milliseconds, int amplitude, int periodSamples) {
    const uint32_t rate = 22050;
    uint32_t frames = rate * static_cast<uint32_t>(milliseconds) / 1000;
    ByteWriter w;
    w.Raw("RIFF", 4);
    w.U32(36 + frames * 2);
    w.Raw("WAVEfmt ", 8);
    w.U32(16);
    w.U16(1);  // PCM
    w.U16(1);  // mono
    w.U32(rate);
    w.U32(rate * 2);
    w.U16(2);
    w.U16(16);
    w.Raw("data", 4);
    w.U32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        w.I16(static_cast<int16_t>((i / (periodSamples / 2)) % 2 ? amplitude : -amplitude));
    return w.Out();
}

namespace {
void VariableLength(Bytes& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}
void BigEndian(ByteWriter& w, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) w.U8(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

Bytes MakeMidiSong(int milliseconds) {
    // 96 ticks per quarter note at 500000 microseconds per quarter: 192 ticks a second. A note
    // every half second (the synthesizer drops notes it cannot hear, so a song that went silent
    // at volume 0 is heard again from its next note).
    Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                   0x00, 0xC0, 0x13};                         // church organ
    int notes = std::max(1, milliseconds / 500);
    uint32_t noteTicks =
        static_cast<uint32_t>(std::max(1, std::min(milliseconds, 500) * 192 / 1000));
    for (int i = 0; i < notes; ++i) {
        for (uint8_t b : {0x00, 0x90, 0x3C, 0x70}) track.push_back(b);
        VariableLength(track, noteTicks);
        for (uint8_t b : {0x80, 0x3C, 0x40}) track.push_back(b);
    }
    for (uint8_t b : {0x00, 0xFF, 0x2F, 0x00}) track.push_back(b);
    ByteWriter w;
    w.Raw("MThd", 4);
    BigEndian(w, 6, 4);
    BigEndian(w, 0, 2);
    BigEndian(w, 1, 2);
    BigEndian(w, 96, 2);
    w.Raw("MTrk", 4);
    BigEndian(w, static_cast<uint32_t>(track.size()), 4);
    w.Raw(track);
    return w.Out();
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
