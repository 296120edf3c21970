// Placeholder until the sounds are synthesised.
#include "assetbuild/assets.h"

std::vector<SoundData> BuildSounds(const std::string&) { return {}; }
