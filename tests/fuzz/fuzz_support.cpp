// Helpers of the fuzz targets: scratch folder, whole-file writes, the built game folder.
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::string MakeScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tolmara-fuzz-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        std::perror("tolmara fuzz: cannot make a scratch folder");
        std::abort();
    }
    static std::string made = name.data();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(made, ignored);
    });
    return made + "/";
}

}  // namespace

const std::string& ScratchDir() {
    static const std::string dir = MakeScratchDir();
    return dir;
}

void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr && (size == 0 || std::fwrite(data, 1, size, f) == size);
    if (f != nullptr && std::fclose(f) != 0) ok = false;
    if (!ok) {
        std::perror(("tolmara fuzz: cannot write " + path).c_str());
        std::abort();
    }
}

std::string BuiltGameDir() {
    const char* dir = std::getenv("TOLMARA_GAME_DIR");
    if (!dir || !*dir) return "";
    std::string path = dir;
    if (path.back() != '/') path += '/';
    return path;
}

bool CopyWholeFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WriteWholeFile(to, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}
