// The sound device and the list of named sounds of "sounds.dxg", on SDL_mixer.
#pragma once

#include <memory>
#include <string>
#include <vector>

// The sound device (`dxsound1`). Opening fails with an exception when no output is possible.
class SoundDevice {
public:
    ~SoundDevice();
    void OpenSoundDevice();
    bool IsOpen() const { return open_; }
    void Close();

private:
    bool open_ = false;
};

// One named sound with its copies: the same sound may overlap itself.
class SoundItem {
public:
    struct Impl;
    explicit SoundItem(std::unique_ptr<Impl> impl);
    ~SoundItem();
    const std::string& Name() const;
    void PlayItem(bool wait = false);
    void StopItem();
    bool IsPlaying() const;

private:
    std::unique_ptr<Impl> impl_;
};

// The wave list (`DXWaveList1`).
class WaveList {
public:
    WaveList();
    ~WaveList();
    // Replaces the list with the sounds of a library file; throws FileError naming the file.
    void LoadSounds(const std::string& path);
    SoundItem& FindSound(const std::string& name);  // throws "Wave '<name>' not found"
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear();

private:
    std::vector<std::unique_ptr<SoundItem>> items_;
};
