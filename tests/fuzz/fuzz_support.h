// Helpers of the fuzz targets: one private scratch folder per fuzzer process, whole-file writes,
// and the built game folder that provides real data files (tile sets) to readers that need them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A folder made at the first call and removed with its files when the process exits normally;
// with a trailing separator.
const std::string& ScratchDir();

// Replaces the file with exactly these bytes; aborts when it cannot (a broken fuzzing setup, not
// a finding of the reader).
void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);

// The folder named by TOLMARA_GAME_DIR (scripts/fuzz.sh points it at the build's game folder),
// with a trailing separator; empty when unset.
std::string BuiltGameDir();

// Copies a file; false when the source cannot be read.
bool CopyWholeFile(const std::string& from, const std::string& to);
