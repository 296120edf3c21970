// tolmara-levels: builds level set files from level sources, checks them and prints levels back
// as sources.
//   tolmara-levels build SOURCE... OUTPUT.lev
//   tolmara-levels check [--data DIR] FILE.lev
//   tolmara-levels dump FILE.lev N
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "level/level_check.h"
#include "level/level_dump.h"
#include "level/level_set_reader.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "media/byte_io.h"
#include "store/atomic_write.h"

namespace {

constexpr int kUsageStatus = 2;

constexpr const char* kUsage =
    "usage: tolmara-levels build SOURCE... OUTPUT.lev\n"
    "       tolmara-levels check [--data DIR] FILE.lev\n"
    "       tolmara-levels dump FILE.lev N\n"
    "  build   compiles level sources (.lvl) into a level set\n"
    "  check   checks a level set as the game reads it (--data: the folder of its tile sets)\n"
    "  dump    prints level N of a level set as a level source\n";

int Usage() {
    std::cerr << kUsage;
    return kUsageStatus;
}

// Whether two names lead to the same file (either may not exist yet).
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

int Build(const std::vector<std::string>& args) {
    if (args.size() < 2) return Usage();
    const std::string& output = args.back();
    // A mistyped command must not overwrite a level source with the built set.
    if (output.size() < 4 || output.compare(output.size() - 4, 4, ".lev") != 0)
        throw std::runtime_error(output + ": the built level set must be a file ending in .lev");
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (SameFile(args[i], output))
            throw std::runtime_error(output + ": the built level set would overwrite a source");
    std::vector<LevelSourceText> sources;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        Bytes bytes = ReadFileBytes(args[i]);
        sources.push_back({args[i], std::string(bytes.begin(), bytes.end())});
    }
    LevelSetData set = ParseLevelSources(sources);
    WriteFileAtomically(args.back(), WriteLevelSet(set));
    std::cout << args.back() << ": " << set.Levels.size() << " levels\n";
    return 0;
}

int Check(const std::vector<std::string>& args, const std::string& dataDir) {
    if (args.size() != 1) return Usage();
    std::vector<CheckFinding> findings =
        CheckLevelSet(ReadFileBytes(args[0], kLargestLevelSet), args[0], dataDir);
    for (const CheckFinding& finding : findings) std::cout << finding.Text << "\n";
    return HasErrors(findings) ? 1 : 0;
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage();
    int n = 0;
    try {
        size_t used = 0;
        n = std::stoi(args[1], &used);
        if (used != args[1].size()) return Usage();
    } catch (const std::exception&) {
        return Usage();
    }
    Bytes bytes = ReadFileBytes(args[0], kLargestLevelSet);
    ByteReader in(bytes, args[0]);
    LevelSetIndex index = ReadLevelSetIndex(in);
    // The index is judged as the game and `check` judge it before any level is looked up.
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) throw FileError(args[0] + ": " + problems.front());
    std::cout << DumpLevelSource(ReadLevelRecord(in, index, n));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    std::string dataDir = FoldersOfProgram().Data;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--data") {
            if (i + 1 >= argc) return Usage();
            dataDir = argv[++i];
            if (!dataDir.empty() && dataDir.back() != '/') dataDir += '/';
        } else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "tolmara-levels: unknown option " << arg << "\n";
            return Usage();
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) return Usage();
    std::string command = args.front();
    args.erase(args.begin());
    try {
        if (command == "build") return Build(args);
        if (command == "check") return Check(args, dataDir);
        if (command == "dump") return Dump(args);
    } catch (const std::exception& e) {
        std::cerr << "tolmara-levels: " << e.what() << "\n";
        return 1;
    }
    return Usage();
}
