// The sound synthesiser of the asset builder: renders layers and writes RIFF WAVE files.
#include "assetbuild/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// White noise from a fixed-seed generator, so that every build makes the same sounds.
class Noise {
  public:
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
    }

  private:
    uint32_t state_ = 22222u;
};

double Oscillator(Waveform wave, double phase, double duty) {
    double p = phase - std::floor(phase);
    switch (wave) {
        case Waveform::Sine:
            return std::sin(2 * M_PI * p);
        case Waveform::Square:
            // The two levels balance over a period, so a narrow pulse carries no DC offset;
            // 1.4 from top to bottom, as squares are loud.
            return (p < duty ? 1 - duty : -duty) * 1.4;
        case Waveform::Triangle:
            return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
        case Waveform::Saw:
            return (2 * p - 1) * 0.8;
        case Waveform::Noise:
            break;
    }
    return 0;
}

double Envelope(const SoundLayer& l, double t) {
    double e = l.Attack > 0 ? std::min(1.0, t / l.Attack) : 1.0;
    if (l.Decay > 0 && t > l.Attack) e *= std::exp(-(t - l.Attack) / l.Decay);
    double left = l.Duration - t;
    if (l.Release > 0 && left < l.Release) e *= std::max(0.0, left / l.Release);
    return e;
}

// Exponential sweep from a to b over the layer (b = 0: stays at a).
double Sweep(double a, double b, double fraction) {
    if (b <= 0 || a <= 0) return a;
    return a * std::pow(b / a, fraction);
}

void RenderLayer(const SoundLayer& l, int rate, Noise& noise, std::vector<double>& mix) {
    size_t first = static_cast<size_t>(l.Start * rate);
    size_t count = static_cast<size_t>(l.Duration * rate);
    double phase = 0, phase2 = 0, filtered = 0;
    double detune = std::pow(2.0, l.Detune / 1200.0);
    for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
        double t = static_cast<double>(i) / rate, fraction = t / l.Duration;
        double f = Sweep(l.Frequency, l.FrequencyTo, fraction);
        if (l.VibratoRate > 0)
            f *= std::pow(2.0, l.VibratoDepth / 12 * std::sin(2 * M_PI * l.VibratoRate * t));
        double v;
        if (l.Wave == Waveform::Noise) {
            v = noise.Next();
        } else {
            v = Oscillator(l.Wave, phase, l.Duty);
            if (l.Detune > 0) v = (v + Oscillator(l.Wave, phase2, l.Duty)) * 0.5;
            phase += f / rate;
            phase2 += f * detune / rate;
        }
        if (l.Cutoff > 0) {
            double corner = Sweep(l.Cutoff, l.CutoffTo, fraction);
            double a = 1 - std::exp(-2 * M_PI * corner / rate);
            filtered += a * (v - filtered);
            v = filtered;
        }
        mix[first + i] += v * l.Amplitude * Envelope(l, t);
    }
}

void PutU32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
// Byte by byte: g++ 12 at -O2 mistakes a 4-byte range insert here for an overflow.
void PutTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<int16_t> RenderSound(const SoundSpec& params) {
    double length = params.Length;
    for (const SoundLayer& l : params.Layers)
        if (params.Length <= 0) length = std::max(length, l.Start + l.Duration);
    std::vector<double> mix(static_cast<size_t>(length * params.Rate) + 1, 0.0);
    Noise noise;
    for (const SoundLayer& l : params.Layers) RenderLayer(l, params.Rate, noise, mix);
    double loudest = 0;
    for (double v : mix) loudest = std::max(loudest, std::abs(v));
    if (loudest <= 0) throw std::runtime_error("the sound is silent");
    double gain = params.Peak * 32767 / loudest;
    std::vector<int16_t> out(mix.size());
    size_t fade = static_cast<size_t>(params.Rate * 0.003);  // no click at the very end
    for (size_t i = 0; i < mix.size(); ++i) {
        double v = mix[i] * gain;
        size_t left = mix.size() - 1 - i;
        if (left < fade) v *= static_cast<double>(left) / fade;
        out[i] = static_cast<int16_t>(std::lround(std::clamp(v, -32767.0, 32767.0)));
    }
    return out;
}

Bytes WaveFile(const std::vector<int16_t>& samples, int rate) {
    Bytes b;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    PutTag(b, "RIFF");
    PutU32(b, 36 + dataBytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    PutU32(b, 16);
    PutU16(b, 1);  // PCM
    PutU16(b, 1);  // mono
    PutU32(b, static_cast<uint32_t>(rate));
    PutU32(b, static_cast<uint32_t>(rate) * 2);
    PutU16(b, 2);
    PutU16(b, 16);
    PutTag(b, "data");
    PutU32(b, dataBytes);
    for (int16_t s : samples) PutU16(b, static_cast<uint16_t>(s));
    return b;
}
