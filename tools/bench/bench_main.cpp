// tolmara-bench: what one frame of the game costs, headless, as microseconds and as ratios to a
// memcpy of one frame; the presentation into a window, the start-up and the idle menu under an X
// server (a private Xvfb when installed).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench_calibration.h"
#include "bench_children.h"
#include "bench_clock.h"
#include "bench_editor.h"
#include "bench_idle.h"
#include "bench_levels.h"
#include "bench_process.h"
#include "bench_report.h"
#include "bench_rewind.h"
#include "bench_ticks.h"

namespace fs = std::filesystem;

namespace {

enum class Mode { Measure, PresentChild, StartupChild };

struct Options {
    Mode RunMode = Mode::Measure;
    std::string DataDir;
    bool Json = false;
    bool Quick = false;
    bool UseDisplay = false;  // --x11: the X server of DISPLAY instead of a private Xvfb
    bool Headless = false;    // --headless: no X server at all
};

constexpr const char* kUsage =
    "usage: tolmara-bench [--data DIR] [--json] [--quick] [--x11 | --headless]\n"
    "  --data DIR   the game's folder with its data files (default: this program's folder)\n"
    "  --json       print one JSON object instead of the table\n"
    "  --quick      few repetitions and a short idle measurement (CI)\n"
    "  --x11        use the X server named by DISPLAY for the window figures\n"
    "  --headless   measure no window figures (they print as unavailable / null)\n"
    "Without --x11 or --headless a private Xvfb is started when it is installed.\n";

[[noreturn]] void UsageError(const std::string& what) {
    std::fprintf(stderr, "tolmara-bench: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

Options ParseArguments(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data") {
            if (i + 1 >= argc) UsageError("--data needs a folder");
            o.DataDir = argv[++i];
        } else if (arg == "--json")
            o.Json = true;
        else if (arg == "--quick")
            o.Quick = true;
        else if (arg == "--x11")
            o.UseDisplay = true;
        else if (arg == "--headless")
            o.Headless = true;
        else if (arg == "--present-child")
            o.RunMode = Mode::PresentChild;
        else if (arg == "--startup-child")
            o.RunMode = Mode::StartupChild;
        else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else
            UsageError("unknown option " + arg);
    }
    if (o.DataDir.empty()) o.DataDir = FolderOf(SelfPath());
    if (o.DataDir.back() != '/') o.DataDir += '/';
    return o;
}

Repetitions RepetitionsFor(const Options& o) {
    Repetitions r;
    if (o.Quick) r = Repetitions{20, 1, 200};
    return r;
}

double LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double load = 0;
    in >> load;
    return load;
}

// The value after `key` on the first line of `text` that starts with it.
std::optional<std::string> Field(const std::string& text, const std::string& key, int index = 0) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word != key) continue;
        for (int i = 0; i <= index; ++i) words >> word;
        return word;
    }
    return std::nullopt;
}

Environment WindowEnvironment(const std::string& display) {
    return {{"DISPLAY", display}, {"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"}};
}

// The child's line "present <mode> <us> <renderer> <w>x<h>" for one mode.
void ReadPresentLine(const std::string& output, const std::string& mode, Figure& us,
                     std::string& through) {
    const size_t at = output.find("present " + mode + " ");
    if (at == std::string::npos) return;
    std::istringstream line(output.substr(at));
    std::string word, name, renderer, size;
    double value = 0;
    if (!(line >> word >> name >> value >> renderer >> size)) return;
    us = value;
    through = renderer + ", " + size;
}

void MeasurePresent(const Options& o, const std::string& display, BenchFigures& f) {
    std::vector<std::string> argv = {SelfPath(), "--present-child", "--data", o.DataDir};
    if (o.Quick) argv.push_back("--quick");
    const ChildRun run = RunChild(argv, WindowEnvironment(display), 180000);
    ReadPresentLine(run.Output, "software", f.PresentSoftware, f.SoftwareRenderer);
    ReadPresentLine(run.Output, "default", f.PresentDefault, f.DefaultRenderer);
    std::string through;
    ReadPresentLine(run.Output, "unchanged", f.PresentUnchanged, through);
    ReadPresentLine(run.Output, "unchanged_compared", f.PresentUnchangedCompared, through);
    ReadPresentLine(run.Output, "menu", f.PresentMenu, through);
}

