// Whole-file reading.
#include "media/byte_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Closes the file however the reading ends.
class OpenFile {
  public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

Bytes ReadFileBytes(const std::string& path, size_t largest) {
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Fd() < 0) throw FileError(path + ": cannot open file");
    struct stat st {};
    if (::fstat(file.Fd(), &st) != 0) throw FileError(path + ": cannot read file");
    if (S_ISDIR(st.st_mode)) throw FileError(path + ": cannot open file (a folder)");
    if (!S_ISREG(st.st_mode)) throw FileError(path + ": cannot open file (not a regular file)");
    const auto size = static_cast<uint64_t>(st.st_size);
    if (size > largest)
        throw FileError(path + ": the file is too large (" + std::to_string(size) +
                        " bytes, at most " + std::to_string(largest) + ")");
    Bytes bytes(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(file.Fd(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw FileError(path + ": cannot read file");
        done += static_cast<size_t>(n);
    }
    return bytes;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}
