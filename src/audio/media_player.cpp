// The music player on SDL_mixer: General MIDI songs through a sound font, looped by the mixer,
// with the end of a song that stops all the same reported to the game through an atomic flag.
#include <SDL_mixer.h>
#include <sys/stat.h>

#include <stdexcept>

#include "audio/audio.h"
#include "media/wave_list.h"

namespace {

// The state whose MusicFinished flag the mixer's thread sets. SDL_mixer's hook takes no
// argument, so the player that started the music puts its owner here.
std::atomic<AudioState*> g_musicOwner{nullptr};

// Runs on the mixer's thread with the audio lock held, after a song's natural end and inside
// Mix_HaltMusic: it only raises the flag; the frame loop decides what to do between ticks.
void MusicFinishedHook() {
    if (AudioState* owner = g_musicOwner.load()) owner->MusicFinished.store(true);
}

bool FileExists(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0;
}

}  // namespace

struct MusicPlayer::Impl {
    SoundDevice device;  // the player's own reference to the mixer
    Mix_Music* music = nullptr;
    AudioState* owner = nullptr;  // of the last play

    void Close() {
        if (music) {
            Mix_HaltMusic();  // calls the hook at once, under the audio lock
            Mix_FreeMusic(music);
            music = nullptr;
        }
        if (owner) {
            owner->MusicFinished.store(false);
            AudioState* expected = owner;
            g_musicOwner.compare_exchange_strong(expected, nullptr);
            owner = nullptr;
        }
        device.Close();
    }
};

MusicPlayer::MusicPlayer() : impl_(std::make_unique<Impl>()) {}
MusicPlayer::~MusicPlayer() {
    impl_->Close();
}

void MusicPlayer::Open(const std::string& path) {
    impl_->Close();
    impl_->device.OpenSoundDevice();
    if (FileExists(kSongSoundFont)) Mix_SetSoundFonts(kSongSoundFont);
    // The kind of song is found from its content, so a file that is no song fails here.
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    impl_->music = file ? Mix_LoadMUSType_RW(file, MUS_NONE, 1) : nullptr;
    if (!impl_->music) {
        std::string error = Mix_GetError();
        impl_->device.Close();
        throw std::runtime_error("Cannot open music file " + path + ": " + error);
    }
}

void MusicPlayer::Play(AudioState& owner) {
    if (!impl_->music) throw std::runtime_error("No music file is open");
    impl_->owner = &owner;
    g_musicOwner.store(&owner);
    Mix_HookMusicFinished(MusicFinishedHook);
    owner.MusicFinished.store(false);
    // The mixer starts the song again at the end of its last note, while the notes' echoes
    // still ring: waiting for the end the mixer reports (RestartFinishedSong) would leave seconds
    // of silence between the passes.
    if (Mix_PlayMusic(impl_->music, -1) != 0)
        throw std::runtime_error(std::string("Cannot play music: ") + Mix_GetError());
}

void MusicPlayer::Close() {
    impl_->Close();
}
bool MusicPlayer::IsOpen() const {
    return impl_->music != nullptr;
}
bool MusicPlayer::IsPlaying() const {
    return impl_->music != nullptr && Mix_PlayingMusic() != 0;
}
