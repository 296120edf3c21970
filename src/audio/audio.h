// Sound effects by name, music per screen and level, and the mixer volumes.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

struct Game;

// The volume control over the game's own mixer: the wave channel is the effects' master volume,
// the MIDI channel the music volume. Values 0..255; writing v reads back v.
class TVolumeControl {
public:
    int WaveVolume() const { return wave_; }
    int MidiVolume() const { return midi_; }
    void SetWaveVolume(int v);  // low 8 bits applied
    void SetMidiVolume(int v);
    int CDVolume() const { return 0; }

private:
    int wave_ = 255;
    int midi_ = 255;
};

struct AudioState {
    int32_t CurrentSong = -1;
    uint8_t MusicPlaying = 0;
    std::atomic<bool> MusicFinished{false};  // set by the mixer's thread when a song ends
    bool MusicHaltRequested = false;          // a halt by the game is not a natural end
    TVolumeControl VolumeControl;
};

void PlaySound(Game& game, const std::string& name);
void StopSound(Game& game, const std::string& name);
bool PlaySong(Game& game, int32_t n);
void StopMusic(Game& game);
// Called by the frame loop between ticks: restarts the song after a natural end.
void mediapNotify(Game& game);
void ReadSystemVolumes(Game& game);
void ApplyVolumes(Game& game);
// Makes sound ready: opens the device and loads "sounds.dxg" if the list is empty. Returns false
// (sounds off, message 10 shown) when either fails.
bool MakeSoundReady(Game& game);
