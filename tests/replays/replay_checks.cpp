// Expectation lines of replay files and their evaluation against a game.
#include "replays/replay_checks.h"

#include <map>
#include <sstream>
#include <stdexcept>

#include "screens/game.h"

namespace {

// Number of values each expectation takes (-1: at least one).
const std::map<std::string, int>& Arity() {
    static const std::map<std::string, int> arity = {
        {"outcome", 1},   {"ticks", 1},      {"time", 1},     {"lives", 1},     {"bombs", 1},
        {"infotrons", 2}, {"player", 2},     {"monsters", 1}, {"moving", 1},    {"cell", 3},
        {"row", -1},      {"screen", 1},     {"message", 1},  {"nomessage", 1}, {"phase", 4},
        {"view", 2},      {"explosions", 1}, {"placed", 1},   {"guard", 1},     {"dying", 1},
        {"paused", 1},    {"state", 1},      {"monster", 3},  {"mover", 3},     {"queued", 2},
    };
    return arity;
}

std::string Describe(const ReplayCheck& c) {
    std::string text = "line " + std::to_string(c.Line) +
                       (c.AtTick ? " (at tick " + std::to_string(c.AtTick) + ")" : "") + ":";
    for (const std::string& w : c.Words) text += " " + w;
    return text;
}

int64_t Value(const ReplayCheck& c, size_t i) {
    return std::stoll(c.Words.at(i));
}

std::string Compare(const ReplayCheck& c, const std::string& got, const std::string& want) {
    if (got == want) return "";
    return Describe(c) + ": got " + got + ", want " + want;
}

std::string CompareNumbers(const ReplayCheck& c, std::initializer_list<int64_t> got) {
    std::string g, w;
    size_t i = 1;
    for (int64_t v : got) {
        g += (g.empty() ? "" : " ") + std::to_string(v);
        w += (w.empty() ? "" : " ") + c.Words.at(i++);
    }
    return Compare(c, g, w);
}

int32_t CellTile(const Game& g, int64_t row, int64_t col) {
    if (row < 0 || row >= kGridSize || col < 0 || col >= kGridSize)
        throw std::out_of_range("cell outside the grid");
    return g.world.level.Cells[row][col].Tile;
}

std::string CheckRow(const ReplayCheck& c, const Game& g) {
    const int64_t row = Value(c, 1);
    std::string got, want;
    for (size_t i = 2; i < c.Words.size(); ++i) {
        got += (i > 2 ? " " : "") + std::to_string(CellTile(g, row, static_cast<int64_t>(i) - 2));
        want += (i > 2 ? " " : "") + c.Words[i];
    }
    return Compare(c, got, want);
}

std::string CheckPhase(const ReplayCheck& c, const Game& g) {
    const double phase = g.world.level.Cells.at(Value(c, 1)).at(Value(c, 2)).Phase;
    const double low = std::stod(c.Words[3]), high = std::stod(c.Words[4]);
    if (phase >= low && phase <= high) return "";
    return Describe(c) + ": phase " + std::to_string(phase);
}

// Expectations on the game's state, valid at any tick.
std::string CheckState(const ReplayCheck& c, const Game& g) {
    const std::string& what = c.Words[0];
    const PlayState& p = g.world.play;
    if (what == "time") return CompareNumbers(c, {static_cast<int64_t>(p.LevelTime)});
    if (what == "lives") return CompareNumbers(c, {p.Lives});
    if (what == "bombs") return CompareNumbers(c, {p.Bombs});
    if (what == "infotrons") return CompareNumbers(c, {p.InfotronsGot, p.InfotronsNeeded});
    if (what == "player") return CompareNumbers(c, {p.PlayerX, p.PlayerY});
    if (what == "monsters") return CompareNumbers(c, {g.world.level.MonsterCount});
    if (what == "moving") return CompareNumbers(c, {p.FallCount});
    if (what == "cell")
        return Compare(c, std::to_string(CellTile(g, Value(c, 1), Value(c, 2))), c.Words[3]);
    if (what == "row") return CheckRow(c, g);
    if (what == "screen") return CompareNumbers(c, {static_cast<int64_t>(g.screens.CurrentScreen)});
    if (what == "message")
        return Compare(c, g.messages.MessageShown.at(Value(c, 1)) ? "shown" : "not shown", "shown");
    if (what == "nomessage")
        return Compare(c, g.messages.MessageShown.at(Value(c, 1)) ? "shown" : "not shown",
                       "not shown");
    if (what == "phase") return CheckPhase(c, g);
    if (what == "view") return CompareNumbers(c, {p.ViewX, p.ViewY});
    if (what == "explosions") return CompareNumbers(c, {p.ExplosionCount});
    if (what == "placed") return CompareNumbers(c, {p.PlacedBombCount});
    if (what == "guard") return CompareNumbers(c, {p.BlastGuard ? 1 : 0});
    if (what == "dying") return CompareNumbers(c, {p.PlayerDying ? 1 : 0});
    if (what == "paused") return CompareNumbers(c, {g.input.Paused ? 1 : 0});
    if (what == "state") return CompareNumbers(c, {p.MoveState});
    if (what == "queued") {
        int64_t count = 0;
        for (int32_t i = 0; i < g.messages.MessageCount && i < kMaxQueuedMessages; ++i) {
            const int32_t code = g.messages.MessageQueue[i].Code;
            if (code == Value(c, 1) || code == Value(c, 1) + 200) ++count;
        }
        return Compare(c, std::to_string(count), c.Words[2]);
    }
    if (what == "monster") {
        const Monster& m = g.world.level.Monsters.at(Value(c, 1));
        return Compare(c,
                       std::to_string(static_cast<int64_t>(m.PosX)) + " " +
                           std::to_string(static_cast<int64_t>(m.PosY)),
                       c.Words[2] + " " + c.Words[3]);
    }
    const Mover& m = p.FallList.at(Value(c, 1));  // "mover"
    return Compare(
        c,
        std::to_string(static_cast<int64_t>(m.X)) + " " + std::to_string(static_cast<int64_t>(m.Y)),
        c.Words[2] + " " + c.Words[3]);
}

}  // namespace

