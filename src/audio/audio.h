// Sound effects by name, music per screen and level, and the mixer volumes.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "game/events.h"
#include "game/random.h"
#include "media/frame_timer.h"
#include "media/wave_list.h"
#include "store/settings.h"

struct AudioState;

// The volume control over the game's own mixer: the wave channel is the effects' master volume,
// the MIDI channel the music volume. Values 0..255 (scaled to the mixer's 0..128); writing v
// reads back the low 8 bits of v. There is no CD channel: it reads 0 and ignores writes.
class VolumeControl {
  public:
    // Starts from the mixer's levels as they are now (255 for a fresh mixer).
    VolumeControl();
    int WaveVolume() const { return wave_; }
    int MidiVolume() const { return midi_; }
    int CDVolume() const { return 0; }
    void SetWaveVolume(int v);
    void SetMidiVolume(int v);
    void SetCDVolume(int) {}

  private:
    int wave_ = 255;
    int midi_ = 255;
};

// The music player: one music file at a time, played from its start and again from there each
// time its last note ends; a song that stops all the same is restarted by the game from
// `RestartFinishedSong`. Holds its own reference to the mixer while a file is open.
class MusicPlayer {
  public:
    MusicPlayer();
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;
    // Closes any open file, then opens this one. Throws std::runtime_error when the mixer or the
    // file cannot be opened.
    void Open(const std::string& path);
    // Plays the open file from its start, over and over; a stop (and any halt) sets
    // owner.MusicFinished.
    void Play(AudioState& owner);
    // Halts and closes the file; clears owner.MusicFinished so the halt is not taken for an end.
    void Close();
    bool IsOpen() const;
    bool IsPlaying() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct AudioState {
    int32_t CurrentSong = -1;
    uint8_t MusicPlaying = 0;
    std::atomic<bool> MusicFinished{false};  // set by the mixer's thread when a song stops
    bool MusicHaltRequested = false;         // a halt by the game is not a natural end
    VolumeControl Volumes;
    MusicPlayer Music;  // last: closed before the flags above go
};

// The General MIDI sound font the songs are played with.
constexpr const char* kSongSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// What the sound and music functions work on: the settings they honour and change, the audio
// state, the sound device and list, the frame timer held off while the music device is busy, the
// game's random numbers (a random song), the game's folder and where messages go.
struct SoundSystem {
    Settings& settings;
    AudioState& audio;
    SoundDevice& device;
    WaveList& sounds;
    FrameTimer& timer;
    GameRandom& random;
    const std::string& programDir;
    GameEvents& events;
};

void PlaySound(const SoundSystem& sound, std::string_view name);
void StopSound(const SoundSystem& sound, std::string_view name);
// Starts song n (1-based; 0 a random one) unless music is off or n is the current song. False
// only when the music device failed (music is then switched off).
bool PlaySong(const SoundSystem& sound, int32_t n);
void StopMusic(const SoundSystem& sound);
// Called by the frame loop between ticks: restarts the song after a natural end.
void RestartFinishedSong(const SoundSystem& sound);
void ReadSystemVolumes(const SoundSystem& sound);
void ApplyVolumes(const SoundSystem& sound);
// Makes sound ready: opens the device and loads "sounds.dxg" if the list is empty. Returns false
// (sounds off, a message shown) when either fails.
bool MakeSoundReady(const SoundSystem& sound);
