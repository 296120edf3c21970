// Reader of the serialized component stream that fills a media library file (".dxg").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "media/byte_io.h"

// Value tags of the component stream.
enum ValueTag : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
};

// A byte range of the file: the payload of a binary value.
struct ByteRange {
    size_t Begin = 0;
    size_t End = 0;
    size_t Size() const { return End - Begin; }
};

// Walks one library file: the resource entry header, the "TPF0" signature, the root object,
// its property list, collections of items and their property lists. The caller drives it with
// the property names it knows and skips the others with SkipValue. Every error is a FileError
// "<file>: <context>: <problem>"; the context names the item being read (SetContext).
class ComponentStream {
  public:
    // Checks the resource entry header and the signature ("Invalid stream format" otherwise).
    ComponentStream(const Bytes& bytes, std::string fileName);

    const std::string& FileName() const { return fileName_; }
    const Bytes& FileBytes() const { return bytes_; }
    // What error messages name as the place being read, e.g. "picture 'logo'".
    void SetContext(std::string context) { context_ = std::move(context); }
    const std::string& Context() const { return context_; }

    // The root object header; returns the class name.
    std::string ReadRootHeader();
    // The next property name of the current property list; empty at the end of the list (the
    // terminating byte is consumed).
    std::string NextPropertyName();
    // The end of the root's (empty) child list.
    void ReadChildListEnd();

    int32_t ReadInteger(const std::string& property);     // tags 2, 3, 4
    bool ReadBoolean(const std::string& property);        // tags 8, 9
    std::string ReadString(const std::string& property);  // tags 6, 7, 12, 18
    uint32_t ReadColor(const std::string& property);      // integer or colour identifier
    ByteRange ReadBinary(const std::string& property);    // tag 10
    void SkipValue();                                     // any value, nested ones included

    // A collection value: BeginCollection, then NextItem before each item's property list.
    void BeginCollection(const std::string& property);
    // Consumes the optional order value and the list tag of the next item; false at the end.
    bool NextItem();

    [[noreturn]] void Fail(const std::string& problem) const;

  private:
    uint8_t ReadTag(const std::string& property);
    void SkipValueAt(int depth);
    std::string ReadWideString();
    [[noreturn]] void WrongTag(const std::string& property, uint8_t tag,
                               const char* expected) const;
    std::string What(const std::string& part) const;

    const Bytes& bytes_;
    std::string fileName_;
    ByteReader in_;
    std::string context_;
};

// The colour value (0x00BBGGRR) of a colour identifier such as "clFuchsia"; false when unknown.
bool ColorFromIdent(const std::string& ident, uint32_t& color);

// Property names compare without regard to letter case.
bool SameName(const std::string& a, const char* b);
