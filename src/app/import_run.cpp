// A run imported from a replay file into the records.
#include "app/import_run.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "game/replay_simulation.h"
#include "screens/run_record.h"
#include "store/records.h"

int ImportRun(const GameFolders& folders, const std::string& file, const std::string& player) {
    try {
        if (player.empty()) throw std::runtime_error(file + ": no player named to import it for");
        const ReplayScript script = ReadReplayFile(file);
        if (script.Levels.find('/') != std::string::npos)
            throw std::runtime_error(file + ": the run names its level set by a path (" +
                                     script.Levels + "); a run keeps the set's file name only");
        if (script.Mortal != 1)
            throw std::runtime_error(file + ": the run was made with the invincibility on");
        if (script.Practice)
            throw std::runtime_error(file + ": the run was stepped back in time (practice)");
        ReplayScript played = script;
        played.Levels = LevelSetPath(folders, script.Levels);
        const ReplayResult result = SimulateReplay(played, folders.Data);
        const int64_t exitMs = result.ExitTimeMs;
        if (result.Outcome != "made" || exitMs < 0)
            throw std::runtime_error(file + ": the run does not make level " +
                                     std::to_string(script.Level) + " of " + script.Levels +
                                     " (it ends " + result.Outcome + ")");
        if (result.DivergedAtTick != 0)
            throw std::runtime_error(file +
                                     ": the run goes another way than it was recorded at tick " +
                                     std::to_string(result.DivergedAtTick));
        std::string notice;
        std::unique_ptr<RecordStore> records =
            RecordStore::Open(folders.Save + kRecordsFile, notice);
        if (!notice.empty()) std::fprintf(stderr, "%s\n", notice.c_str());
        if (!records) return 1;
        RunRecord run;
        run.LevelSet = script.Levels;
        run.Level = script.Level;
        run.Player = player;
        run.TimeMs = exitMs;
        run.Date = RunDateNow();
        run.Character = script.Character;
        run.Speed = script.Speed;
        run.Replay = ReplayScriptText(script, "imported for " + player + " from " + file);
        const auto best = records->BestOf(run.LevelSet, run.Level, player, run.Speed);
        if (records->OfferRun(run)) {
            std::printf("%s: kept as %s's best on level %d of %s at speed %d: %s\n", file.c_str(),
                        player.c_str(), run.Level, run.LevelSet.c_str(), run.Speed,
                        RunTimeText(run.TimeMs).c_str());
        } else {
            std::printf("%s: makes level %d in %s, not better than %s's best of %s: not kept\n",
                        file.c_str(), run.Level, RunTimeText(run.TimeMs).c_str(), player.c_str(),
                        RunTimeText(best ? best->TimeMs : 0).c_str());
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara: %s\n", EscapeControlBytes(e.what()).c_str());
        return 1;
    }
}
