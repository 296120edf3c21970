// Crash-safe whole-file writing through a temporary file and a rename.
#include "store/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kMostLinks = 40;  // as many links in a row as the system itself follows

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Refuse(const std::string& path, const char* doing, int error) {
    throw FileError(path + ": " + doing + " (" + std::strerror(error) + ")");
}

// The file a save of `path` really replaces: the end of its chain of links, which need not
// exist yet.
std::string FinalTarget(const std::string& path) {
    std::string target = path;
    for (int i = 0; i < kMostLinks; ++i) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::vector<char> text(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(target.c_str(), text.data(), text.size());
        if (n < 0 || static_cast<size_t>(n) >= text.size()) Refuse(path, "cannot write file", EIO);
        std::string next(text.data(), static_cast<size_t>(n));
        target = next[0] == '/' ? next : FolderOf(target) + "/" + next;
    }
    Refuse(path, "cannot write file", ELOOP);
}

// The open temporary file; removed unless the rename took it.
class TempFile {
  public:
    explicit TempFile(const std::string& target) : name_(target + ".XXXXXX.tmp") {
        fd_ = ::mkostemps(name_.data(), 4, O_CLOEXEC);
        if (fd_ < 0) name_.clear();
    }
    ~TempFile() {
        Close();
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Name() const { return name_; }
    bool Close() {
        if (fd_ < 0) return true;
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Renamed() { name_.clear(); }

  private:
    std::string name_;
    int fd_ = -1;
};

void WriteAll(const std::string& path, int fd, const Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Refuse(path, "cannot write file", n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
}

// The folder's entry of the renamed file reaches the disk too; a folder that cannot be opened
// or synced (some file systems refuse) leaves that to the system.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const Bytes& bytes) {
    const std::string target = FinalTarget(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    TempFile temp(target);
    if (temp.Fd() < 0) Refuse(path, "cannot write file", errno);
    // A new file gets the usual read-for-all permission, less what the user's mask takes away.
    mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = existed ? (old.st_mode & 07777) : (0644 & ~mask);
    if (::fchmod(temp.Fd(), mode) != 0) Refuse(path, "cannot write file", errno);
    WriteAll(path, temp.Fd(), bytes);
    if (::fsync(temp.Fd()) != 0) Refuse(path, "cannot write file", errno);
    if (!temp.Close()) Refuse(path, "cannot write file", errno);
    if (std::rename(temp.Name().c_str(), target.c_str()) != 0)
        Refuse(path, "cannot replace file", errno);
    temp.Renamed();
    SyncFolder(FolderOf(target));
}
