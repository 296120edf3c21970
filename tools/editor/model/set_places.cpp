// Where edited sets, their sources and their proofs are kept.
#include "model/set_places.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "media/byte_io.h"
#include "model/proofs.h"
#include "model/set_files.h"

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool IsSourceName(const std::string& name) {
    return name.size() > 7 && std::isdigit(static_cast<unsigned char>(name[0])) &&
           std::isdigit(static_cast<unsigned char>(name[1])) && name[2] == '-' &&
           name.compare(name.size() - 4, 4, ".lvl") == 0;
}

}  // namespace

SetPlace PlaceBeside(const std::string& levelFile) {
    SetPlace place;
    place.LevelFile = levelFile;
    fs::path file(levelFile);
    std::string folder = file.parent_path().string();
    place.SourceFolder = place.ProofFolder = WithSlash(folder.empty() ? "." : folder);
    place.ProofPrefix = file.stem().string() + "-";
    place.ProofLevels = file.filename().string();
    return place;
}

SetPlace SourceTreePlace(const std::string& levelsFolder) {
    SetPlace place;
    place.SourceFolder = WithSlash(levelsFolder);
    place.SourcesOnly = true;
    fs::path levels = fs::path(place.SourceFolder).parent_path();
    place.ProofFolder = WithSlash((levels.parent_path() / "replays").string());
    place.ProofLevels = kGameSetName;
    return place;
}

std::string SourceTreeOf(const std::string& path) {
    std::error_code error;
    fs::path folder = fs::is_directory(path, error) ? fs::path(path) : fs::path(path).parent_path();
    folder = fs::weakly_canonical(folder, error);
    if (error || folder.filename() != "levels") return "";
    if (!fs::is_directory(folder.parent_path() / "replays", error)) return "";
    if (SourcesIn(folder.string()).empty()) return "";
    return WithSlash(folder.string());
}

bool IsGameSet(const std::string& path, const std::string& dataDir) {
    std::error_code error;
    return fs::equivalent(path, fs::path(dataDir) / kGameSetName, error);
}

std::vector<std::string> SourcesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (IsSourceName(it->path().filename().string()) && it->is_regular_file(error))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string CopyFileFor(const std::string& saveDir, const std::string& setFileName) {
    fs::path name(setFileName);
    std::string stem = name.stem().string();
    fs::path sets = fs::path(saveDir) / "editor-sets";
    for (int n = 1;; ++n) {
        fs::path folder = sets / (n == 1 ? stem : stem + "-" + std::to_string(n));
        std::error_code error;
        if (!fs::exists(folder, error)) return (folder / name.filename()).string();
    }
}

std::string ProofNameAt(const SetPlace& place, int number) {
    return place.ProofPrefix + ProofFileName(number);
}

std::map<int, ReplayScript> ReadProofsIn(const std::string& folder, const std::string& prefix,
                                         const std::string& levelsName, int levelCount,
                                         std::vector<std::string>& found) {
    std::map<int, ReplayScript> proofs;
    for (int i = 0; i < levelCount; ++i) {
        std::string name = prefix + ProofFileName(i + 1);
        std::string path = WithSlash(folder) + name;
        if (!PathExists(path)) continue;
        try {
            ReplayScript script = ReadReplayFile(path);
            // Another set's proof in the same folder is not this set's.
            if (fs::path(script.Levels).filename() != levelsName || script.Level != i + 1) continue;
            proofs[i] = std::move(script);
            found.push_back(name);
        } catch (const std::exception&) {
            // A replay that cannot be read is no proof; the file stays as it is.
        }
    }
    return proofs;
}

std::vector<std::string> OwnSources(const LevelSetData& set, const std::string& folder) {
    std::vector<std::string> own;
    for (size_t i = 0; i < set.Levels.size(); ++i) {
        std::string name = SourceFileName(static_cast<int>(i) + 1, set.Levels[i].LevelName);
        try {
            Bytes bytes = ReadFileBytes(WithSlash(folder) + name);
            if (std::string(bytes.begin(), bytes.end()) == SourceTextOf(set, i))
                own.push_back(name);
        } catch (const std::exception&) {
            // Not there, or not readable: not ours to replace.
        }
    }
    return own;
}
