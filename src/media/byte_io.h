// Little-endian reading and writing over byte buffers; every read is checked against what remains.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Thrown by every reader of the game's files; the message names the file and the problem.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a whole file; throws FileError "<path>: cannot open file" when it cannot be read.
Bytes ReadFileBytes(const std::string& path);

// Writes a whole file through a temporary file beside it and a rename, so that a crash or a full
// disk never leaves a truncated file in place of the old one. Throws FileError on failure.
void WriteFileAtomically(const std::string& path, const Bytes& bytes);

// A cursor over a byte buffer. Every read checks the remaining length first and throws FileError
// "<name>: <what>: unexpected end of file at offset N" instead of reading past the end.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size, std::string name)
        : data_(data), size_(size), name_(std::move(name)) {}
    explicit ByteReader(const Bytes& bytes, std::string name)
        : ByteReader(bytes.data(), bytes.size(), std::move(name)) {}

    size_t Position() const { return pos_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - pos_; }
    const std::string& Name() const { return name_; }
    const uint8_t* Data() const { return data_; }

    void Seek(size_t pos, const char* what) {
        if (pos > size_) Fail(what, "offset " + std::to_string(pos) + " lies outside the file");
        pos_ = pos;
    }
    void Skip(size_t n, const char* what) {
        Need(n, what);
        pos_ += n;
    }
    void Need(size_t n, const char* what) const {
        if (n > Remaining()) Fail(what, "unexpected end of file at offset " + std::to_string(pos_));
    }
    uint8_t U8(const char* what) {
        Need(1, what);
        return data_[pos_++];
    }
    int8_t I8(const char* what) { return static_cast<int8_t>(U8(what)); }
    uint16_t U16(const char* what) {
        Need(2, what);
        uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    int16_t I16(const char* what) { return static_cast<int16_t>(U16(what)); }
    uint32_t U32(const char* what) {
        Need(4, what);
        uint32_t v = static_cast<uint32_t>(data_[pos_]) |
                     (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                     (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
                     (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    int32_t I32(const char* what) { return static_cast<int32_t>(U32(what)); }
    uint64_t U64(const char* what) {
        uint64_t lo = U32(what);
        uint64_t hi = U32(what);
        return lo | (hi << 32);
    }
    // One length byte, then that many bytes of 8-bit text.
    std::string ShortString(const char* what) {
        uint8_t n = U8(what);
        return Text(n, what);
    }
    std::string Text(size_t n, const char* what) {
        Need(n, what);
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return s;
    }
    const uint8_t* Take(size_t n, const char* what) {
        Need(n, what);
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    [[noreturn]] void Fail(const std::string& what, const std::string& problem) const {
        throw FileError(name_ + ": " + what + ": " + problem);
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    std::string name_;
};

// Appends little-endian values to a byte buffer.
class ByteWriter {
  public:
    Bytes& Out() { return out_; }
    const Bytes& Out() const { return out_; }
    void U8(uint8_t v) { out_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Raw(const void* p, size_t n) {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void Raw(const std::string& s) { Raw(s.data(), s.size()); }
    void Raw(const Bytes& b) { Raw(b.data(), b.size()); }
    // Writes a short string; longer text than 255 bytes is a caller error.
    void ShortString(const std::string& s) {
        if (s.size() > 255) throw std::length_error("string longer than 255 bytes: " + s);
        U8(static_cast<uint8_t>(s.size()));
        Raw(s);
    }

  private:
    Bytes out_;
};
