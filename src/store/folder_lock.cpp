// One running game per save folder, through a lock on a file in it.
#include "store/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "media/byte_io.h"

FolderLock::~FolderLock() {
    Release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FolderLock::Take(const std::string& folder) {
    Release();
    const std::string path = folder + kLockFileName;
    // Never through a link planted at the lock file's name.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    int taken = 0;
    do {
        taken = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (taken != 0 && errno == EINTR);
    if (taken != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held) return;
        throw FileError(folder +
                        ": Tolmara Deepgrid is already running with this save folder. Close "
                        "that game first: two games on one folder would overwrite each other's "
                        "players and settings.");
    }
    fd_ = fd;
}

void FolderLock::Release() {
    if (fd_ < 0) return;
    ::close(fd_);  // the lock goes with the descriptor
    fd_ = -1;
}