// Start-up runs of the bench's own child: the median time to the first frame, the highest peak
// resident memory.
void MeasureStartup(const Options& o, const std::string& display, BenchFigures& f) {
    Environment env = display.empty()
                          ? Environment{{"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}}
                          : WindowEnvironment(display);
    f.StartupDriver = display.empty() ? "dummy" : "x11 on " + display;
    std::vector<double> times;
    double rss = 0;
    for (int i = 0; i < (o.Quick ? 1 : 5); ++i) {
        const int64_t start = MonotonicNs();
        const ChildRun run =
            RunChild({SelfPath(), "--startup-child", "--data", o.DataDir}, env, 60000);
        const auto shown = Field(run.Output, "first_frame_ns");
        if (run.ExitCode != 0 || !shown) continue;
        times.push_back(static_cast<double>(std::stoll(*shown) - start) / 1e6);
        rss = std::max(rss, static_cast<double>(run.MaxRssKb) / 1024.0);
    }
    if (times.empty()) return;
    f.StartupMs = Median(times);
    f.PeakRssMb = rss;
}

void MeasureIdle(const Options& o, const std::string& display, BenchFigures& f) {
    std::string game = o.DataDir + "tolmara";
    if (access(game.c_str(), X_OK) != 0) game = FolderOf(SelfPath()) + "tolmara";
    if (access(game.c_str(), X_OK) != 0) {
        f.IdleNote = "the game's program was not found";
        return;
    }
    const auto idle = MeasureIdleMenu(game, o.DataDir, display, o.Quick ? 2.0 : 10.0);
    if (!idle) {
        f.IdleNote = "the game did not run in the window";
        return;
    }
    f.IdleCpuPercent = idle->CpuPercent;
    char note[160];
    std::snprintf(note, sizeof note, "%s; the game's own peak resident memory %.1f MB",
                  idle->LogoSkippedByKey ? "logo skipped with xdotool" : "logo left to time out",
                  idle->PeakRssMb);
    f.IdleNote = note;
}

// The frame copy that every figure is compared with, and the window copy that presenting is
// compared with, sampled in blocks between the figures.
struct Yardstick {
    int Block = 0;
    std::vector<double> Samples, WindowSamples;

    void Sample() {
        const std::vector<double> more = FrameMemcpySamples(Block);
        Samples.insert(Samples.end(), more.begin(), more.end());
        const std::vector<double> window = WindowMemcpySamples(std::max(Block / 10, 5));
        WindowSamples.insert(WindowSamples.end(), window.begin(), window.end());
    }
};

void MeasurePlayWindow(const Options& o, const std::string& display, int level, BenchFigures& f) {
    std::string replay = o.DataDir + "tolmara-replay";
    if (access(replay.c_str(), X_OK) != 0) replay = FolderOf(SelfPath()) + "tolmara-replay";
    if (access(replay.c_str(), X_OK) != 0) {
        f.PlayWindowNote = "tolmara-replay was not found";
        return;
    }
    f.PlayWindowCpuPercent =
        MeasureReplayWatch(replay, o.DataDir, display, level, o.Quick ? 2.0 : 10.0);
    f.PlayWindowNote = f.PlayWindowCpuPercent ? "tolmara-replay --watch standing still on level " +
                                                    std::to_string(level) + ", all its threads"
                                              : "the replay did not run in the window";
}

void MeasureHeadless(const Options& o, const ShippedLevel& largest, Yardstick& memcpy,
                     BenchFigures& f) {
    const Repetitions reps = RepetitionsFor(o);
    f.LargestLevel = "level " + std::to_string(largest.Number) + " \"" + largest.Name + "\", " +
                     std::to_string(largest.Cols) + " x " + std::to_string(largest.Rows);
    memcpy.Sample();
    f.PlayLargest = MeasurePlayTick(o.DataDir, "Tolmara.lev", largest.Number, reps);
    std::string folder = (fs::temp_directory_path() / "tolmara-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot make a temporary folder");
    try {
        memcpy.Sample();
        const std::string set99 = WriteBenchmarkLevelSet(folder + "/");
        f.Play99 = MeasurePlayTick(o.DataDir, set99, 1, reps);
        memcpy.Sample();
        const EditorCosts editor = MeasureEditor(o.DataDir, set99, reps);
        f.EditorWhole = editor.WholeLevelUs;
        f.EditorPainting = editor.PaintingUs;
        f.EditorFillMs = editor.FillMs;
        const RewindCosts rewind = MeasureRewind(o.DataDir, set99, o.Quick);
        f.RewindTickOff = rewind.TickOffUs;
        f.RewindTickOn = rewind.TickOnUs;
        f.RewindStepMs = rewind.StepMs;
        f.RewindMemoryMb = rewind.MemoryMb;
        f.RewindMinutes = rewind.PlayedMinutes;
    } catch (...) {
        fs::remove_all(folder);
        throw;
    }
    fs::remove_all(folder);
    memcpy.Sample();
    const MenuTicks menus = MeasureMenuTicks(o.DataDir, reps);
    f.MainMenu = menus.MainMenuUs;
    f.Players = menus.PlayersUs;
    memcpy.Sample();
}

int Measure(const Options& o) {
    BenchFigures f;
    f.Cores = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    f.LoadBefore = LoadAverage();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Yardstick memcpy;
    memcpy.Block = RepetitionsFor(o).MemcpySamples / 4;
    const ShippedLevel largest = FindLargestLevel(o.DataDir + "Tolmara.lev");
    MeasureHeadless(o, largest, memcpy, f);
    PrivateXServer xvfb;
    std::string display;
    const char* env = std::getenv("DISPLAY");
    if (o.Headless)
        display.clear();
    else if (!o.UseDisplay && xvfb.Start())
        display = xvfb.DisplayName();
    else if (env && *env)
        display = env;
    if (!display.empty()) MeasurePresent(o, display, f);
    if (!display.empty()) memcpy.Sample();
    MeasureStartup(o, display, f);
    if (!display.empty()) {
        MeasureIdle(o, display, f);
        MeasurePlayWindow(o, display, largest.Number, f);
    } else {
        f.IdleNote = f.PlayWindowNote = "needs an X server";
    }
    f.MemcpyUs = Median(memcpy.Samples);
    f.MemcpyWindowUs = Median(memcpy.WindowSamples);
    f.SdlBlitUs = Median(SdlOpaqueBlitSamples(RepetitionsFor(o).MemcpySamples / 4));
    f.LoadAfter = LoadAverage();
    std::fputs((o.Json ? ReportJson(f) : ReportText(f)).c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = ParseArguments(argc, argv);
    try {
        switch (o.RunMode) {
            case Mode::PresentChild:
                return RunPresentChild(o.DataDir, RepetitionsFor(o));
            case Mode::StartupChild:
                return RunStartupChild(o.DataDir);
            case Mode::Measure:
                return Measure(o);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-bench: %s\n", e.what());
    }
    return 1;
}
