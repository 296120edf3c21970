// One running game per save folder: two games writing the same players and settings files
// would each overwrite what the other saved.
#pragma once

#include <string>

// The name of the lock file in a save folder.
inline constexpr const char* kLockFileName = "tolmara.lock";

// Holds the lock of a save folder for as long as the object lives (a lock on the file
// "tolmara.lock" in it, which the system drops when the process ends, however it ends).
class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of `folder` (with its trailing '/'). Throws FileError naming the folder when
    // another running game holds it. A folder where no lock file can be made (read-only, or a
    // file system without locks) is not locked: nothing can be saved there to be lost, and the
    // saves themselves report why they fail.
    void Take(const std::string& folder);
    // Lets go of the lock (also done by the destructor).
    void Release();
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};
