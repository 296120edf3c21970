// The volume control on the game's own mixer, and the volumes of the settings on it.
#include <SDL_mixer.h>

#include "app/game.h"
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

TVolumeControl::TVolumeControl()
    : wave_(FromMixerVolume(EffectsVolume())), midi_(FromMixerVolume(MixerMusicVolume())) {}

void TVolumeControl::SetWaveVolume(int v) {
    wave_ = v & 255;
    SetEffectsVolume(ToMixerVolume(wave_));
}

void TVolumeControl::SetMidiVolume(int v) {
    midi_ = v & 255;
    SetMixerMusicVolume(ToMixerVolume(midi_));
}

void ReadSystemVolumes(Game& game) {
    game.settings.MusicVolume = game.audio.VolumeControl.MidiVolume();
    game.settings.SoundsVolume = game.audio.VolumeControl.WaveVolume();
}

void ApplyVolumes(Game& game) {
    game.audio.VolumeControl.SetMidiVolume(game.settings.MusicVolume & 255);
    game.audio.VolumeControl.SetWaveVolume(game.settings.SoundsVolume & 255);
}
