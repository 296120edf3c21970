// Placeholder until this part of the game is written.
#include "audio/audio.h"
#include "app/game.h"

void TVolumeControl::SetWaveVolume(int v) { wave_ = v & 255; }
void TVolumeControl::SetMidiVolume(int v) { midi_ = v & 255; }
void PlaySound(Game&, const std::string&) {}
void StopSound(Game&, const std::string&) {}
bool PlaySong(Game&, int32_t) { return true; }
void StopMusic(Game&) {}
void mediapNotify(Game&) {}
void ReadSystemVolumes(Game&) {}
void ApplyVolumes(Game&) {}
bool MakeSoundReady(Game&) { return false; }