std::vector<ReplayCheck> ParseReplayChecks(const std::string& text, const std::string& name) {
    std::vector<ReplayCheck> checks;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (line.rfind("#=", 0) != 0) continue;
        std::istringstream in(line.substr(2));
        ReplayCheck check;
        check.Line = number;
        for (std::string w; in >> w;) check.Words.push_back(w);
        auto fail = [&](const std::string& what) {
            throw std::runtime_error(name + ", line " + std::to_string(number) + ": " + what);
        };
        if (check.Words.size() >= 2 && check.Words[0] == "at") {
            check.AtTick = std::stoll(check.Words[1]);
            if (check.AtTick < 1) fail("ticks count from 1");
            check.Words.erase(check.Words.begin(), check.Words.begin() + 2);
        }
        if (check.Words.empty()) fail("empty expectation");
        auto it = Arity().find(check.Words[0]);
        if (it == Arity().end()) fail("unknown expectation '" + check.Words[0] + "'");
        const size_t values = check.Words.size() - 1;
        if ((it->second < 0 && values < 2) ||
            (it->second >= 0 && values != static_cast<size_t>(it->second)))
            fail("wrong number of values for '" + check.Words[0] + "'");
        if (check.AtTick && (check.Words[0] == "outcome" || check.Words[0] == "ticks"))
            fail("'" + check.Words[0] + "' is known only after the run");
        checks.push_back(check);
    }
    return checks;
}

std::string FailedCheck(const ReplayCheck& check, const Game& game, const ReplayResult* result) {
    const std::string& what = check.Words[0];
    if (what == "outcome") return Compare(check, result ? result->Outcome : "?", check.Words[1]);
    if (what == "ticks") return CompareNumbers(check, {result ? result->Ticks : -1});
    return CheckState(check, game);
}
