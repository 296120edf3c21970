// Sound effects by name from "sounds.dxg", and making the sound device ready.
#include <string>

#include "audio/audio.h"

// With sounds off the name is not even looked up, so a name missing from the library only fails
// while sounds are on ("Wave '<name>' not found").
void PlaySound(const SoundSystem& sound, std::string_view name) {
    if (!sound.settings.SoundsEnabled) return;
    sound.sounds.FindSound(std::string(name)).PlayItem(false);
}

void StopSound(const SoundSystem& sound, std::string_view name) {
    if (!sound.settings.SoundsEnabled) return;
    sound.sounds.FindSound(std::string(name)).StopItem();
}

bool MakeSoundReady(const SoundSystem& sound) {
    try {
        if (!sound.device.IsOpen()) sound.device.OpenSoundDevice();
        if (sound.sounds.Count() == 0) sound.sounds.LoadSounds(sound.programDir + "sounds.dxg");
        return true;
    } catch (const std::exception&) {
        sound.settings.SoundsEnabled = 0;
        sound.events.ShowMessage(MessageId::SoundFailed);
        return false;
    }
}
