// Recovery copies of unsaved work.
#include "model/recovery.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "level/level_set_reader.h"
#include "level/level_writer.h"
#include "media/byte_io.h"
#include "store/atomic_write.h"

namespace {

constexpr const char* kFirstLine = "tolmara-editor recovery";

std::string Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// Reads "WORD VALUES...\n" at `at`; false at the end or on a malformed line.
bool ReadLine(const std::string& text, size_t& at, std::string& line) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) return false;
    line = text.substr(at, end - at);
    at = end + 1;
    return true;
}

std::string WholePath(const std::string& path) {
    if (path.empty()) return "";
    std::error_code error;
    return std::filesystem::absolute(path, error).lexically_normal().string();
}

}  // namespace

std::string RecoveryFileOf(const std::string& saveDir, const std::string& setPath) {
    std::filesystem::path folder = std::filesystem::path(saveDir) / "editor-recovery";
    if (setPath.empty()) return (folder / "unnamed.recovery").string();
    std::string whole = WholePath(setPath);
    uint64_t hash = 1469598103934665603ull;  // FNV-1a of the whole path
    for (unsigned char ch : whole) {
        hash ^= ch;
        hash *= 1099511628211ull;
    }
    char hex[20];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    std::string stem = std::filesystem::path(setPath).stem().string();
    return (folder / (stem + "-" + hex + ".recovery")).string();
}

void WriteRecovery(const std::string& path, const std::string& opened, const std::string& file,
                   const LevelSetData& set, const std::vector<RecoveredProof>& proofs) {
    std::string text = std::string(kFirstLine) + "\ndate " + Now() + "\nopened " +
                       WholePath(opened) + "\nfile " + WholePath(file) + "\n";
    for (const RecoveredProof& p : proofs) {
        std::string replay = ReplayScriptText(p.Made.Script, "unsaved proof");
        text += "proof " + std::to_string(p.Index) + " " + std::to_string(p.Made.Fingerprint) +
                " " + (p.Made.Makes ? "1" : "0") + " " + std::to_string(replay.size()) + "\n" +
                replay;
    }
    Bytes levels = WriteLevelSet(set);
    text += "set " + std::to_string(levels.size()) + "\n";
    Bytes bytes(text.begin(), text.end());
    bytes.insert(bytes.end(), levels.begin(), levels.end());
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    WriteFileAtomically(path, bytes);
}

std::optional<Recovery> ReadRecovery(const std::string& path) {
    if (!PathExists(path)) return std::nullopt;
    try {
        Bytes bytes = ReadFileBytes(path, kLargestLevelSet + (64u << 20));
        std::string text(bytes.begin(), bytes.end());
        size_t at = 0;
        std::string line;
        if (!ReadLine(text, at, line) || line != kFirstLine) return std::nullopt;
        Recovery recovery;
        while (ReadLine(text, at, line)) {
            std::istringstream words(line);
            std::string word;
            words >> word;
            if (word == "date") {
                recovery.Date = line.substr(5);
            } else if (word == "opened") {
                recovery.Opened = line.substr(std::min<size_t>(7, line.size()));
            } else if (word == "file") {
                recovery.File = line.substr(std::min<size_t>(5, line.size()));
            } else if (word == "proof") {
                RecoveredProof p;
                int makes = 0;
                size_t size = 0;
                words >> p.Index >> p.Made.Fingerprint >> makes >> size;
                if (!words || size > text.size() - at) return std::nullopt;
                p.Made.Script = ParseReplay(text.substr(at, size), path);
                p.Made.Makes = makes != 0;
                at += size;
                recovery.Proofs.push_back(std::move(p));
            } else if (word == "set") {
                size_t size = 0;
                words >> size;
                if (!words || size != text.size() - at) return std::nullopt;
                Bytes levels(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
                ByteReader in(levels, path);
                LevelSetIndex index = ReadLevelSetIndex(in);
                if (!IndexProblems(index, levels.size()).empty()) return std::nullopt;
                recovery.Set.SetHeader = index.SetHeader;
                recovery.Set.SetName = index.SetName;
                for (int n = 1; n <= index.LevelCount; ++n)
                    recovery.Set.Levels.push_back(ReadLevelRecord(in, index, n));
                if (recovery.Set.Levels.empty()) return std::nullopt;
                return recovery;
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<std::pair<std::string, Recovery>> RecoveriesOf(const std::string& saveDir,
                                                           const std::string& path) {
    std::vector<std::pair<std::string, Recovery>> found;
    std::string own = RecoveryFileOf(saveDir, path), whole = WholePath(path);
    if (std::optional<Recovery> r = ReadRecovery(own)) found.emplace_back(own, std::move(*r));
    std::error_code error;
    std::filesystem::path folder = std::filesystem::path(saveDir) / "editor-recovery";
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string file = it->path().string();
        if (file == own || it->path().extension() != ".recovery") continue;
        std::optional<Recovery> r = ReadRecovery(file);
        if (!r) continue;
        bool named = !r->Opened.empty() || !r->File.empty();
        if ((!whole.empty() && (r->Opened == whole || r->File == whole)) || !named)
            found.emplace_back(file, std::move(*r));
    }
    return found;
}
