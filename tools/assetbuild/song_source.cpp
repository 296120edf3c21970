// Reader of the song sources in assets/songs. One command per line; '#' at the start of a word
// begins a comment.
//   title Quiet Circuits
//   tempo 80                      beats (quarter notes) per minute
//   meter 4                       beats per bar
//   channel 2 program 5 volume 90 pan 40 reverb 60 chorus 20 gate 0.9 name Piano
//   pattern A 4                   a pattern of 4 bars, up to "end"
//     2: v=70 F4/0.5 A4/0.5 C5+E5/1@90 r/2 [ G4/0.5 B4/0.5 ]*2 ...
//   end
//   arrange A A B+2 C*2           names, optional transposition (+/- semitones), repeats
// An event is "r" (rest) or pitches joined by "+" (note names, drum names or key numbers), then
// "/beats" (default 1) and "@velocity" (default: the line's v=, else 90). Channel 10 is drums.
#include "assetbuild/song_source.h"

#include <cctype>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

#include "assetbuild/note_names.h"

namespace {

struct Where {
    const std::string& file;
    int line;
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(file + ":" + std::to_string(line) + ": " + what);
    }
};

const std::map<std::string, int> kDrums = {
    {"kick", 36},   {"kick2", 35},    {"rim", 37},     {"snare", 38},    {"clap", 39},
    {"snare2", 40}, {"floortom", 41}, {"hat", 42},     {"pedalhat", 44}, {"lowtom", 45},
    {"ohat", 46},   {"midtom", 47},   {"hitom", 50},   {"crash", 49},    {"ride", 51},
    {"bell", 53},   {"tamb", 54},     {"cowbell", 56}, {"cabasa", 69},   {"shaker", 70},
    {"clave", 75},  {"wood", 76},     {"triangle", 81}};

struct Channel {
    MidiChannelTrack Track;
    double Gate = 0.92;
};

struct PatternNote {
    int Channel;
    MidiNote Note;
};

struct Pattern {
    int Bars = 0;
    std::vector<PatternNote> Notes;
};

struct SongState {
    MidiSong Song;
    std::map<int, Channel> Channels;
    std::map<std::string, Pattern> Patterns;
    std::vector<std::string> Arrangement;
    int ArrangeLine = 0;
};

double Number(const Where& at, const std::string& text) {
    try {
        size_t used = 0;
        double v = std::stod(text, &used);
        if (used == text.size()) return v;
    } catch (const std::exception&) {
    }
    at.Fail("'" + text + "' is not a number");
}

int Integer(const Where& at, const std::string& text, int lo, int hi) {
    double v = Number(at, text);
    if (v != static_cast<int>(v) || v < lo || v > hi)
        at.Fail("'" + text + "' must be a whole number from " + std::to_string(lo) + " to " +
                std::to_string(hi));
    return static_cast<int>(v);
}

std::string StripComment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.substr(0, i);
    return line;
}

// Expands "[ a b ]*N" groups (nested groups allowed) into a flat list of events.
std::vector<std::string> ExpandGroups(const Where& at, std::istringstream& in) {
    std::vector<std::string> out;
    std::string token;
    while (in >> token) {
        if (token == "]" || token.rfind("]*", 0) == 0) {
            out.push_back(token);  // the caller reads the repeat count from it
            return out;
        }
        if (token != "[") {
            out.push_back(token);
            continue;
        }
        std::vector<std::string> group = ExpandGroups(at, in);
        if (group.empty() || group.back().rfind("]", 0) != 0)
            at.Fail("'[' without a closing ']*N'");
        std::string close = group.back();
        group.pop_back();
        int times = close == "]" ? 1 : Integer(at, close.substr(2), 1, 64);
        for (int i = 0; i < times; ++i) out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

int PitchOf(const Where& at, const std::string& name, int channel) {
    if (channel == 10) {
        auto drum = kDrums.find(name);
        if (drum != kDrums.end()) return drum->second;
    }
    int note = NoteNumber(name);
    if (note >= 0) return note;
    if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])))
        return Integer(at, name, 0, 127);
    at.Fail("'" + name + "' is not a note" + std::string(channel == 10 ? " or drum" : ""));
}

// One event: adds its notes at tick `t` and returns its length in ticks.
int ParseEvent(const Where& at, const std::string& token, int channel, int velocity, int t,
               Pattern& p) {
    std::string pitches = token;
    size_t atSign = pitches.find('@');
    if (atSign != std::string::npos) {
        velocity = Integer(at, pitches.substr(atSign + 1), 1, 127);
        pitches.resize(atSign);
    }
    double beats = 1;
    size_t slash = pitches.find('/');
    if (slash != std::string::npos) {
        beats = Number(at, pitches.substr(slash + 1));
        pitches.resize(slash);
    }
    int length = static_cast<int>(std::lround(beats * kTicksPerBeat));
    if (length <= 0) at.Fail("'" + token + "' has no length");
    if (pitches == "r") return length;
    std::istringstream parts(pitches);
    std::string part;
    while (std::getline(parts, part, '+'))
        p.Notes.push_back({channel, {t, length, PitchOf(at, part, channel), velocity}});
    return length;
}

