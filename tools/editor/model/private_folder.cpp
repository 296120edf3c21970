// The editor's private temporary folders.
#include "model/private_folder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

namespace {

constexpr const char* kPrefix = "tolmara-editor-";

std::filesystem::path TempFolder() {
    std::error_code error;
    std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : temp;
}

}  // namespace

int RemoveStalePrivateFolders() {
    const std::string prefix = kPrefix;
    const time_t now = std::time(nullptr);
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TempFolder(), error)) {
        const std::string name = entry.path().filename().string();
        struct stat st {};
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0 ||
            ::lstat(entry.path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid() || now - st.st_mtime < 24 * 60 * 60)
            continue;
        std::error_code ignored;
        if (std::filesystem::remove_all(entry.path(), ignored) > 0) ++removed;
    }
    return removed;
}

PrivateFolder::PrivateFolder() {
    std::filesystem::path temp = TempFolder();
    std::string pattern = (temp / (std::string(kPrefix) + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkdtemp makes the folder with mode 0700 under a name that did not exist.
    if (!::mkdtemp(name.data()))
        throw FileError(temp.string() + ": cannot make a private folder (" + std::strerror(errno) +
                        ")");
    path_ = std::string(name.data()) + "/";
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string PrivateFolder::WriteNew(const std::string& name, const Bytes& bytes) {
    std::string path = path_ + name;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throw FileError(path + ": cannot write file (" + std::strerror(errno) + ")");
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int why = n < 0 ? errno : ENOSPC;
            ::close(fd);
            throw FileError(path + ": cannot write file (" + std::strerror(why) + ")");
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return path;
}
