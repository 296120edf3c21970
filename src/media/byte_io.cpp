// Whole-file reading and crash-safe whole-file writing.
#include "media/byte_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

Bytes ReadFileBytes(const std::string& path) {
    // A folder opens as a stream here but holds no bytes (its size reads as the largest
    // offset): it is a file that cannot be opened, as on other systems.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw FileError(path + ": cannot open file (a folder)");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path + ": cannot open file");
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) throw FileError(path + ": cannot read file");
    in.seekg(0, std::ios::beg);
    Bytes bytes(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw FileError(path + ": cannot read file");
    return bytes;
}

void WriteFileAtomically(const std::string& path, const Bytes& bytes) {
    std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw FileError(path + ": cannot write file (" + std::strerror(errno) + ")");
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            throw FileError(path + ": cannot write file (" + why + ")");
        }
        done += static_cast<size_t>(n);
    }
    bool synced = ::fsync(fd) == 0;
    int syncError = errno;
    bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        std::string why = std::strerror(synced ? errno : syncError);
        ::unlink(temp.c_str());
        throw FileError(path + ": cannot write file (" + why + ")");
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        throw FileError(path + ": cannot replace file (" + why + ")");
    }
}
