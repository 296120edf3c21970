// Conversion between UTF-8 and Latin-1.
#include "level/latin1.h"

#include <cstdint>
#include <cstdio>

std::optional<std::string> ConvertUtf8ToLatin1(const std::string& utf8, std::string& problem,
                                               size_t& badIndex) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        auto b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        // Two-byte sequences C2 80 .. C3 BF are U+0080 .. U+00FF; everything else is either
        // outside Latin-1 or not UTF-8 at all.
        int length = b >= 0xF8 ? 5 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        bool complete = length > 1 && i + length <= utf8.size();
        uint32_t code = b & (0x7F >> length);
        for (int k = 1; complete && k < length; ++k) {
            auto next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) complete = false;
            code = (code << 6) | (next & 0x3F);
        }
        badIndex = i;
        if (!complete || length > 4) {
            problem = "the text is not valid UTF-8";
            return std::nullopt;
        }
        if (code > 0xFF) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
            problem = std::string("the character ") + hex + " has no Latin-1 form";
            return std::nullopt;
        }
        if (code < 0x80) {
            problem = "the text is not valid UTF-8 (overlong form)";
            return std::nullopt;
        }
        out += static_cast<char>(code);
        i += static_cast<size_t>(length);
    }
    return out;
}

std::string ConvertLatin1ToUtf8(const std::string& latin1) {
    std::string out;
    for (char ch : latin1) {
        auto b = static_cast<uint8_t>(ch);
        if (b < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}
