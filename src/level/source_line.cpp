// Reading the arguments of a level source line.
#include "level/source_line.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "level/latin1.h"
#include "level/level_source.h"

void SourceFail(const SourcePlace& place, int column, const std::string& message) {
    std::string where =
        (place.File ? *place.File : std::string("?")) + ", line " + std::to_string(place.Line);
    if (column > 0) where += ", column " + std::to_string(column);
    throw LevelSourceError(where + ": " + message);
}

std::string QuoteSourceText(const std::string& text) {
    constexpr size_t kShown = 40;
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "'";
    for (size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += text[i];
        }
    }
    if (text.size() > kShown) out += "...";
    return out + "'";
}

namespace {

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

}  // namespace

int ColumnOf(const std::string& text, size_t index) {
    int column = 1;
    for (size_t i = 0; i < index && i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
    return column;
}

void ArgReader::SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

int ArgReader::NextColumn() {
    SkipBlanks();
    return ColumnOf(text_, pos_);
}

std::string ArgReader::Word() {
    SkipBlanks();
    size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t') ++pos_;
    return text_.substr(start, pos_ - start);
}

int32_t ArgReader::Int(const char* what) {
    int column = NextColumn();
    std::string word = Word();
    if (word.empty()) Fail(column, std::string("missing ") + what);
    size_t digits = (word[0] == '-' || word[0] == '+') ? 1 : 0;
    bool valid = word.size() > digits;
    for (size_t i = digits; i < word.size(); ++i)
        if (word[i] < '0' || word[i] > '9') valid = false;
    if (!valid)
        Fail(column, std::string(what) + ": " + QuoteSourceText(word) + " is not a whole number");
    errno = 0;
    long long value = std::strtoll(word.c_str(), nullptr, 10);
    if (errno == ERANGE || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max())
        Fail(column, std::string(what) + ": " + QuoteSourceText(word) + " is too large");
    return static_cast<int32_t>(value);
}

std::string ArgReader::ToLatin1(const std::string& utf8, size_t start, int argColumn,
                                const char* what) const {
    std::string problem;
    size_t bad = 0;
    auto latin1 = ConvertUtf8ToLatin1(utf8, problem, bad);
    // `start` is where utf8 begins in the line; escapes shift later positions a little, which
    // only matters for names holding both escapes and characters outside Latin-1.
    if (!latin1) Fail(ColumnOf(text_, start + bad), std::string(what) + ": " + problem);
    if (latin1->size() > 255)
        Fail(argColumn, std::string(what) + " is " + std::to_string(latin1->size()) +
                            " bytes long in Latin-1, at most 255");
    return *latin1;
}

std::string ArgReader::Name(const char* what) {
    int column = NextColumn();
    if (pos_ >= text_.size() || text_[pos_] != '"')
        Fail(column, std::string("expected ") + what + " in double quotes");
    size_t start = ++pos_;
    std::string utf8;
    while (true) {
        if (pos_ >= text_.size()) Fail(column, std::string(what) + " lacks its closing quote");
        char ch = text_[pos_++];
        if (ch == '"') break;
        if (ch == '\\') {
            // \" and \\ stand for themselves; \xNN for a byte of 00 to 7F, such as a control
            // byte that the line could not hold as it is.
            char next = pos_ < text_.size() ? text_[pos_] : '\0';
            const int high = pos_ + 1 < text_.size() ? HexValue(text_[pos_ + 1]) : -1;
            const int low = pos_ + 2 < text_.size() ? HexValue(text_[pos_ + 2]) : -1;
            if (next == 'x' && high >= 0 && high < 8 && low >= 0) {
                ch = static_cast<char>(high * 16 + low);
                pos_ += 3;
            } else if (next == '"' || next == '\\') {
                ch = next;
                ++pos_;
            } else {
                Fail(ColumnOf(text_, pos_ - 1),
                     "only \\\", \\\\ and \\x00 to \\x7F may follow a backslash");
            }
        }
        utf8 += ch;
    }
    return ToLatin1(utf8, start, column, what);
}

std::string ArgReader::NameOrWord(const char* what) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '"') return Name(what);
    size_t start = pos_;
    std::string word = Word();
    if (word.empty()) Fail(ColumnOf(text_, start), std::string("missing ") + what);
    return ToLatin1(word, start, ColumnOf(text_, start), what);
}

void ArgReader::End(const std::string& directive) {
    SkipBlanks();
    if (pos_ < text_.size())
        Fail(ColumnOf(text_, pos_),
             "unexpected text after the arguments of " + QuoteSourceText(directive));
}
