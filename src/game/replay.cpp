// The replay text (header lines: level set, level, speed, seed, character, mortality; then
// steps) and the result a replay ends in.
#include "game/replay.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "game/world.h"
#include "game/world_hash.h"
#include "media/byte_io.h"

namespace {

// The most game time a replay may hold, 24 hours: a longer one would run for days.
constexpr int64_t kLongestReplayMs = int64_t{24} * 60 * 60 * 1000;
// A replay file larger than this is no replay a person or the recorder made.
constexpr size_t kLargestReplay = size_t{16} << 20;

// A word of the replay as messages quote it: cut after 40 characters, its control bytes written
// out, so that a message neither ends at a zero byte nor sends a terminal its escape sequences.
std::string Quote(const std::string& word) {
    constexpr size_t kShown = 40;
    if (word.size() <= kShown) return "'" + EscapeControlBytes(word) + "'";
    return "'" + EscapeControlBytes(word.substr(0, kShown)) + "...' (" +
           std::to_string(word.size()) + " characters)";
}

bool IsControlByte(unsigned char ch) {
    return ch < 0x20 || ch == 0x7f;
}

struct KeyName {
    const char* Name;
    ReplayKey Key;
};
constexpr KeyName kKeyNames[] = {
    {"Up", ReplayKey::Up},         {"Down", ReplayKey::Down},   {"Left", ReplayKey::Left},
    {"Right", ReplayKey::Right},   {"Space", ReplayKey::Space}, {"Ctrl", ReplayKey::Ctrl},
    {"Escape", ReplayKey::Escape}, {"Enter", ReplayKey::Enter}, {"P", ReplayKey::P},
    {"C", ReplayKey::C},           {"F1", ReplayKey::F1},
};

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// Parses the line `line` of replay `name` into the script.
class LineReader {
  public:
    LineReader(const std::string& name, int line) : name_(name), line_(line) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(name_ + ", line " + std::to_string(line_) + ": " + what);
    }

    template <class T>
    T Number(const std::string& word, const char* what, T low, T high) const {
        T value{};
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (ec != std::errc() || end != word.data() + word.size())
            Fail(Quote(word) + " is not a valid " + what);
        if (value < low || value > high)
            Fail(std::string(what) + " " + word + " out of range " + std::to_string(low) + ".." +
                 std::to_string(high));
        return value;
    }

    ReplayKey Key(const std::string& word) const {
        for (const KeyName& k : kKeyNames)
            if (word == k.Name) return k.Key;
        Fail("unknown key " + Quote(word));
    }

  private:
    const std::string& name_;
    int line_;
};

// A header line; false when the first word is no header keyword.
bool ReadHeader(const LineReader& in, const std::vector<std::string>& w, ReplayScript& s,
                bool& gotLevels, bool& gotLevel) {
    const std::string& key = w[0];
    const bool known = key == "levels" || key == "level" || key == "speed" || key == "seed" ||
                       key == "character" || key == "mortal" || key == "practice";
    if (!known) return false;
    if (w.size() != 2) in.Fail("'" + key + "' takes one value");
    if (!s.Steps.empty()) in.Fail("'" + key + "' after the steps");
    if (key == "levels") {
        if (gotLevels) in.Fail("'levels' given twice");
        for (char ch : w[1])
            if (IsControlByte(static_cast<unsigned char>(ch)))
                in.Fail("the level set name " + Quote(w[1]) + " holds a control character");
        s.Levels = w[1];
        gotLevels = true;
    } else if (key == "level") {
        if (gotLevel) in.Fail("'level' given twice");
        s.Level = in.Number<int32_t>(w[1], "level number", 1, 1000);
        gotLevel = true;
    } else if (key == "speed") {
        s.Speed = in.Number<int32_t>(w[1], "speed", 200, 400);
    } else if (key == "seed") {
        s.Seed = in.Number<uint64_t>(w[1], "seed", 0, UINT64_MAX);
    } else if (key == "character") {
        s.Character = in.Number<int32_t>(w[1], "character", 0, 1);
    } else if (key == "practice") {
        s.Practice = in.Number<int32_t>(w[1], "practice value", 0, 1) == 1;
    } else {
        s.Mortal = in.Number<int32_t>(w[1], "mortal value", 0, 1);
    }
    return true;
}

