// tolmara-keys: starts the game headless on the folders the game itself would use, plays a list
// of keys, typed text and clicks through the window's own event handlers, then closes the window
// as a player does (the shutdown sequence saves the players and the settings). It checks an
// installed game end to end without a screen.
//   tolmara-keys [--data DIR] [--save DIR] WORD...
// Words: wait:N (N ticks of 20 ms), key:NAME (Enter, Escape, Up, Down, Left, Right, Space,
// Back, F1 or one letter or digit), hold:NAME,N (the key held for N ticks), type:TEXT, click:X,Y.
// SIGINT or SIGTERM stops the words and closes the window (the saves included), then the process
// ends by that signal.
#include <atomic>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/program_folder.h"
#include "app/session.h"
#include "app/startup.h"
#include "screens/game.h"

namespace {

constexpr int32_t kTickLag = 20;

// SIGINT and SIGTERM stop the keys and close the window as a player would, so that the players
// and the settings are saved; the handler only raises the flag that the tick loops read.
std::atomic<int> stopSignal{0};

void OnStopSignal(int signal) {
    stopSignal = signal;
}

bool Stopped(const Game& game) {
    return game.Terminated || stopSignal.load() != 0;
}

constexpr const char* kUsage =
    "usage: tolmara-keys [--data DIR] [--save DIR] WORD...\n"
    "  --data DIR  the data folder (default: the one the game finds from this program's folder)\n"
    "  --save DIR  the folder of the settings and players (default: as the game finds it)\n"
    "  words: wait:N  key:NAME  hold:NAME,N  type:TEXT  click:X,Y\n";

[[noreturn]] void UsageError(const std::string& what) {
    std::fprintf(stderr, "tolmara-keys: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

int WholeNumber(const std::string& text, const std::string& word) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 1000000) UsageError("bad number in " + word);
    return static_cast<int>(n);
}

// The key's code and the character a window types with it (-1 for none).
std::pair<int, int> KeyOf(const std::string& name, const std::string& word) {
    static const std::map<std::string, std::pair<int, int>> named = {
        {"Enter", {vkReturn, 13}}, {"Escape", {vkEscape, 27}}, {"Back", {vkBack, 8}},
        {"Up", {vkUp, -1}},        {"Down", {vkDown, -1}},     {"Left", {vkLeft, -1}},
        {"Right", {vkRight, -1}},  {"Space", {vkSpace, ' '}},  {"F1", {vkF1, -1}}};
    if (auto found = named.find(name); found != named.end()) return found->second;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return {std::toupper(static_cast<unsigned char>(name[0])),
                std::tolower(static_cast<unsigned char>(name[0]))};
    UsageError("unknown key in " + word);
}

void Play(Game& game, const std::string& word) {
    const size_t colon = word.find(':');
    if (colon == std::string::npos) UsageError("unknown word " + word);
    const std::string kind = word.substr(0, colon), value = word.substr(colon + 1);
    if (kind == "wait") {
        for (int i = WholeNumber(value, word); i > 0 && !Stopped(game); --i)
            RunTick(game, kTickLag);
    } else if (kind == "key") {
        const auto [vk, typed] = KeyOf(value, word);
        PressKey(game, vk);
        if (typed >= 0) TypeChar(game, static_cast<uint8_t>(typed));
        RunTick(game, kTickLag);
        ReleaseKey(game, vk);
    } else if (kind == "hold") {
        const size_t comma = value.find(',');
        if (comma == std::string::npos) UsageError("hold needs NAME,N: " + word);
        const auto [vk, typed] = KeyOf(value.substr(0, comma), word);
        PressKey(game, vk);
        if (typed >= 0) TypeChar(game, static_cast<uint8_t>(typed));
        for (int i = WholeNumber(value.substr(comma + 1), word); i > 0 && !Stopped(game); --i)
            RunTick(game, kTickLag);
        ReleaseKey(game, vk);
    } else if (kind == "type") {
        for (char c : value) {
            if (Stopped(game)) break;
            TypeChar(game, static_cast<uint8_t>(c));
            RunTick(game, kTickLag);
        }
    } else if (kind == "click") {
        const size_t comma = value.find(',');
        if (comma == std::string::npos) UsageError("click needs X,Y: " + word);
        MoveMouse(game, WholeNumber(value.substr(0, comma), word),
                  WholeNumber(value.substr(comma + 1), word));
        MouseButton(game, true);
        RunTick(game, kTickLag);
        MouseButton(game, false);
    } else {
        UsageError("unknown word " + word);
    }
}

}  // namespace

int main(int argc, char** argv) {
    GameFolders folders = FoldersOfProgram();
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--data" || arg == "--save") && i + 1 < argc)
            (arg == "--data" ? folders.Data : folders.Save) = argv[++i];
        else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-')
            UsageError("unknown option " + arg);
        else
            words.push_back(arg);
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // SDL's own handlers would turn the signals into quit events that nothing here reads.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    try {
        SessionOptions options;
        options.ProgramDir = folders.Data;
        options.SaveDir = folders.Save;
        std::unique_ptr<Game> game = StartGame(options);
        for (const std::string& word : words)
            if (!Stopped(*game)) Play(*game, word);
        if (!game->Terminated) ShutdownSequence(*game);  // the window's close
        if (const int signal = stopSignal.load(); signal != 0) {
            // Saved: the process now ends by the signal, as its sender expects.
            game.reset();
            std::signal(signal, SIG_DFL);
            std::raise(signal);
            return 128 + signal;
        }
        return game->Failed ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-keys: %s\n", e.what());
        return 1;
    }
}
