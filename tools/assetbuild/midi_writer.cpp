// A small writer of Standard MIDI Files (format 1): one conductor track, one track per channel.
#include "assetbuild/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

struct Event {
    int Tick;
    int Order;  // at the same tick: 0 set-up, 1 note off, 2 note on, 3 end of track
    Bytes Data;
};

void PutBigEndian(Bytes& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutVarLen(Bytes& b, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n-- > 0) b.push_back(static_cast<uint8_t>(groups[n] | (n > 0 ? 0x80 : 0)));
}

Bytes Meta(uint8_t type, const Bytes& payload) {
    Bytes b = {0xFF, type};
    PutVarLen(b, static_cast<uint32_t>(payload.size()));
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

Bytes TextPayload(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes TrackChunk(std::vector<Event> events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
    });
    Bytes body;
    int last = 0;
    for (const Event& e : events) {
        PutVarLen(body, static_cast<uint32_t>(e.Tick - last));
        body.insert(body.end(), e.Data.begin(), e.Data.end());
        last = e.Tick;
    }
    Bytes chunk = {'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes ConductorTrack(const MidiSong& song) {
    uint32_t microsPerBeat = static_cast<uint32_t>(std::lround(60000000.0 / song.Tempo));
    Bytes tempo;
    PutBigEndian(tempo, microsPerBeat, 3);
    Bytes meter = {static_cast<uint8_t>(song.BeatsPerBar), 2, 24, 8};  // n/4, 24 clocks, 8 32nds
    std::vector<Event> events = {{0, 0, Meta(0x03, TextPayload(song.Title))},
                                 {0, 0, Meta(0x58, meter)},
                                 {0, 0, Meta(0x51, tempo)},
                                 {song.LengthTicks, 3, Meta(0x2F, {})}};
    return TrackChunk(events);
}

Bytes ChannelTrack(const MidiChannelTrack& t, int lengthTicks) {
    if (t.Channel < 1 || t.Channel > 16) throw std::runtime_error("MIDI channel out of range");
    uint8_t ch = static_cast<uint8_t>(t.Channel - 1);
    auto cc = [&](uint8_t controller, int value) {
        return Event{0,
                     0,
                     {static_cast<uint8_t>(0xB0 | ch), controller,
                      static_cast<uint8_t>(std::clamp(value, 0, 127))}};
    };
    std::vector<Event> events = {{0, 0, Meta(0x03, TextPayload(t.Name))}};
    if (t.Channel != 10)
        events.push_back(
            {0, 0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(t.Program - 1)}});
    events.push_back(cc(7, t.Volume));
    events.push_back(cc(10, t.Pan));
    events.push_back(cc(91, t.Reverb));
    events.push_back(cc(93, t.Chorus));
    for (const MidiNote& n : t.Notes) {
        int end = std::min(n.Start + std::max(1, n.Length), lengthTicks);
        uint8_t key = static_cast<uint8_t>(n.Key),
                vel = static_cast<uint8_t>(std::clamp(n.Velocity, 1, 127));
        events.push_back({n.Start, 2, {static_cast<uint8_t>(0x90 | ch), key, vel}});
        events.push_back({end, 1, {static_cast<uint8_t>(0x80 | ch), key, 0}});
    }
    events.push_back({lengthTicks, 3, Meta(0x2F, {})});
    return TrackChunk(events);
}

}  // namespace

Bytes WriteMidiFile(const MidiSong& song) {
    Bytes file = {'M', 'T', 'h', 'd'};
    PutBigEndian(file, 6, 4);
    PutBigEndian(file, 1, 2);  // format 1
    PutBigEndian(file, static_cast<uint32_t>(song.Tracks.size() + 1), 2);
    PutBigEndian(file, kTicksPerBeat, 2);
    Bytes conductor = ConductorTrack(song);
    file.insert(file.end(), conductor.begin(), conductor.end());
    for (const MidiChannelTrack& t : song.Tracks) {
        Bytes track = ChannelTrack(t, song.LengthTicks);
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}
