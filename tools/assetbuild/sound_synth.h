// The sound synthesiser of the asset builder: a sound is a sum of layers (tones, noise, notes),
// each with a pitch sweep, an envelope and an optional low-pass filter sweep.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"

enum class Waveform { Sine, Square, Triangle, Saw, Noise };

// One sounding layer; times in seconds, frequencies in Hz, amplitudes 0..1.
struct SoundLayer {
    Waveform Wave = Waveform::Sine;
    double Start = 0, Duration = 0.1, Amplitude = 0.5;
    double Frequency = 440, FrequencyTo = 0;  // FrequencyTo 0: no sweep (exponential otherwise)
    double Attack = 0.002, Decay = 0, Release = 0.01;  // Decay: exponential time constant, 0 none
    double VibratoRate = 0, VibratoDepth = 0;          // depth in semitones
    double Duty = 0.5;                                 // square waves only
    double Detune = 0;                                 // cents; adds a second, detuned voice
    double Cutoff = 0, CutoffTo = 0;                   // low-pass corner sweep, 0: no filter
};

struct SoundSpec {
    int Rate = 22050;
    double Peak = 0.8;  // the loudest sample is scaled to this share of full scale
    double Length = 0;  // 0: until the last layer ends
    std::vector<SoundLayer> Layers;
};

// Parses the text of a sound source; errors throw std::runtime_error "<fileName>:<line>: ...".
SoundSpec ParseSoundSpec(const std::string& text, const std::string& fileName);
// Renders the sound as 16-bit mono samples, normalised to the sound's peak.
std::vector<int16_t> RenderSound(const SoundSpec& params);
// A complete RIFF WAVE file: PCM, 16 bits, mono.
Bytes WaveFile(const std::vector<int16_t>& samples, int rate);
