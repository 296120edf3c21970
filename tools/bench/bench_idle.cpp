// Idle main menu: the real game in a window, its CPU time read from /proc.
#include "bench_idle.h"

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "bench_clock.h"
#include "bench_process.h"

namespace fs = std::filesystem;

namespace {

// A private game folder: the program copied (its folder is where it reads and saves), the data
// files linked, the settings and players files copied.
std::string MakeGameFolder(const std::string& gameBinary, const std::string& dataDir) {
    std::string pattern = (fs::temp_directory_path() / "tolmara-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    const fs::path folder(pattern);
    fs::copy_file(gameBinary, folder / "tolmara");
    for (const fs::directory_entry& e : fs::directory_iterator(dataDir)) {
        const std::string name = e.path().filename().string();
        const bool program = name == "tolmara" || name.rfind("tolmara-", 0) == 0;
        if (!e.is_regular_file() || program) continue;
        const bool saved = name == "tolmarakx.cfg" || name == "playersnames.grf";
        if (saved)
            fs::copy_file(e.path(), folder / name);
        else
            fs::create_symlink(fs::absolute(e.path()), folder / name);
    }
    return pattern + "/";
}

// User plus system time of a process and all its threads, in clock ticks; -1 once it is gone.
long long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t paren = text.rfind(')');
    if (paren == std::string::npos) return -1;
    std::istringstream fields(text.substr(paren + 2));
    std::vector<std::string> f;
    for (std::string s; fields >> s;) f.push_back(s);
    if (f.size() < 13 || f[0] == "Z") return -1;
    return std::stoll(f[11]) + std::stoll(f[12]);  // utime and stime: fields 14 and 15
}

double PeakRssMb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void SleepMs(int ms) {
    usleep(static_cast<useconds_t>(ms) * 1000);
}

// Sends Space to the game's window (the focus follows the pointer on a server without a window
// manager, and the full-screen window lies under it). False without xdotool.
bool SkipLogo(const std::string& display) {
    if (!OnPath("xdotool")) return false;
    const ChildRun run = RunChild({"xdotool", "key", "space"}, {{"DISPLAY", display}}, 5000);
    return run.ExitCode == 0;
}

// CPU time of a running child over `seconds`, as a share of one core; empty when it ended.
std::optional<double> CpuPercentOver(pid_t pid, double seconds) {
    const long long before = CpuTicks(pid);
    const int64_t start = MonotonicNs();
    SleepMs(static_cast<int>(seconds * 1000));
    const long long after = CpuTicks(pid);
    const double wall = static_cast<double>(MonotonicNs() - start) / 1e9;
    if (pid <= 0 || before < 0 || after < 0) return std::nullopt;
    return static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) / wall *
           100.0;
}

}  // namespace

std::optional<IdleFigures> MeasureIdleMenu(const std::string& gameBinary,
                                           const std::string& dataDir, const std::string& display,
                                           double seconds) {
    const std::string folder = MakeGameFolder(gameBinary, dataDir);
    if (folder.empty()) return std::nullopt;
    const pid_t pid = StartBackground(
        {folder + "tolmara"},
        {{"DISPLAY", display}, {"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"}});
    IdleFigures out;
    SleepMs(2000);  // the window is up and the logo is showing
    out.LogoSkippedByKey = SkipLogo(display);
    SleepMs(out.LogoSkippedByKey ? 2000 : 7500);  // the menu has slid in
    const std::optional<double> cpu = CpuPercentOver(pid, seconds);
    out.PeakRssMb = PeakRssMb(pid);
    StopChild(pid, 3000);
    std::error_code ec;
    fs::remove_all(folder, ec);
    if (!cpu) return std::nullopt;
    out.CpuPercent = *cpu;
    return out;
}

std::optional<double> MeasureReplayWatch(const std::string& replayBinary,
                                         const std::string& dataDir, const std::string& display,
                                         int level, double seconds) {
    std::string folder = (fs::temp_directory_path() / "tolmara-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return std::nullopt;
    const std::string replay = folder + "/still.replay";
    {
        // Start-up, the measured time and a margin, in ticks of 17 ms with no key held.
        std::ofstream out(replay);
        out << "levels Tolmara.lev\nlevel " << level
            << "\nspeed 300\nseed 1\ncharacter 1\nmortal 0\n"
            << static_cast<long long>((seconds + 10) * 1000 / 17) << " 17\n";
    }
    const pid_t pid = StartBackground(
        {replayBinary, "--data", dataDir, "--watch", "--window", "1280x960", replay},
        {{"DISPLAY", display}, {"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"}});
    SleepMs(3000);  // the window is up and the level has started
    const std::optional<double> cpu = CpuPercentOver(pid, seconds);
    StopChild(pid, 3000);
    std::error_code ec;
    fs::remove_all(folder, ec);
    return cpu;
}
