// A PNG contact sheet of a picture library: every picture with its name, patterns outlined.
#pragma once

#include <string>
#include <vector>

#include "media/library_format.h"

void WriteContactSheet(const std::string& path, const std::vector<PictureData>& pictures);
