// Placeholder until this part of the game is written.
#include "store/settings.h"

void ReadConfiguration(Settings&, const std::string&) {}
void WriteConfiguration(const Settings&, const std::string&) {}
