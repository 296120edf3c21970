// A line of a level source being read: positions for messages and the reading of arguments.
#pragma once

#include <cstdint>
#include <string>

// Where a line came from; messages name the file, the line and a column.
struct SourcePlace {
    const std::string* File = nullptr;
    int Line = 0;
};

// Throws LevelSourceError "<file>, line L[, column C]: message" (column 0 leaves it out).
[[noreturn]] void SourceFail(const SourcePlace& place, int column, const std::string& message);

// Text of a source as a message quotes it, in single quotes: control bytes written as \xNN, and
// cut after 40 bytes.
std::string QuoteSourceText(const std::string& text);

// The 1-based column of byte `index` of a UTF-8 line (characters, not bytes, are counted).
int ColumnOf(const std::string& text, size_t index);

// Reads the arguments of a directive from one line, left to right.
class ArgReader {
  public:
    ArgReader(SourcePlace place, const std::string& text, size_t pos)
        : place_(place), text_(text), pos_(pos) {}

    // The next run of non-blank characters ("" at the end of the line).
    std::string Word();
    // A whole number in int32 range; `what` names it in messages.
    int32_t Int(const char* what);
    // A double-quoted name with \", \\ and \xNN (00 to 7F) escapes, converted to Latin-1, at
    // most 255 bytes.
    std::string Name(const char* what);
    // A quoted name or a plain word, converted to Latin-1.
    std::string NameOrWord(const char* what);
    // Refuses anything but blanks after the arguments of `directive`.
    void End(const std::string& directive);
    // The column where the next argument starts.
    int NextColumn();

    [[noreturn]] void Fail(int column, const std::string& message) const {
        SourceFail(place_, column, message);
    }

  private:
    void SkipBlanks();
    // `start` is the byte index of utf8's first character in the line, `argColumn` the column of
    // the argument (its opening quote, if any).
    std::string ToLatin1(const std::string& utf8, size_t start, int argColumn,
                         const char* what) const;

    SourcePlace place_;
    const std::string& text_;
    size_t pos_;
};
