// Reading the text of the configuration file the way its fixed layout needs: whole lines, and
// values found after the next "=" whatever key precedes it.
#pragma once

#include <cstdint>
#include <string>

class ConfigText {
  public:
    // `name` is the file name that starts every message.
    ConfigText(std::string text, std::string name)
        : text_(std::move(text)), name_(std::move(name)) {}

    // The rest of the current line, at most 255 characters, without its line end; moves to the
    // next line.
    std::string ReadLine();
    void SkipLines(int count);
    // The text between the next "= " (or "=" when no space follows) and the following ";" (or
    // the end of the file), at most 255 characters kept; a ";" right after "=" is itself the
    // value. Then moves to the next line. Throws FileError naming the file, line and `key` when
    // no "=" is left.
    std::string ReadValue(const std::string& key);
    // ReadValue converted: an optional sign and decimal digits in int32 range, or FileError
    // "<file>, line N: '<text>' is not a valid integer value".
    int32_t ReadInteger(const std::string& key);
    // The line where the last value began.
    int ValueLine() const { return valueLine_; }
    [[noreturn]] void Fail(int line, const std::string& message) const;

  private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Next();

    std::string text_;
    std::string name_;
    size_t pos_ = 0;
    int line_ = 1;
    int valueLine_ = 0;
};

// An optional sign followed by decimal digits, within int32; false for anything else.
bool ParseConfigInteger(const std::string& text, int32_t& value);
