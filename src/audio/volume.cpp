// The volume control on the game's own mixer, and the volumes of the settings on it.
#include <SDL_mixer.h>

#include "audio/audio.h"
#include "media/wave_list.h"

namespace {

// 0..255 to the mixer's 0..MIX_MAX_VOLUME, rounded so that 255 is full volume and 1 is audible.
int ToMixerVolume(int v) {
    return (v * MIX_MAX_VOLUME + 254) / 255;
}
int FromMixerVolume(int m) {
    return (m * 255 + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME;
}

}  // namespace

VolumeControl::VolumeControl()
    : wave_(FromMixerVolume(EffectsVolume())), midi_(FromMixerVolume(MixerMusicVolume())) {}

void VolumeControl::SetWaveVolume(int v) {
    wave_ = v & 255;
    SetEffectsVolume(ToMixerVolume(wave_));
}

void VolumeControl::SetMidiVolume(int v) {
    midi_ = v & 255;
    SetMixerMusicVolume(ToMixerVolume(midi_));
}

void ReadSystemVolumes(const SoundSystem& sound) {
    sound.settings.MusicVolume = sound.audio.Volumes.MidiVolume();
    sound.settings.SoundsVolume = sound.audio.Volumes.WaveVolume();
}

void ApplyVolumes(const SoundSystem& sound) {
    sound.audio.Volumes.SetMidiVolume(sound.settings.MusicVolume & 255);
    sound.audio.Volumes.SetWaveVolume(sound.settings.SoundsVolume & 255);
}
