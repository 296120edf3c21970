// Reader of the serialized component stream that fills a media library file (".dxg").
#include "media/component_stream.h"

#include <cctype>
#include <cstring>

namespace {

const char kInvalidStream[] = "Invalid stream format";

// Nested lists deeper than this are not something our libraries contain; the limit keeps a
// hostile file from exhausting the stack.
const int kMaxNesting = 64;

struct NamedColor {
    const char* Name;
    uint32_t Value;  // 0x00BBGGRR
};

const NamedColor kColors[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};

// Position of the component stream after the resource entry header: 0xFF, type 10, a
// zero-terminated name, memory flags (2 bytes) and data size (4 bytes). Only the first 79 bytes
// are examined, as the name is at most 63 characters.
size_t StreamStart(const Bytes& bytes, const std::string& fileName) {
    size_t examined = bytes.size() < 79 ? bytes.size() : 79;
    if (examined < 3 || bytes[0] != 0xFF || bytes[1] != 10 || bytes[2] != 0)
        throw FileError(fileName + ": " + kInvalidStream);
    const void* end = std::memchr(bytes.data() + 3, 0, examined - 3);
    if (!end) throw FileError(fileName + ": " + kInvalidStream);
    size_t nameLength = static_cast<const uint8_t*>(end) - (bytes.data() + 3);
    size_t start = 10 + nameLength;
    if (start > bytes.size()) throw FileError(fileName + ": " + kInvalidStream);
    return start;
}

}  // namespace

bool ColorFromIdent(const std::string& ident, uint32_t& color) {
    for (const NamedColor& c : kColors) {
        if (SameName(ident, c.Name)) {
            color = c.Value;
            return true;
        }
    }
    return false;
}