ReplayStep ReadStep(const LineReader& in, const std::vector<std::string>& w, int line) {
    if (w.size() < 2) in.Fail("a step is COUNT LAG KEY...");
    ReplayStep step;
    step.Line = line;
    step.Count = in.Number<int64_t>(w[0], "tick count", 0, 100000000);
    step.Lag = in.Number<int32_t>(w[1], "lag", 1, 100000);
    for (size_t i = 2; i < w.size(); ++i) {
        ReplayKey key = in.Key(w[i]);
        for (ReplayKey held : step.Keys)
            if (held == key) in.Fail("key '" + w[i] + "' listed twice");
        step.Keys.push_back(key);
    }
    return step;
}

WorldCheck ReadCheck(const LineReader& in, const std::vector<std::string>& w, int line) {
    if (w.size() != 3) in.Fail("a check is 'check TICK FINGERPRINT'");
    WorldCheck check;
    check.Line = line;
    check.Tick = in.Number<int64_t>(w[1], "tick", 1, 100000000);
    const std::string& hex = w[2];
    if (hex.empty() || hex.size() > 16 ||
        hex.find_first_not_of("0123456789abcdef") != std::string::npos)
        in.Fail("a fingerprint is up to 16 digits 0-9 a-f, not " + Quote(hex));
    check.Hash = std::stoull(hex, nullptr, 16);
    return check;
}

}  // namespace

void AppendReplayTick(ReplayScript& script, int32_t lag, const std::vector<ReplayKey>& keys) {
    if (!script.Steps.empty() && script.Steps.back().Lag == lag &&
        script.Steps.back().Keys == keys) {
        ++script.Steps.back().Count;
        return;
    }
    ReplayStep step;
    step.Count = 1;
    step.Lag = lag;
    step.Keys = keys;
    script.Steps.push_back(step);
}

const char* ReplayKeyName(ReplayKey key) {
    for (const KeyName& k : kKeyNames)
        if (k.Key == key) return k.Name;
    return "";
}

std::string ReplayScriptText(const ReplayScript& script, const std::string& comment) {
    std::string out;
    std::istringstream lines(comment);
    for (std::string line; std::getline(lines, line);) out += "# " + line + "\n";
    out += "levels " + script.Levels + "\nlevel " + std::to_string(script.Level) + "\n";
    out += "speed " + std::to_string(script.Speed) + "\nseed " + std::to_string(script.Seed) + "\n";
    out += "character " + std::to_string(script.Character) + "\n";
    if (script.Mortal != 1) out += "mortal " + std::to_string(script.Mortal) + "\n";
    if (script.Practice) out += "practice 1\n";
    for (const ReplayStep& step : script.Steps) {
        out += std::to_string(step.Count) + " " + std::to_string(step.Lag);
        for (ReplayKey key : step.Keys) out += std::string(" ") + ReplayKeyName(key);
        out += "\n";
    }
    char hex[24];
    for (const WorldCheck& check : script.Checks) {
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(check.Hash));
        out += "check " + std::to_string(check.Tick) + " " + hex + "\n";
    }
    return out;
}

void RecordWorldCheck(ReplayScript& script, const World& world, int64_t tick, int32_t lag) {
    const auto second = static_cast<int64_t>(world.play.LevelTime) / 1000;
    const auto before = static_cast<int64_t>(world.play.LevelTime - lag) / 1000;
    if (world.play.LevelTime > 0 && second > before)
        script.Checks.push_back(WorldCheck{tick, WorldHash(world), 0});
}

void WorldCheckWatch::AfterTick(const World& world, int64_t tick) {
    if (world.play.ExitReached && exitMs_ < 0) exitMs_ = static_cast<int64_t>(world.play.LevelTime);
    while (next_ < checks_.size() && checks_[next_].Tick < tick) ++next_;
    if (next_ >= checks_.size() || checks_[next_].Tick != tick) return;
    if (diverged_ == 0) {
        if (WorldHash(world) == checks_[next_].Hash)
            agreed_ = tick;
        else
            diverged_ = tick;
    }
    ++next_;
}

void NoteChecks(ReplayResult& result, const WorldCheckWatch& watch, const ReplayScript& script) {
    result.Checked = !script.Checks.empty();
    result.DivergedAtTick = watch.DivergedAt();
    result.LastAgreedTick = watch.LastAgreed();
    result.ExitTimeMs = watch.ExitTime();
}

std::string EscapeControlBytes(std::string_view text) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto ch = static_cast<unsigned char>(c);
        if (!IsControlByte(ch)) {
            out += c;
            continue;
        }
        out += "\\x";
        out += kDigits[ch >> 4];
        out += kDigits[ch & 15];
    }
    return out;
}

