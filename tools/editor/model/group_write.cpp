// Groups of files written whole or not at all.
#include "model/group_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "store/atomic_write.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPlan = "plan";

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Carries out a plan: "put N PATH" moves the journal's file N to PATH, "remove PATH" removes it.
// Every step can be done again: a file already moved is no longer in the journal.
void CarryOut(const fs::path& journal) {
    Bytes bytes = ReadFileBytes((journal / kPlan).string());
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    std::vector<fs::path> touched;
    while (std::getline(lines, line)) {
        std::error_code error;
        if (line.rfind("put ", 0) == 0) {
            size_t space = line.find(' ', 4);
            if (space == std::string::npos) continue;
            fs::path from = journal / line.substr(4, space - 4), to = line.substr(space + 1);
            if (!fs::exists(from, error)) continue;
            fs::rename(from, to, error);
            if (error)
                throw FileError(to.string() + ": cannot write file (" + error.message() + ")");
            touched.push_back(to.parent_path());
        } else if (line.rfind("remove ", 0) == 0) {
            fs::path gone = line.substr(7);
            fs::remove(gone, error);
            touched.push_back(gone.parent_path());
        }
    }
    for (const fs::path& folder : touched) SyncFolder(folder);
}

}  // namespace

std::string JournalFolderOf(const std::string& file) {
    fs::path path(file);
    std::string name = path.filename().string();
    if (name.empty()) name = path.parent_path().filename().string();  // a folder's own journal
    fs::path folder = path.has_filename() ? path.parent_path() : path.parent_path().parent_path();
    if (folder.empty()) folder = ".";
    return (folder / ("." + name + ".saving")).string();
}

void WriteGroup(const std::string& journal, const std::vector<GroupFile>& files,
                const std::vector<std::string>& removed) {
    FinishGroupWrite(journal);
    // What would stop a file being put in place stops the save before anything is written.
    for (const GroupFile& file : files) {
        fs::path folder = fs::absolute(file.Path).parent_path();
        std::error_code error;
        if (fs::is_directory(file.Path, error))
            throw FileError(file.Path + ": cannot write file (Is a directory)");
        if (!fs::is_directory(folder, error))
            throw FileError(file.Path + ": cannot write file (No such file or directory)");
        if (::access(folder.c_str(), W_OK) != 0)
            throw FileError(file.Path + ": cannot write file (Permission denied)");
    }
    std::error_code error;
    fs::create_directory(journal, error);
    if (error) throw FileError(journal + ": cannot make the folder (" + error.message() + ")");
    try {
        std::string plan;
        for (size_t i = 0; i < files.size(); ++i) {
            std::string name = std::to_string(i + 1);
            WriteFileAtomically((fs::path(journal) / name).string(), files[i].Content);
            plan += "put " + name + " " + fs::absolute(files[i].Path).string() + "\n";
        }
        for (const std::string& path : removed)
            plan += "remove " + fs::absolute(path).string() + "\n";
        // The plan written whole is the moment the new group takes the old one's place.
        WriteFileAtomically((fs::path(journal) / kPlan).string(), Bytes(plan.begin(), plan.end()));
    } catch (...) {
        fs::remove_all(journal, error);
        throw;
    }
    FinishGroupWrite(journal);
}

void FinishGroupWrite(const std::string& journal) {
    std::error_code error;
    if (!fs::exists(journal, error)) return;
    if (fs::exists(fs::path(journal) / kPlan, error)) CarryOut(journal);
    fs::remove_all(journal, error);
    SyncFolder(fs::path(journal).parent_path());
}