bool SameName(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

ComponentStream::ComponentStream(const Bytes& bytes, std::string fileName)
    : bytes_(bytes), fileName_(std::move(fileName)), in_(bytes, fileName_) {
    in_.Seek(StreamStart(bytes, fileName_), "resource header");
    if (in_.Remaining() < 4 || std::memcmp(bytes.data() + in_.Position(), "TPF0", 4) != 0)
        throw FileError(fileName_ + ": " + kInvalidStream);
    in_.Skip(4, "signature");
}

void ComponentStream::Fail(const std::string& problem) const {
    if (context_.empty()) throw FileError(fileName_ + ": " + problem);
    throw FileError(fileName_ + ": " + context_ + ": " + problem);
}

std::string ComponentStream::What(const std::string& part) const {
    return context_.empty() ? part : context_ + ": " + part;
}

std::string ComponentStream::ReadRootHeader() {
    size_t at = in_.Position();
    uint8_t first = in_.U8(What("root header").c_str());
    if ((first & 0xF0) == 0xF0) {
        // Filer flags: 1 inherited, 2 child position (an integer follows), 4 inline.
        if (first & 0x02) ReadInteger("child position");
    } else {
        in_.Seek(at, "root header");
    }
    std::string className = in_.ShortString(What("root class name").c_str());
    in_.ShortString(What("root object name").c_str());
    return className;
}

std::string ComponentStream::NextPropertyName() {
    return in_.ShortString(What("property name").c_str());
}

void ComponentStream::ReadChildListEnd() {
    size_t at = in_.Position();
    if (in_.U8(What("child list").c_str()) != 0)
        Fail("unexpected child component at offset " + std::to_string(at));
}

void ComponentStream::WrongTag(const std::string& property, uint8_t tag,
                               const char* expected) const {
    Fail("property '" + property + "': expected " + expected + ", found value tag " +
         std::to_string(tag) + " at offset " + std::to_string(in_.Position() - 1));
}

uint8_t ComponentStream::ReadTag(const std::string& property) {
    return in_.U8(What("value of '" + property + "'").c_str());
}

int32_t ComponentStream::ReadInteger(const std::string& property) {
    uint8_t tag = ReadTag(property);
    std::string whatText = What("value of '" + property + "'");
    const char* what = whatText.c_str();
    switch (tag) {
        case vaInt8:
            return in_.I8(what);
        case vaInt16:
            return in_.I16(what);
        case vaInt32:
            return in_.I32(what);
        default:
            WrongTag(property, tag, "an integer");
    }
}

bool ComponentStream::ReadBoolean(const std::string& property) {
    uint8_t tag = ReadTag(property);
    if (tag == vaFalse) return false;
    if (tag == vaTrue) return true;
    WrongTag(property, tag, "a boolean");
}

std::string ComponentStream::ReadString(const std::string& property) {
    uint8_t tag = ReadTag(property);
    std::string whatText = What("value of '" + property + "'");
    const char* what = whatText.c_str();
    switch (tag) {
        case vaString:
        case vaIdent:
            return in_.ShortString(what);
        case vaLString:
            return in_.Text(in_.U32(what), what);
        case vaWString:
            return ReadWideString();
        default:
            WrongTag(property, tag, "a string");
    }
}

// UTF-16 text narrowed to 8 bits: characters above 255 become '?', as the game's names are
// plain ANSI text.
std::string ComponentStream::ReadWideString() {
    uint32_t count = in_.U32(What("wide string length").c_str());
    const uint8_t* p = in_.Take(static_cast<size_t>(count) * 2, What("wide string").c_str());
    std::string text(count, '?');
    for (uint32_t i = 0; i < count; ++i) {
        unsigned unit = p[2 * i] | (p[2 * i + 1] << 8);
        if (unit < 256) text[i] = static_cast<char>(unit);
    }
    return text;
}

uint32_t ComponentStream::ReadColor(const std::string& property) {
    size_t at = in_.Position();
    uint8_t tag = in_.U8(What("value of '" + property + "'").c_str());
    if (tag != vaIdent) {
        in_.Seek(at, "colour value");
        return static_cast<uint32_t>(ReadInteger(property));
    }
    std::string ident = in_.ShortString(What("value of '" + property + "'").c_str());
    uint32_t color = 0;
    if (!ColorFromIdent(ident, color))
        Fail("property '" + property + "': unknown colour '" + ident + "' at offset " +
             std::to_string(at));
    return color;
}

ByteRange ComponentStream::ReadBinary(const std::string& property) {
    uint8_t tag = ReadTag(property);
    if (tag != vaBinary) WrongTag(property, tag, "binary data");
    uint32_t size = in_.U32(What("length of '" + property + "'").c_str());
    ByteRange range{in_.Position(), 0};
    in_.Skip(size, What("data of '" + property + "'").c_str());
    range.End = in_.Position();
    return range;
}

void ComponentStream::BeginCollection(const std::string& property) {
    uint8_t tag = ReadTag(property);
    if (tag != vaCollection) WrongTag(property, tag, "a collection");
}

bool ComponentStream::NextItem() {
    uint8_t tag = in_.U8(What("collection item").c_str());
    if (tag == vaNull) return false;
    if (tag == vaInt8 || tag == vaInt16 || tag == vaInt32) {
        // The item's order value: it only matters to designers, the items stay in file order.
        in_.Skip(tag == vaInt8 ? 1 : tag == vaInt16 ? 2 : 4, What("item order value").c_str());
        tag = in_.U8(What("collection item").c_str());
    }
    if (tag != vaList) WrongTag("collection item", tag, "a list");
    return true;
}

void ComponentStream::SkipValue() {
    SkipValueAt(0);
}

namespace {

// The payload size of the values whose size the tag alone gives; -1 for the others.
int FixedPayloadSize(uint8_t tag) {
    switch (tag) {
        case vaNull:
        case vaNil:
        case vaFalse:
        case vaTrue:
            return 0;
        case vaInt8:
            return 1;
        case vaInt16:
            return 2;
        case vaInt32:
        case vaSingle:
            return 4;
        case vaCurrency:
        case vaDate:
        case vaInt64:
            return 8;
        case vaExtended:
            return 10;
        default:
            return -1;
    }
}

}  // namespace

void ComponentStream::SkipValueAt(int depth) {
    if (depth > kMaxNesting)
        Fail("values nested too deeply at offset " + std::to_string(in_.Position()));
    size_t at = in_.Position();
    uint8_t tag = in_.U8(What("value tag").c_str());
    std::string whatText = What("value");
    const char* what = whatText.c_str();
    int fixed = FixedPayloadSize(tag);
    if (fixed >= 0) {
        in_.Skip(fixed, what);
        return;
    }
    switch (tag) {
        case vaString:
        case vaIdent:
            in_.Skip(in_.U8(what), what);
            return;
        case vaBinary:
        case vaLString:
            in_.Skip(in_.U32(what), what);
            return;
        case vaWString:
            in_.Skip(static_cast<size_t>(in_.U32(what)) * 2, what);
            return;
        case vaSet:
            for (uint8_t n = in_.U8(what); n != 0; n = in_.U8(what)) in_.Skip(n, what);
            return;
        case vaList:
            while (in_.U8(what) != vaNull) {
                in_.Seek(in_.Position() - 1, what);
                SkipValueAt(depth + 1);
            }
            return;
        case vaCollection:
            while (NextItem()) {
                while (!NextPropertyName().empty()) SkipValueAt(depth + 1);
            }
            return;
        default:
            Fail("unknown value tag " + std::to_string(tag) + " at offset " + std::to_string(at));
    }
}
