// Sounds of "sounds.dxg": each is synthesised from its source text assets/sounds/<name>.snd.
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "assetbuild/assets.h"
#include "assetbuild/sound_synth.h"

namespace {

// Every sound the game plays by name.
const char* const kSoundNames[] = {
    "aparemesaj", "click",          "ok",      "brinloft", "explozie",
    "infotron",   "manancacircuit", "impinge", "termina",  "picabomba"};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open file");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<SoundData> BuildSounds(const std::string& assetsDir) {
    std::vector<SoundData> sounds;
    for (const char* name : kSoundNames) {
        std::string path = assetsDir + "/sounds/" + name + ".snd";
        SoundSpec params = ParseSoundSpec(ReadText(path), path);
        SoundData sound;
        sound.Name = name;
        sound.Looped = false;
        sound.MaxPlayingCount = 0;
        sound.Wave = WaveFile(RenderSound(params), params.Rate);
        sounds.push_back(std::move(sound));
    }
    return sounds;
}
