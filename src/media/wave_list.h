// The sound device and the list of named sounds of "sounds.dxg", on SDL_mixer.
#pragma once

#include <memory>
#include <string>
#include <vector>

// The sound device: one reference to the SDL audio device and the mixer. Several
// devices may be open at once (the music player keeps its own); the mixer closes with the last.
class SoundDevice {
  public:
    SoundDevice() = default;
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;
    // Throws std::runtime_error when no sound output is possible.
    void OpenSoundDevice();
    bool IsOpen() const { return open_; }
    void Close();

  private:
    bool open_ = false;
};

// The mixer's volumes, 0..MIX_MAX_VOLUME (128): the effects' master volume for every channel,
// also those allocated later, and the music volume. They are kept here and applied again
// whenever the mixer opens, since opening it resets its own levels.
void SetEffectsVolume(int mixVolume);
int EffectsVolume();
void SetMixerMusicVolume(int mixVolume);
int MixerMusicVolume();

// One named sound with its copies: the same sound may overlap itself. Every copy is a mixer
// channel kept by this item for reuse.
class SoundItem {
  public:
    struct Impl;
    explicit SoundItem(std::unique_ptr<Impl> impl);
    ~SoundItem();
    SoundItem(const SoundItem&) = delete;
    SoundItem& operator=(const SoundItem&) = delete;
    const std::string& Name() const;
    bool Looped() const;
    int MaxPlayingCount() const;  // 0: no limit
    // A looped item restarts from its beginning on its one copy. Otherwise the sound plays on a
    // copy that is not playing; when all are busy a new copy is made unless MaxPlayingCount
    // copies exist, in which case the copy started longest ago restarts. Only the first play
    // of a tick starts a copy; the others in the same tick are dropped. `wait` is not
    // supported (the game always passes false).
    void PlayItem(bool wait = false);
    void NextTick();  // plays start copies again
    void StopItem();  // every copy stops
    bool IsPlaying() const;
    int CopyCount() const;     // copies made so far
    int PlayingCount() const;  // copies sounding now

  private:
    std::unique_ptr<Impl> impl_;
};

// The wave list: the named sounds of a sound library.
class WaveList {
  public:
    WaveList();
    ~WaveList();
    // Replaces the list with the sounds of a library file; needs the sound device open. Throws
    // FileError naming the file (and the sound when its WAVE data is bad).
    void LoadSounds(const std::string& path);
    // Names compared without regard to case; throws std::runtime_error "Wave '<name>' not found".
    SoundItem& FindSound(const std::string& name);
    int Count() const { return static_cast<int>(items_.size()); }
    SoundItem& At(int index) { return *items_.at(static_cast<size_t>(index)); }
    // Called by the frame loop at the start of every tick: each sound may start one copy again.
    void NextTick();
    void Clear();

  private:
    std::vector<std::unique_ptr<SoundItem>> items_;
};
