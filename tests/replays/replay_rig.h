// The data folder of a replay test: the shared plain-coloured test data, with the replay's level
// set compiled from its level source in tests/replays/data.
#pragma once

#include <string>

#include "app/replay_run.h"
#include "support/test_support.h"

// tests/replays/data/, with its trailing separator.
std::string ReplayDataDir();
std::string ReadText(const std::string& path);

// A temporary data folder for a replay: pictures, sounds, configuration and the standard level
// set of the test data, then the level set named by the script's `levels` line built from the
// source of the same name with ".lvl" (when the source exists).
class ReplayFolder {
  public:
    explicit ReplayFolder(const ReplayScript& script);
    const std::string& Path() const { return dir_.Path(); }

  private:
    TempDir dir_;
};

// Compiles a level source of tests/replays/data into a level set file.
void BuildLevelSet(const std::string& sourceName, const std::string& outPath);
