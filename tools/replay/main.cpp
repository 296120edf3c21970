// tolmara-replay: plays a level from a replay file and prints the result as JSON. A replay that
// stays on the play screen runs on the game's rules alone, with no window, pictures or sound;
// writing the frames as PNG images, showing them in a window, or a replay that visits other
// screens runs through the whole game.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "app/program_folder.h"
#include "app/replay_run.h"
#include "dxgwriter/png_writer.h"
#include "game/replay_simulation.h"
#include "game/world.h"
#include "screens/game.h"

namespace {

struct Options {
    std::string DataDir;
    std::string ReplayPath;
    std::string FramesDir;
    int64_t Every = 1;
    bool Watch = false;
    bool Trace = false;
    int WindowW = 0, WindowH = 0;  // --window: the watched window's size
};

// A watched replay's last frame, with the outcome, stays this long unless a key is pressed.
constexpr int32_t kHoldMs = 3000;

constexpr const char* kUsage =
    "usage: tolmara-replay [--data DIR] [--frames DIR [--every N]] [--watch [--window WxH]] "
    "[--trace] REPLAY\n"
    "  --data DIR    the data folder (default: the folder of this program)\n"
    "  --frames DIR  write every Nth drawn frame as frame_TICK.png\n"
    "  --watch       show the replay in a window at its recorded pace; the last frame\n"
    "                stays with the outcome until a key is pressed or 3 s pass\n"
    "  --window WxH  the window's size in pixels while watching (default 640x480)\n"
    "  --trace       print to stderr, tick by tick, every change of the player's cell,\n"
    "                lives, infotrons, bombs and monsters (a route's diary)\n"
    "Ends with 3 when the replay's checks show the play going another way than recorded.\n";

[[noreturn]] void UsageError(const std::string& what) {
    std::fprintf(stderr, "tolmara-replay: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

Options ParseArguments(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) UsageError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--data")
            o.DataDir = value();
        else if (arg == "--frames")
            o.FramesDir = value();
        else if (arg == "--every") {
            const std::string n = value();
            char* end = nullptr;
            o.Every = std::strtoll(n.c_str(), &end, 10);
            if (*end != '\0' || o.Every < 1)
                UsageError("--every needs a whole number of at least 1");
        } else if (arg == "--trace") {
            o.Trace = true;
        } else if (arg == "--watch")
            o.Watch = true;
        else if (arg == "--window") {
            const std::string size = value();
            char rest = 0;
            if (std::sscanf(size.c_str(), "%dx%d%c", &o.WindowW, &o.WindowH, &rest) != 2 ||
                o.WindowW < 1 || o.WindowH < 1)
                UsageError("--window needs a size such as 1280x960");
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-')
            UsageError("unknown option " + arg);
        else if (o.ReplayPath.empty())
            o.ReplayPath = arg;
        else
            UsageError("more than one replay given");
    }
    if (o.ReplayPath.empty()) UsageError("no replay given");
    if (o.DataDir.empty()) o.DataDir = FoldersOfProgram().Data;
    if (o.DataDir.back() != '/') o.DataDir += '/';
    return o;
}

// What the trace prints when it changes.
struct TraceLine {
    int32_t Row = -1, Col = -1, Lives = 0, Got = 0, Needed = 0, Bombs = 0, Monsters = 0;
    bool operator==(const TraceLine&) const = default;
};

void TraceTick(const World& world, int64_t tick, TraceLine& last) {
    const PlayState& p = world.play;
    const TraceLine now{p.PlayerY / 40,          p.PlayerX / 40,    p.Lives,
                        p.InfotronsGot,          p.InfotronsNeeded, p.Bombs,
                        world.level.MonsterCount};
    if (now == last) return;
    std::fprintf(stderr,
                 "tick %6lld  %7.2f s  row %2d col %2d  lives %d  infotrons %d/%d  bombs %d  "
                 "monsters %d%s\n",
                 static_cast<long long>(tick), p.LevelTime / 1000.0, now.Row, now.Col, now.Lives,
                 now.Got, now.Needed, now.Bombs, now.Monsters,
                 now.Lives < last.Lives && last.Row >= 0 ? "  LIFE LOST" : "");
    last = now;
}

// A replay whose world went another way than its checks recorded: says where, and ends with 3.
int ReportDivergence(const Options& o, const ReplayResult& result) {
    if (result.DivergedAtTick == 0) return 0;
    std::fprintf(stderr,
                 "tolmara-replay: %s: the play went another way than it was recorded at tick "
                 "%lld (the last check that agreed was at tick %lld)\n",
                 EscapeControlBytes(o.ReplayPath).c_str(),
                 static_cast<long long>(result.DivergedAtTick),
                 static_cast<long long>(result.LastAgreedTick));
    return 3;
}

// Frame k of the play (the level start tick draws nothing of its own) is written when k is
// 1, 1 + N, 1 + 2N, ...
bool AfterTick(const Options& o, Game& game, int64_t tick, int32_t lag) {
    if (!o.FramesDir.empty() && tick >= 2 && (tick - 2) % o.Every == 0) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(tick));
        WritePng(o.FramesDir + "/" + name, game.media.Back);
    }
    return !o.Watch || WaitForReplayPace(lag);
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseArguments(argc, argv);
    // Ctrl+C and SIGTERM end the run at once: SDL's own handlers would only queue a quit event
    // that nothing here reads.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
    // Headless unless watching: no window, no sound device.
    if (!options.Watch) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    try {
        const ReplayScript script = ReadReplayFile(options.ReplayPath);
        if (options.FramesDir.empty() && !options.Watch && !ReplayNeedsScreens(script)) {
            TraceLine last;
            WorldTickObserver trace;
            if (options.Trace)
                trace = [&last](const World& w, int64_t tick) { TraceTick(w, tick, last); };
            const ReplayResult result = SimulateReplay(script, options.DataDir, trace);
            std::fputs(ReplayResultJson(result).c_str(), stdout);
            return ReportDivergence(options, result);
        }
        if (!options.FramesDir.empty()) std::filesystem::create_directories(options.FramesDir);
        std::unique_ptr<Game> game = StartReplayGame(script, options.DataDir);
        if (options.Watch && options.WindowW > 0)
            game->media.Screen.SetWindowSize(options.WindowW, options.WindowH);
        const ReplayResult result = PlayReplay(
            *game, script,
            [&](Game& g, int64_t tick, int32_t lag) { return AfterTick(options, g, tick, lag); });
        std::fputs(ReplayResultJson(result).c_str(), stdout);
        std::fflush(stdout);
        if (options.Watch) HoldLastFrame(*game, kHoldMs);
        return ReportDivergence(options, result);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-replay: %s\n", EscapeControlBytes(e.what()).c_str());
        return 1;
    }
}
