// Reading the text of the configuration file.
#include "store/config_text.h"

#include <limits>

#include "media/byte_io.h"

namespace {
constexpr size_t kMaxValue = 255;  // the longest line or value kept
}

char ConfigText::Next() {
    char ch = text_[pos_++];
    if (ch == '\n') ++line_;
    return ch;
}

void ConfigText::Fail(int line, const std::string& message) const {
    throw FileError(name_ + ", line " + std::to_string(line) + ": " + message);
}

std::string ConfigText::ReadLine() {
    std::string line;
    while (!AtEnd()) {
        char ch = Next();
        if (ch == '\n') break;
        if (line.size() < kMaxValue) line += ch;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void ConfigText::SkipLines(int count) {
    for (int i = 0; i < count; ++i) ReadLine();
}

std::string ConfigText::ReadValue(const std::string& key) {
    while (true) {
        if (AtEnd()) Fail(line_, "the file ends before the value of '" + key + "'");
        if (Next() == '=') break;
    }
    valueLine_ = line_;
    std::string value;
    if (AtEnd()) return value;
    // The character after "=" starts the value unless it is a space. A ";" there is kept as the
    // whole value ("Key =;" reads ";"); only " = ;" gives an empty value.
    char first = Next();
    if (first != ' ') value += first;
    if (first == ';') {
        ReadLine();
        return value;
    }
    while (!AtEnd()) {
        char ch = Next();
        if (ch == ';') break;
        if (value.size() < kMaxValue) value += ch;
    }
    ReadLine();
    return value;
}

int32_t ConfigText::ReadInteger(const std::string& key) {
    std::string text = ReadValue(key);
    int32_t value = 0;
    if (!ParseConfigInteger(text, value))
        Fail(valueLine_, "'" + text + "' is not a valid integer value");
    return value;
}

bool ParseConfigInteger(const std::string& text, int32_t& value) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    }
    int64_t signedValue = text[0] == '-' ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int32_t>::max()) return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}
