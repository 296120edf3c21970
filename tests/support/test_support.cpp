// Shared helpers of the tests.
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto dir = base / ("tolmara-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(dir)) {
            path_ = dir.string() + "/";
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string BuiltGameDir() {
    return std::string(TOLMARA_GAME_DIR) + "/";
}
std::string SourceDir() {
    return std::string(TOLMARA_SOURCE_DIR) + "/";
}

BuiltDataFolder::BuiltDataFolder() {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(BuiltGameDir())) {
        const std::string ext = entry.path().extension();
        if (entry.is_regular_file() && (ext == ".dxg" || ext == ".lev" || ext == ".mid"))
            fs::create_symlink(entry.path(), dir_.File(entry.path().filename()));
    }
    fs::copy_file(SourceDir() + "assets/tolmarakx.cfg", dir_.File("tolmarakx.cfg"));
}

// Every test runs headless: SDL's dummy drivers unless a test (or the caller) chose another one.
namespace {
struct HeadlessDrivers {
    HeadlessDrivers() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
} headlessDrivers;
}  // namespace