ReplayScript ParseReplay(std::string_view text, const std::string& name) {
    ReplayScript script;
    bool gotLevels = false, gotLevel = false;
    int64_t gameMs = 0;
    std::istringstream lines{std::string(text)};
    int number = 0;
    for (std::string raw; std::getline(lines, raw);) {
        ++number;
        std::string_view line = raw;
        if (size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        std::vector<std::string> words = SplitWords(line);
        if (words.empty()) continue;
        LineReader in(name, number);
        if (words[0] == "check") {
            script.Checks.push_back(ReadCheck(in, words, number));
            if (script.Checks.size() > 1 &&
                script.Checks.back().Tick <= script.Checks[script.Checks.size() - 2].Tick)
                in.Fail("checks must come in the order of their ticks");
            continue;
        }
        if (ReadHeader(in, words, script, gotLevels, gotLevel)) continue;
        const unsigned char first = static_cast<unsigned char>(words[0][0]);
        if (!std::isdigit(first) && first != '-') in.Fail("unknown word " + Quote(words[0]));
        script.Steps.push_back(ReadStep(in, words, number));
        gameMs += script.Steps.back().Count * script.Steps.back().Lag;
        if (gameMs > kLongestReplayMs) in.Fail("the replay runs past 24 hours of game time");
    }
    if (!gotLevels) throw std::runtime_error(name + ": no 'levels' line");
    if (!gotLevel) throw std::runtime_error(name + ": no 'level' line");
    return script;
}

ReplayScript ReadReplayFile(const std::string& path) {
    const Bytes bytes = ReadFileBytes(path, kLargestReplay);
    return ParseReplay(std::string(bytes.begin(), bytes.end()), path);
}

namespace {

const char* OutcomeName(const PlayState& play, bool levelEnded) {
    if (!levelEnded) return "playing";
    switch (play.LevelOutcome) {
        case kOutcomeMade:
            return "made";
        case kOutcomeKilled:
            return "killed";
        case kOutcomeAborted:
            return "aborted";
        default:
            return "playing";
    }
}

}  // namespace

ReplayResult ResultOfWorld(const World& world, bool levelEnded, int64_t ticks) {
    const PlayState& play = world.play;
    const LevelGrid& level = world.level;
    ReplayResult r;
    r.Outcome = OutcomeName(play, levelEnded);
    r.Ticks = ticks;
    r.LevelTimeMs = static_cast<int64_t>(std::trunc(play.LevelTime));
    r.Lives = play.Lives;
    r.Bombs = play.Bombs;
    r.InfotronsGot = play.InfotronsGot;
    r.InfotronsNeeded = play.InfotronsNeeded;
    r.PlayerX = play.PlayerX;
    r.PlayerY = play.PlayerY;
    r.Monsters = level.MonsterCount;
    r.Moving = play.FallCount;
    const int rows = std::clamp(level.Rows, 0, kMaxPlayArea) + 2;
    const int cols = std::clamp(level.Cols, 0, kMaxPlayArea) + 2;
    for (int row = 0; row < rows; ++row) {
        std::vector<int32_t>& line = r.Grid.emplace_back();
        for (int col = 0; col < cols; ++col) line.push_back(level.Cells[row][col].Tile);
    }
    return r;
}

std::string ReplayResultJson(const ReplayResult& r) {
    std::ostringstream out;
    out << "{\n  \"outcome\": \"" << r.Outcome << "\",\n"
        << "  \"ticks\": " << r.Ticks << ",\n"
        << "  \"level_time_ms\": " << r.LevelTimeMs << ",\n"
        << "  \"lives\": " << r.Lives << ",\n"
        << "  \"bombs\": " << r.Bombs << ",\n"
        << "  \"infotrons_got\": " << r.InfotronsGot << ",\n"
        << "  \"infotrons_needed\": " << r.InfotronsNeeded << ",\n"
        << "  \"player\": {\"x\": " << r.PlayerX << ", \"y\": " << r.PlayerY << "},\n"
        << "  \"monsters\": " << r.Monsters << ",\n"
        << "  \"moving\": " << r.Moving << ",\n";
    if (r.Checked) {
        out << "  \"exit_time_ms\": " << r.ExitTimeMs << ",\n"
            << "  \"diverged_at_tick\": " << r.DivergedAtTick << ",\n"
            << "  \"last_agreed_tick\": " << r.LastAgreedTick << ",\n";
    }
    out << "  \"grid\": [";
    for (size_t row = 0; row < r.Grid.size(); ++row) {
        out << (row ? ",\n    [" : "\n    [");
        for (size_t col = 0; col < r.Grid[row].size(); ++col)
            out << (col ? "," : "") << r.Grid[row][col];
        out << "]";
    }
    out << (r.Grid.empty() ? "]\n}\n" : "\n  ]\n}\n");
    return out.str();
}
