// Sound effects by name from "sounds.dxg", and making the sound device ready.
#include "app/game.h"
#include "app/messages.h"
#include "audio/audio.h"

// With sounds off the name is not even looked up, so a name missing from the library only fails
// while sounds are on ("Wave '<name>' not found").
void PlaySound(Game& game, const std::string& name) {
    if (!game.settings.SoundsEnabled) return;
    game.media.DXWaveList1.FindSound(name).PlayItem(false);
}

void StopSound(Game& game, const std::string& name) {
    if (!game.settings.SoundsEnabled) return;
    game.media.DXWaveList1.FindSound(name).StopItem();
}

bool MakeSoundReady(Game& game) {
    try {
        if (!game.media.dxsound1.IsOpen()) game.media.dxsound1.OpenSoundDevice();
        if (game.media.DXWaveList1.Count() == 0)
            game.media.DXWaveList1.LoadSounds(game.ProgramDir + "sounds.dxg");
        return true;
    } catch (const std::exception&) {
        game.settings.SoundsEnabled = 0;
        ShowMessage(game, 10);
        return false;
    }
}
