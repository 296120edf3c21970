// Music per screen and level: choosing, starting and restarting songs, and stopping the music.
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "audio/audio.h"
#include "level/level_loader.h"

namespace {

// The file of the current song, or "" when it cannot be played: a number outside the song list
// or a name that would leave the game's folder is treated like a missing file.
std::string CurrentSongFile(const SoundSystem& sound) {
    int32_t song = sound.audio.CurrentSong;
    if (song < 1 || song > sound.settings.SongCount || song > kMaxSongs) return "";
    const std::string& name = sound.settings.Songs[static_cast<size_t>(song - 1)];
    if (name.empty() || !IsSafeRelativePath(name)) return "";
    return sound.programDir + name;
}

// A folder opens for reading on some systems, but it is no file: it counts as missing.
bool FileReadable(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    return file.good();
}

// Closes the song playing and starts the file. False, with messages 25 and 3 and music
// switched off, when the music device fails.
bool StartSongFile(const SoundSystem& sound, const std::string& path) {
    AudioState& audio = sound.audio;
    try {
        if (audio.MusicPlaying) audio.Music.Close();  // never fails
        audio.Music.Open(path);
        audio.Music.Play(audio);
        audio.MusicHaltRequested = false;
        return true;
    } catch (const std::exception&) {
        sound.events.ShowMessage(MessageId::MusicDeviceFailed);
        sound.settings.MusicEnabled = 0;
        sound.events.ShowMessage(MessageId::MusicDisabled);
        return false;
    }
}

// Holds the frame timer off for its lifetime and gives back the state it found, also when a
// message's sound raises an error on the way out.
class TimerHold {
  public:
    explicit TimerHold(FrameTimer& timer) : timer_(timer), wasEnabled_(timer.Enabled) {
        timer_.Enabled = false;
    }
    ~TimerHold() { timer_.Enabled = wasEnabled_; }
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;

  private:
    FrameTimer& timer_;
    bool wasEnabled_;
};

}  // namespace

// No frame runs while the music device is busy.
bool PlaySong(const SoundSystem& sound, int32_t n) {
    TimerHold hold(sound.timer);
    bool result = true;
    AudioState& audio = sound.audio;
    if (sound.settings.MusicEnabled && n != audio.CurrentSong) {
        audio.CurrentSong = n != 0 ? n : sound.random.Below(sound.settings.SongCount) + 1;
        std::string path = CurrentSongFile(sound);
        bool started = false;
        if (!FileReadable(path)) {
            sound.events.ShowMessage(MessageId::MusicFileMissing);
        } else {
            started = StartSongFile(sound, path);
            result = started;
        }
        audio.MusicPlaying = started ? 1 : 0;
    }
    return result;
}

// CurrentSong and MusicPlaying stay as they are: the callers set CurrentSong = -1.
void StopMusic(const SoundSystem& sound) {
    sound.audio.MusicHaltRequested = true;
    sound.audio.Music.Close();
}

// The song restarts only after it came to its end by itself; a halt asked for by the game
// (StopMusic, another song) has already cleared the flag or set MusicHaltRequested.
void RestartFinishedSong(const SoundSystem& sound) {
    AudioState& audio = sound.audio;
    if (!audio.MusicFinished.exchange(false)) return;
    if (audio.MusicPlaying != 1 || audio.MusicHaltRequested || !audio.Music.IsOpen()) return;
    try {
        audio.Music.Play(audio);
    } catch (const std::exception&) {
        sound.events.ShowMessage(MessageId::MusicDeviceFailed);
    }
}
