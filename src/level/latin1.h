// Conversion between the UTF-8 of text sources and the 8-bit Latin-1 text of the game's files.
#pragma once

#include <optional>
#include <string>

// The Latin-1 bytes of UTF-8 text. On failure returns nothing and sets `problem` (what is wrong)
// and `badIndex` (byte index of the offending character in `utf8`).
std::optional<std::string> ConvertUtf8ToLatin1(const std::string& utf8, std::string& problem,
                                               size_t& badIndex);
// The UTF-8 form of Latin-1 text; every byte has one.
std::string ConvertLatin1ToUtf8(const std::string& latin1);