void ParsePatternLine(const Where& at, SongState& s, Pattern& p, const std::string& line) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) at.Fail("expected '<channel>: events'");
    int channel = Integer(at, line.substr(0, colon), 1, 16);
    if (!s.Channels.count(channel))
        at.Fail("channel " + std::to_string(channel) + " is not declared");
    std::istringstream in(line.substr(colon + 1));
    std::vector<std::string> events = ExpandGroups(at, in);
    int velocity = 90, t = 0;
    for (const std::string& e : events) {
        if (e.rfind("]", 0) == 0) at.Fail("']' without '['");
        if (e.rfind("v=", 0) == 0)
            velocity = Integer(at, e.substr(2), 1, 127);
        else
            t += ParseEvent(at, e, channel, velocity, t, p);
    }
    int expected = p.Bars * s.Song.BeatsPerBar * kTicksPerBeat;
    if (t != expected)
        at.Fail("channel " + std::to_string(channel) + " lasts " +
                std::to_string(t / double(kTicksPerBeat)) + " beats, the pattern " +
                std::to_string(expected / kTicksPerBeat));
}

void ParseChannel(const Where& at, SongState& s, std::istringstream& in) {
    std::string number, key, value;
    in >> number;
    Channel c;
    c.Track.Channel = Integer(at, number, 1, 16);
    c.Track.Name = "channel " + number;
    while (in >> key >> value) {
        if (key == "program")
            c.Track.Program = Integer(at, value, 1, 128);
        else if (key == "volume")
            c.Track.Volume = Integer(at, value, 0, 127);
        else if (key == "pan")
            c.Track.Pan = Integer(at, value, 0, 127);
        else if (key == "reverb")
            c.Track.Reverb = Integer(at, value, 0, 127);
        else if (key == "chorus")
            c.Track.Chorus = Integer(at, value, 0, 127);
        else if (key == "gate")
            c.Gate = Number(at, value);
        else if (key == "name")
            c.Track.Name = value;
        else
            at.Fail("unknown channel setting '" + key + "'");
    }
    s.Channels[c.Track.Channel] = c;
}

// Lays the arranged patterns end to end into the channel tracks.
void Arrange(const std::string& file, SongState& s) {
    Where at{file, s.ArrangeLine};
    if (s.Arrangement.empty()) at.Fail("the song has no arrange line");
    int t = 0;
    for (const std::string& item : s.Arrangement) {
        std::string name = item;
        int times = 1, shift = 0;
        size_t star = name.find('*');
        if (star != std::string::npos) {
            times = Integer(at, name.substr(star + 1), 1, 64);
            name.resize(star);
        }
        size_t sign = name.find_first_of("+-");
        if (sign != std::string::npos) {
            shift = Integer(at, name.substr(sign), -24, 24);
            name.resize(sign);
        }
        auto found = s.Patterns.find(name);
        if (found == s.Patterns.end()) at.Fail("unknown pattern '" + name + "'");
        const Pattern& p = found->second;
        for (int k = 0; k < times; ++k) {
            for (const PatternNote& n : p.Notes) {
                Channel& c = s.Channels[n.Channel];
                MidiNote note = n.Note;
                note.Start += t;
                note.Length = std::max(1, static_cast<int>(std::lround(note.Length * c.Gate)));
                if (n.Channel != 10) note.Key += shift;
                if (note.Key < 0 || note.Key > 127)
                    at.Fail("'" + item + "' moves a note out of range");
                c.Track.Notes.push_back(note);
            }
            t += p.Bars * s.Song.BeatsPerBar * kTicksPerBeat;
        }
    }
    s.Song.LengthTicks = t;
    for (auto& [number, c] : s.Channels) s.Song.Tracks.push_back(c.Track);
}

}  // namespace

MidiSong ParseSong(const std::string& text, const std::string& fileName) {
    SongState s;
    std::istringstream lines(text);
    std::string raw;
    Pattern* open = nullptr;
    int number = 0;
    while (std::getline(lines, raw)) {
        Where at{fileName, ++number};
        std::string line = StripComment(raw);
        std::istringstream in(line);
        std::string command;
        if (!(in >> command)) continue;
        if (open) {
            if (command == "end")
                open = nullptr;
            else
                ParsePatternLine(at, s, *open, line);
            continue;
        }
        std::string value;
        if (command == "title")
            std::getline(in >> std::ws, s.Song.Title);
        else if (command == "tempo" && in >> value)
            s.Song.Tempo = Number(at, value);
        else if (command == "meter" && in >> value)
            s.Song.BeatsPerBar = Integer(at, value, 1, 12);
        else if (command == "channel")
            ParseChannel(at, s, in);
        else if (command == "pattern" && in >> value) {
            std::string bars;
            if (!(in >> bars) || s.Patterns.count(value))
                at.Fail("pattern needs a new name and a bar count");
            open = &s.Patterns[value];
            open->Bars = Integer(at, bars, 1, 64);
        } else if (command == "arrange") {
            s.ArrangeLine = number;
            while (in >> value) s.Arrangement.push_back(value);
        } else
            at.Fail("unknown command '" + command + "'");
    }
    if (open) throw std::runtime_error(fileName + ": a pattern is not closed with 'end'");
    if (s.Song.Tempo < 20 || s.Song.Tempo > 300)
        throw std::runtime_error(fileName + ": tempo out of range");
    Arrange(fileName, s);
    return s.Song;
}
