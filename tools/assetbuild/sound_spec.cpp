// Reader of the sound sources in assets/sounds: one command per line, "key=value" parameters.
//   rate 22050 | peak 0.8 | length 1.5
//   tone  start=0 dur=0.2 wave=sine freq=880 to=440 amp=0.5 attack=0.002 decay=0.1 release=0.05
//   noise start=0 dur=0.6 amp=0.8 cutoff=3000 cutoffto=200 decay=0.2
//   notes start=0 step=0.12 dur=0.1 wave=triangle amp=0.4 seq=C5 E5 G5:2 r C6
// A '#' at the start of a word begins a comment. "notes" plays one tone per entry of seq (the rest
// of the line), each entry lasting `step` seconds times its optional ":n" multiplier; "r" is a
// rest.
#include <sstream>
#include <stdexcept>

#include "assetbuild/note_names.h"
#include "assetbuild/sound_synth.h"

namespace {

struct LineContext {
    const std::string& file;
    int line;
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(file + ":" + std::to_string(line) + ": " + what);
    }
};

double Number(const LineContext& ctx, const std::string& key, const std::string& value) {
    try {
        size_t used = 0;
        double v = std::stod(value, &used);
        if (used == value.size()) return v;
    } catch (const std::exception&) {
    }
    ctx.Fail("'" + key + "' needs a number, not '" + value + "'");
}

// A comment starts with '#' at the start of a word ("G#6" is a note, not a comment).
std::string StripComment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.substr(0, i);
    return line;
}

Waveform WaveByName(const LineContext& ctx, const std::string& name) {
    if (name == "sine") return Waveform::Sine;
    if (name == "square") return Waveform::Square;
    if (name == "triangle") return Waveform::Triangle;
    if (name == "saw") return Waveform::Saw;
    if (name == "noise") return Waveform::Noise;
    ctx.Fail("unknown wave '" + name + "'");
}

// Applies one key=value to a layer; "step" is kept aside for note sequences.
void SetParameter(const LineContext& ctx, SoundLayer& layer, double& step, const std::string& key,
                  const std::string& value) {
    if (key == "wave") {
        layer.Wave = WaveByName(ctx, value);
        return;
    }
    double v = Number(ctx, key, value);
    if (key == "start")
        layer.Start = v;
    else if (key == "dur")
        layer.Duration = v;
    else if (key == "amp")
        layer.Amplitude = v;
    else if (key == "freq")
        layer.Frequency = v;
    else if (key == "to")
        layer.FrequencyTo = v;
    else if (key == "attack")
        layer.Attack = v;
    else if (key == "decay")
        layer.Decay = v;
    else if (key == "release")
        layer.Release = v;
    else if (key == "vib")
        layer.VibratoRate = v;
    else if (key == "vibdepth")
        layer.VibratoDepth = v;
    else if (key == "duty")
        layer.Duty = v;
    else if (key == "detune")
        layer.Detune = v;
    else if (key == "cutoff")
        layer.Cutoff = v;
    else if (key == "cutoffto")
        layer.CutoffTo = v;
    else if (key == "step")
        step = v;
    else
        ctx.Fail("unknown parameter '" + key + "'");
    if (v < 0) ctx.Fail("'" + key + "' must not be negative");
}

// Expands "seq=..." into one layer per note, copying the line's other parameters.
void AddNotes(const LineContext& ctx, SoundSpec& params, const SoundLayer& base, double step,
              std::istringstream& rest) {
    if (step <= 0) ctx.Fail("notes need step=<seconds> before seq=");
    double t = base.Start;
    std::string entry;
    while (rest >> entry) {
        double mult = 1;
        size_t colon = entry.find(':');
        if (colon != std::string::npos) {
            mult = Number(ctx, "seq", entry.substr(colon + 1));
            entry = entry.substr(0, colon);
        }
        if (entry != "r") {
            int note = NoteNumber(entry);
            if (note < 0) ctx.Fail("'" + entry + "' is not a note name");
            SoundLayer layer = base;
            layer.Start = t;
            layer.Frequency = NoteFrequency(note);
            layer.FrequencyTo = 0;
            params.Layers.push_back(layer);
        }
        t += step * mult;
    }
}

void ParseLayer(const LineContext& ctx, SoundSpec& params, const std::string& kind,
                std::istringstream& in) {
    SoundLayer layer;
    if (kind == "noise") layer.Wave = Waveform::Noise;
    double step = 0;
    std::string token;
    while (in >> token) {
        size_t eq = token.find('=');
        if (eq == std::string::npos || eq == 0)
            ctx.Fail("expected key=value, found '" + token + "'");
        std::string key = token.substr(0, eq), value = token.substr(eq + 1);
        if (key == "seq" && kind == "notes") {
            std::istringstream rest(value + " " +
                                    std::string(std::istreambuf_iterator<char>(in), {}));
            AddNotes(ctx, params, layer, step, rest);
            return;
        }
        SetParameter(ctx, layer, step, key, value);
    }
    if (kind == "notes") ctx.Fail("notes without seq=");
    if (layer.Duration <= 0) ctx.Fail("a layer needs dur > 0");
    params.Layers.push_back(layer);
}

}  // namespace

SoundSpec ParseSoundSpec(const std::string& text, const std::string& fileName) {
    SoundSpec params;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        LineContext ctx{fileName, number};
        std::istringstream in(StripComment(line));
        std::string kind;
        if (!(in >> kind)) continue;
        if (kind == "rate" || kind == "peak" || kind == "length") {
            std::string value;
            if (!(in >> value)) ctx.Fail("'" + kind + "' needs a value");
            double v = Number(ctx, kind, value);
            if (kind == "rate") {
                if (v != 22050 && v != 44100) ctx.Fail("rate must be 22050 or 44100");
                params.Rate = static_cast<int>(v);
            } else if (kind == "peak") {
                if (v <= 0 || v > 1) ctx.Fail("peak must lie in (0, 1]");
                params.Peak = v;
            } else {
                params.Length = v;
            }
        } else if (kind == "tone" || kind == "noise" || kind == "notes") {
            ParseLayer(ctx, params, kind, in);
        } else {
            ctx.Fail("unknown command '" + kind + "'");
        }
    }
    if (params.Layers.empty()) throw std::runtime_error(fileName + ": no layers");
    return params;
}
