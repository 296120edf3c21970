// Placeholder until the pictures are drawn.
#include "assetbuild/assets.h"

std::vector<PictureData> BuildMenuPictures() { return {}; }
