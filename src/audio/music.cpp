// Music per screen and level: choosing, starting and restarting songs, and stopping the music.
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/game.h"
#include "app/messages.h"
#include "audio/audio.h"
#include "level/level_loader.h"

namespace {

// The file of the current song, or "" when it cannot be played: a number outside the song list
// or a name that would leave the game's folder is treated like a missing file.
std::string CurrentSongFile(const Game& game) {
    int32_t song = game.audio.CurrentSong;
    if (song < 1 || song > game.settings.SongCount || song > kMaxSongs) return "";
    const std::string& name = game.settings.Songs[static_cast<size_t>(song - 1)];
    if (name.empty() || !IsSafeRelativePath(name)) return "";
    return game.ProgramDir + name;
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
bool StartSongFile(Game& game, const std::string& path) {
    AudioState& audio = game.audio;
    try {
        if (audio.MusicPlaying) audio.mediap.Close();  // never fails
        audio.mediap.Open(path);
        audio.mediap.Play(audio);
        audio.MusicHaltRequested = false;
        return true;
    } catch (const std::exception&) {
        ShowMessage(game, 25);
        game.settings.MusicEnabled = 0;
        ShowMessage(game, 3);
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
bool PlaySong(Game& game, int32_t n) {
    TimerHold hold(game.timer);
    bool result = true;
    AudioState& audio = game.audio;
    if (game.settings.MusicEnabled && n != audio.CurrentSong) {
        audio.CurrentSong = n != 0 ? n : game.random.Below(game.settings.SongCount) + 1;
        std::string path = CurrentSongFile(game);
        bool started = false;
        if (!FileReadable(path)) {
            ShowMessage(game, 26);
        } else {
            started = StartSongFile(game, path);
            result = started;
        }
        audio.MusicPlaying = started ? 1 : 0;
    }
    return result;
}

// CurrentSong and MusicPlaying stay as they are: the callers set CurrentSong = -1.
void StopMusic(Game& game) {
    game.audio.MusicHaltRequested = true;
    game.audio.mediap.Close();
}

// The song restarts only after it came to its end by itself; a halt asked for by the game
// (StopMusic, another song) has already cleared the flag or set MusicHaltRequested.
void mediapNotify(Game& game) {
    AudioState& audio = game.audio;
    if (!audio.MusicFinished.exchange(false)) return;
    if (audio.MusicPlaying != 1 || audio.MusicHaltRequested || !audio.mediap.IsOpen()) return;
    try {
        audio.mediap.Play(audio);
    } catch (const std::exception&) {
        ShowMessage(game, 25);
    }
}
