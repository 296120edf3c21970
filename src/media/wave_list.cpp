// The sound device and the wave list on SDL_mixer: named sounds that play on channels of their
// own, so a sound can overlap itself up to its MaxPlayingCount, starting one copy per tick.
#include "media/wave_list.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "media/byte_io.h"
#include "media/library_format.h"

// SDL_mixer 2.6 has a master volume for all channels; older versions set each channel.
#if defined(SDL_MIXER_VERSION_ATLEAST)
#if SDL_MIXER_VERSION_ATLEAST(2, 6, 0)
#define TOLMARA_MIXER_HAS_MASTER_VOLUME 1
#endif
#endif

namespace {

constexpr int kMixFrequency = 44100;
constexpr int kMixChannels = 2;
// About 23 ms of sound per mix: short enough that a sound starts at once.
constexpr int kMixChunkFrames = 1024;
// Copies of one sound started in the same tick begin in the same mix and add up sample for
// sample: a chain of blasts would only be louder, up to clipping, and sound no different.
constexpr int kCopiesPerTick = 1;

bool MixerOpen() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

// ---- volumes

int g_effectsVolume = MIX_MAX_VOLUME;
int g_musicVolume = MIX_MAX_VOLUME;

#ifndef TOLMARA_MIXER_HAS_MASTER_VOLUME
void ApplyVolumeToChannels(int first, int last) {
    for (int ch = first; ch < last; ++ch) Mix_Volume(ch, g_effectsVolume);
}
#endif

void ApplyEffectsVolume() {
#ifdef TOLMARA_MIXER_HAS_MASTER_VOLUME
    Mix_MasterVolume(g_effectsVolume);
#else
    if (MixerOpen()) ApplyVolumeToChannels(0, Mix_AllocateChannels(-1));
#endif
}

// ---- channels: every channel belongs to at most one sound item; channels an item gives back
// are reused by the next item that needs one.

std::vector<int> g_spareChannels;
int g_nextChannel = 0;
uint64_t g_startCounter = 0;

int TakeChannel() {
    if (!g_spareChannels.empty()) {
        int ch = g_spareChannels.back();
        g_spareChannels.pop_back();
        return ch;
    }
    return g_nextChannel++;
}

void ReturnChannel(int ch) {
    if (MixerOpen() && ch < Mix_AllocateChannels(-1)) Mix_HaltChannel(ch);
    g_spareChannels.push_back(ch);
}

// The mixer has as many channels as the items use; it starts with 8 and again after a reopen.
void EnsureChannelExists(int ch) {
    int count = Mix_AllocateChannels(-1);
    if (ch < count) return;
    Mix_AllocateChannels(ch + 1);
#ifndef TOLMARA_MIXER_HAS_MASTER_VOLUME
    ApplyVolumeToChannels(count, ch + 1);
#endif
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

// ---- sound device

SoundDevice::~SoundDevice() {
    Close();
}

void SoundDevice::OpenSoundDevice() {
    if (open_) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        throw std::runtime_error(std::string("Cannot start SDL audio: ") + SDL_GetError());
    // A second opening must ask for what the first one got, or SDL_mixer closes the first.
    int frequency = kMixFrequency, channels = kMixChannels;
    Uint16 format = MIX_DEFAULT_FORMAT;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) {
        frequency = kMixFrequency;
        format = MIX_DEFAULT_FORMAT;
        channels = kMixChannels;
    }
    if (Mix_OpenAudio(frequency, format, channels, kMixChunkFrames) != 0) {
        std::string error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        throw std::runtime_error("Cannot open the sound device: " + error);
    }
    open_ = true;
    ApplyEffectsVolume();
    Mix_VolumeMusic(g_musicVolume);
}

void SoundDevice::Close() {
    if (!open_) return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

void SetEffectsVolume(int mixVolume) {
    g_effectsVolume = std::clamp(mixVolume, 0, MIX_MAX_VOLUME);
    ApplyEffectsVolume();
}

int EffectsVolume() {
    return g_effectsVolume;
}

void SetMixerMusicVolume(int mixVolume) {
    g_musicVolume = std::clamp(mixVolume, 0, MIX_MAX_VOLUME);
    Mix_VolumeMusic(g_musicVolume);
}

int MixerMusicVolume() {
    return g_musicVolume;
}

// ---- sound items

namespace {
struct SoundCopy {
    int Channel;
    uint64_t Started;  // order of the last start, for finding the oldest copy
};
}  // namespace

struct SoundItem::Impl {
    std::string name;
    bool looped = false;
    int maxPlayingCount = 0;
    Mix_Chunk* chunk = nullptr;  // null for an item without sound data
    std::vector<SoundCopy> copies;
    int startsThisTick = 0;

    ~Impl() {
        for (const SoundCopy& copy : copies) ReturnChannel(copy.Channel);
        if (chunk) Mix_FreeChunk(chunk);
    }

    void Start(SoundCopy& copy) {
        EnsureChannelExists(copy.Channel);
        Mix_PlayChannel(copy.Channel, chunk, looped ? -1 : 0);
        copy.Started = ++g_startCounter;
    }

    SoundCopy& AddCopy() {
        copies.push_back(SoundCopy{TakeChannel(), 0});
        return copies.back();
    }

    // The copy this play goes to, made when needed.
    SoundCopy& ChooseCopy() {
        if (looped) return copies.empty() ? AddCopy() : copies.front();
        for (SoundCopy& copy : copies)
            if (!Mix_Playing(copy.Channel)) return copy;
        if (maxPlayingCount == 0 || static_cast<int>(copies.size()) < maxPlayingCount)
            return AddCopy();
        return *std::min_element(
            copies.begin(), copies.end(),
            [](const SoundCopy& a, const SoundCopy& b) { return a.Started < b.Started; });
    }
};

SoundItem::SoundItem(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SoundItem::~SoundItem() = default;
const std::string& SoundItem::Name() const {
    return impl_->name;
}
bool SoundItem::Looped() const {
    return impl_->looped;
}
int SoundItem::MaxPlayingCount() const {
    return impl_->maxPlayingCount;
}
int SoundItem::CopyCount() const {
    return static_cast<int>(impl_->copies.size());
}

void SoundItem::PlayItem(bool) {
    if (!impl_->chunk || !MixerOpen()) return;
    if (impl_->startsThisTick >= kCopiesPerTick) return;
    ++impl_->startsThisTick;
    impl_->Start(impl_->ChooseCopy());
}

void SoundItem::NextTick() {
    impl_->startsThisTick = 0;
}

void SoundItem::StopItem() {
    if (!MixerOpen()) return;
    int count = Mix_AllocateChannels(-1);
    for (const SoundCopy& copy : impl_->copies)
        if (copy.Channel < count) Mix_HaltChannel(copy.Channel);
}

int SoundItem::PlayingCount() const {
    if (!MixerOpen()) return 0;
    int playing = 0;
    for (const SoundCopy& copy : impl_->copies)
        if (Mix_Playing(copy.Channel)) ++playing;
    return playing;
}

bool SoundItem::IsPlaying() const {
    return PlayingCount() > 0;
}

// ---- wave list

namespace {
std::unique_ptr<SoundItem> MakeSoundItem(const SoundData& data, const std::string& path) {
    auto impl = std::make_unique<SoundItem::Impl>();
    impl->name = data.Name;
    impl->looped = data.Looped;
    impl->maxPlayingCount = std::max(0, data.MaxPlayingCount);
    if (!data.Wave.empty()) {
        SDL_RWops* rw = SDL_RWFromConstMem(data.Wave.data(), static_cast<int>(data.Wave.size()));
        impl->chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
        if (!impl->chunk) throw FileError(path + ": sound '" + data.Name + "': " + Mix_GetError());
    }
    return std::make_unique<SoundItem>(std::move(impl));
}
}  // namespace

WaveList::WaveList() = default;
WaveList::~WaveList() = default;

void WaveList::LoadSounds(const std::string& path) {
    std::vector<SoundData> sounds = ReadSoundLibrary(ReadFileBytes(path), path);
    std::vector<std::unique_ptr<SoundItem>> loaded;
    loaded.reserve(sounds.size());
    for (const SoundData& sound : sounds) loaded.push_back(MakeSoundItem(sound, path));
    items_.swap(loaded);
}

SoundItem& WaveList::FindSound(const std::string& name) {
    for (auto& item : items_)
        if (SameNameIgnoringCase(item->Name(), name)) return *item;
    throw std::runtime_error("Wave '" + name + "' not found");
}

void WaveList::NextTick() {
    for (auto& item : items_) item->NextTick();
}

void WaveList::Clear() {
    items_.clear();
}
