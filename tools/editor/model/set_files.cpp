// Opening and saving edited level sets.
#include "model/set_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "level/level_check.h"
#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "model/level_findings.h"
#include "store/atomic_write.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
}

LevelSetData ReadWholeSet(const Bytes& bytes, const std::string& path) {
    ByteReader in(bytes, path);
    LevelSetIndex index = ReadLevelSetIndex(in);
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) throw FileError(path + ": " + problems.front());
    LevelSetData set;
    set.SetHeader = index.SetHeader;
    set.SetName = index.SetName;
    for (int n = 1; n <= index.LevelCount; ++n) {
        LevelRecord level = ReadLevelRecord(in, index, n);
        problems = LevelProblems(level, n);
        if (!problems.empty()) throw FileError(path + ": " + problems.front());
        set.Levels.push_back(std::move(level));
    }
    return set;
}

// What the editor cannot hold is made what a level source can say.
void Normalise(LevelSetData& set, const std::string& path, std::vector<std::string>& notes) {
    for (size_t i = 0; i < set.Levels.size(); ++i) {
        LevelRecord& level = set.Levels[i];
        std::string label = path + ": level " + std::to_string(i + 1) + ": ";
        bool spare = false;
        for (LevelRecordCell& cell : level.Cells) {
            spare = spare || cell.Spare != 0;
            cell.Spare = 0;
        }
        if (spare) notes.push_back(label + "the Spare values of the cells are set to 0");
        int col = level.StartX / kCellSize, row = level.StartY / kCellSize;
        bool inside = level.StartX >= 0 && level.StartY >= 0 && col >= 1 && col <= level.Cols &&
                      row >= 1 && row <= level.Rows;
        if (inside && (level.StartX % kCellSize != 20 || level.StartY % kCellSize != 20)) {
            notes.push_back(label + "the start is moved to the centre of its cell");
            level.StartX = CellCentre(col);
            level.StartY = CellCentre(row);
        }
    }
}

}  // namespace

OpenedSet OpenSetFile(const std::string& path, const std::string& dataDir) {
    OpenedSet opened;
    if (EndsWith(path, ".lvl")) {
        Bytes bytes;
        try {
            bytes = ReadFileBytes(path);
            opened.Data = ParseLevelSources({{path, std::string(bytes.begin(), bytes.end())}});
        } catch (const std::exception& e) {
            throw SetFileError(e.what());
        }
        std::string beside = path.substr(0, path.size() - 4) + ".lev";
        if (!PathExists(beside)) opened.LevelFile = beside;
        return opened;
    }
    Bytes bytes;
    try {
        bytes = ReadFileBytes(path, kLargestLevelSet);
    } catch (const FileError& e) {
        throw SetFileError(e.what());
    }
    std::vector<CheckFinding> findings = CheckLevelSet(bytes, path, dataDir);
    std::vector<std::string> texts;
    for (const CheckFinding& f : findings) texts.push_back(f.Text);
    try {
        opened.Data = ReadWholeSet(bytes, path);
    } catch (const FileError& e) {
        if (texts.empty()) texts.push_back(e.what());
        throw SetFileError(Joined(texts));
    }
    opened.LevelFile = path;
    opened.Notes = texts;
    Normalise(opened.Data, path, opened.Notes);
    return opened;
}

std::string SourceFileName(int number, const std::string& levelName) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d-", number);
    std::string slug;
    for (char ch : levelName) {
        bool word = (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
            word = true;
        }
        if (word)
            slug += ch;
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
        if (slug.size() >= 40) break;
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return prefix + (slug.empty() ? std::string("level") : slug) + ".lvl";
}

std::string SourceTextOf(const LevelSetData& set, size_t index) {
    std::string text;
    if (index == 0 && (set.SetHeader != 0 || !set.SetName.empty()))
        text = "set " + std::to_string(set.SetHeader) + " " + QuoteSourceName(set.SetName) + "\n";
    return text + DumpLevelSource(set.Levels[index]);
}

std::vector<std::string> SaveSet(const LevelSetData& set, const std::string& levelFile,
                                 const std::vector<std::string>& previous, const std::string& keep,
                                 const std::string& sourceFolder,
                                 const std::vector<GroupFile>& with,
                                 const std::vector<std::string>& withRemoved) {
    std::string label = levelFile.empty() ? sourceFolder : levelFile;
    std::vector<LevelFinding> findings = CheckEditedSet(set);
    if (AnyErrors(findings)) {
        std::vector<std::string> errors;
        for (const LevelFinding& f : findings)
            if (!f.Warning) errors.push_back(label + ": " + f.Text);
        throw SetFileError(label + ": not saved; the set has errors:\n" + Joined(errors));
    }
    std::filesystem::path folder = sourceFolder.empty()
                                       ? std::filesystem::path(levelFile).parent_path()
                                       : std::filesystem::path(sourceFolder);
    for (size_t i = 0; i < set.Levels.size() && !keep.empty(); ++i) {
        std::filesystem::path source =
            folder / SourceFileName(static_cast<int>(i) + 1, set.Levels[i].LevelName);
        std::error_code error;
        if (std::filesystem::equivalent(source, keep, error))
            throw SetFileError(source.string() +
                               ": not saved over the level source the set was opened from; save "
                               "the set in another folder");
    }
    try {
        std::vector<GroupFile> files;
        std::vector<std::string> written;
        for (size_t i = 0; i < set.Levels.size(); ++i) {
            std::string name = SourceFileName(static_cast<int>(i) + 1, set.Levels[i].LevelName);
            std::string text = SourceTextOf(set, i);
            files.push_back({(folder / name).string(), Bytes(text.begin(), text.end())});
            written.push_back(name);
        }
        if (!levelFile.empty()) files.push_back({levelFile, WriteLevelSet(set)});
        files.insert(files.end(), with.begin(), with.end());
        std::vector<std::string> removed;
        for (const std::string& old : previous)
            if (std::find(written.begin(), written.end(), old) == written.end())
                removed.push_back((folder / old).string());
        for (const std::string& old : withRemoved) {
            bool again = false;
            for (const GroupFile& file : with) again = again || file.Path == old;
            if (!again) removed.push_back(old);
        }
        WriteGroup(SaveJournalOf(levelFile, folder.string() + "/"), files, removed);
        return written;
    } catch (const std::exception& e) {
        throw SetFileError(e.what());
    }
}

std::string SaveJournalOf(const std::string& levelFile, const std::string& sourceFolder) {
    return JournalFolderOf(levelFile.empty() ? sourceFolder : levelFile);
}

uint64_t LevelFingerprint(const LevelRecord& level) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (uint8_t byte : WriteLevelRecord(level)) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}
