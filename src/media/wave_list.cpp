// Placeholder until this part of the game is written.
#include "media/wave_list.h"

#include <stdexcept>

struct SoundItem::Impl {
    std::string name;
};
SoundDevice::~SoundDevice() = default;
void SoundDevice::OpenSoundDevice() { throw std::runtime_error("no sound"); }
void SoundDevice::Close() {}
SoundItem::SoundItem(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SoundItem::~SoundItem() = default;
const std::string& SoundItem::Name() const { return impl_->name; }
void SoundItem::PlayItem(bool) {}
void SoundItem::StopItem() {}
bool SoundItem::IsPlaying() const { return false; }
WaveList::WaveList() = default;
WaveList::~WaveList() = default;
void WaveList::LoadSounds(const std::string&) {}
SoundItem& WaveList::FindSound(const std::string& name) { throw std::runtime_error("Wave '" + name + "' not found"); }
void WaveList::Clear() { items_.clear(); }
