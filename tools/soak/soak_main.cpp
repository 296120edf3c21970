// tolmara-soak: plays every level of the game's level set with random input for a long stretch
// of game time, checking the invariants of the level in play after every tick.
//   tolmara-soak [--game DIR] [--seed N] [--level N] [--game-seconds S] [--wall-seconds S]
//                [--ticks N]
// DIR defaults to the folder of the executable (the build's game folder). Each level is played
// for S seconds of game time (default 600), stopped early after --wall-seconds of real time or
// --ticks ticks. Exit status 0 when every check passed, 1 on a violation, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/program_folder.h"
#include "soak_run.h"

namespace {

constexpr const char* kUsage =
    "usage: tolmara-soak [--game DIR] [--seed N] [--level N] [--game-seconds S]\n"
    "                    [--wall-seconds S] [--ticks N]\n"
    "  plays every level (or level N) with random input, checking the level after every tick\n"
    "  --game DIR        the game's folder (default: the folder of this program)\n"
    "  --seed N          the random input's seed\n"
    "  --game-seconds S  game time per level (default 600)\n"
    "  --wall-seconds S  stop each level after S seconds of real time\n"
    "  --ticks N         stop each level after N ticks\n";

struct Arguments {
    SoakOptions Soak;
    int Level = 0;  // 0: every level
};

double Number(int argc, char** argv, int& i) {
    if (i + 1 >= argc) throw std::invalid_argument(std::string(argv[i]) + " needs a value");
    std::string text = argv[++i];
    size_t used = 0;
    double value = std::stod(text, &used);
    if (used != text.size() || value < 0) throw std::invalid_argument("bad value '" + text + "'");
    return value;
}

Arguments Parse(int argc, char** argv) {
    Arguments a;
    a.Soak.GameDir = FoldersOfProgram().Data;
    a.Soak.GameMsPerLevel = 600'000;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (arg == "--game" && i + 1 < argc) {
            a.Soak.GameDir = argv[++i];
            if (a.Soak.GameDir.back() != '/') a.Soak.GameDir += '/';
        } else if (arg == "--seed") {
            a.Soak.Seed = static_cast<uint64_t>(Number(argc, argv, i));
        } else if (arg == "--level") {
            a.Level = static_cast<int>(Number(argc, argv, i));
        } else if (arg == "--game-seconds") {
            a.Soak.GameMsPerLevel = static_cast<int64_t>(Number(argc, argv, i) * 1000);
        } else if (arg == "--wall-seconds") {
            a.Soak.WallSecondsPerLevel = Number(argc, argv, i);
        } else if (arg == "--ticks") {
            a.Soak.MaxTicks = static_cast<int64_t>(Number(argc, argv, i));
        } else {
            throw std::invalid_argument("unknown argument '" + arg + "'");
        }
    }
    return a;
}

void Report(int n, const SoakResult& r) {
    std::printf(
        "level %d: %lld ticks, %.1f s of game time, %lld starts (%lld made, %lld lost, "
        "%lld given up); at most %d moving, %d explosions, %d bombs placed; %lld ticks "
        "paused\n",
        n, static_cast<long long>(r.Ticks), r.GameMs / 1000.0, static_cast<long long>(r.Starts),
        static_cast<long long>(r.Made), static_cast<long long>(r.Killed),
        static_cast<long long>(r.Aborted), r.PeakFalls, r.PeakExplosions, r.PeakBombs,
        static_cast<long long>(r.PausedTicks));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Ctrl+C and SIGTERM end the soak at once: SDL's own handlers would only queue a quit event
    // that nothing here reads.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
    Arguments args;
    try {
        args = Parse(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-soak: %s\n%s", e.what(), kUsage);
        return 2;
    }
    try {
        const int count = CountLevels(args.Soak.GameDir);
        const int first = args.Level > 0 ? args.Level : 1;
        const int last = args.Level > 0 ? args.Level : count;
        int64_t ticks = 0, gameMs = 0;
        int levels = 0;
        for (int n = first; n <= last; ++n) {
            SoakResult r = SoakLevel(args.Soak, n);
            Report(n, r);
            ticks += r.Ticks;
            gameMs += r.GameMs;
            ++levels;
            if (!r.Violation.empty()) {
                std::printf(
                    "VIOLATION at tick %lld of level %d: %s\n  reproduce with: "
                    "tolmara-soak --seed %llu --level %d --ticks %lld\n",
                    static_cast<long long>(r.ViolationTick), n, r.Violation.c_str(),
                    static_cast<unsigned long long>(args.Soak.Seed), n,
                    static_cast<long long>(r.ViolationTick));
                return 1;
            }
        }
        std::printf("soak passed: %d levels, %lld ticks, %.1f s of game time, seed %llu\n", levels,
                    static_cast<long long>(ticks), gameMs / 1000.0,
                    static_cast<unsigned long long>(args.Soak.Seed));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-soak: %s\n", e.what());
        return 1;
    }
    return 0;
}
