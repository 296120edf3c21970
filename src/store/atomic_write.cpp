// Crash-safe whole-file writing through a temporary file and a rename.
#include "store/atomic_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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
    explicit TempFile(const std::string& target)
        : name_(target + "." + std::to_string(::getpid()) + ".XXXXXX.tmp") {
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

// The age after which a temporary file is taken as left behind whatever its name says: a write
// lasts far less.
constexpr time_t kStaleAge = 60 * 60;

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char ch : text)
        if (ch < '0' || ch > '9') return false;
    return true;
}

bool RandomPart(const std::string& text) {
    if (text.size() != 6) return false;
    for (char ch : text)
        if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')))
            return false;
    return true;
}

// What a name says about the writer of a temporary file: 0 for a name the writer does not make,
// the writer's process id, or -1 for a name of the earlier form, which carried none.
long WriterOf(const std::string& name) {
    const std::string tail = ".tmp";
    if (name.size() <= tail.size() + 7 ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return 0;
    const std::string stem = name.substr(0, name.size() - tail.size());  // FILE[.PID].XXXXXX
    const size_t dot = stem.rfind('.');
    if (dot == std::string::npos || dot == 0 || !RandomPart(stem.substr(dot + 1))) return 0;
    const std::string before = stem.substr(0, dot);  // FILE[.PID]
    const size_t pidDot = before.rfind('.');
    if (pidDot != std::string::npos && pidDot > 0) {
        const std::string pid = before.substr(pidDot + 1);
        if (AllDigits(pid) && pid.size() <= 9) return std::stol(pid);
    }
    return -1;
}

bool ProcessGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

int RemoveStaleTempFiles(const std::string& folder) {
    const std::string dir = folder.empty() ? "./" : folder;
    DIR* listing = ::opendir(dir.c_str());
    if (!listing) return 0;
    const int dirFd = ::dirfd(listing);
    const time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        const long writer = WriterOf(name);
        if (writer == 0) continue;
        struct stat st {};
        // Only plain files of this user; never a link, a folder or someone else's file.
        if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const bool old = now - st.st_mtime > kStaleAge;
        const bool orphan = writer > 0 && writer != ::getpid() && ProcessGone(writer);
        if ((old || orphan) && ::unlinkat(dirFd, name.c_str(), 0) == 0) ++removed;
    }
    ::closedir(listing);
    return removed;
}

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
