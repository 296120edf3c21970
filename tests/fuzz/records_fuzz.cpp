// Fuzz target: the records database as the game reads it. The first byte chooses what the rest
// is: 0 (even), a database file of its own, opened as the game opens it (a damaged one is moved
// aside) and read with every query of the board; 1 (odd), the text of a kept run, stored in a
// sound database and read back and parsed as the board and the ghost do. Opening may only fail
// with FileError and parsing a run only with std::runtime_error; anything else (another
// exception, a sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "fuzz/fuzz_support.h"
#include "game/replay.h"
#include "media/byte_io.h"
#include "store/records.h"

namespace {

void ReadEverything(RecordStore& store) {
    for (int level = 1; level <= 3; ++level) {
        for (const RunRecord& run : store.Board("Tolmara.lev", level, 300, 10)) {
            try {
                ParseReplay(run.Replay, "a kept run");
            } catch (const std::runtime_error&) {
            }
            store.BestOf(run.LevelSet, run.Level, run.Player, run.Speed);
        }
        store.StatsOf("Tolmara.lev", level, "Ann");
    }
    store.Choice("ghost", "off");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string path = ScratchDir() + "records.sqlite";
    std::error_code ec;
    for (const char* suffix : {"", "-journal", ".damaged", ".damaged-journal"})
        std::filesystem::remove(path + suffix, ec);
    std::string notice;
    try {
        if (data[0] % 2 == 0) {
            WriteWholeFile(path, data + 1, size - 1);
            if (std::unique_ptr<RecordStore> store = RecordStore::Open(path, notice))
                ReadEverything(*store);
            return 0;
        }
        std::unique_ptr<RecordStore> store = RecordStore::Open(path, notice);
        RunRecord run;
        run.LevelSet = "Tolmara.lev";
        run.Level = 1 + data[0] / 2 % 3;
        run.Player = "Ann";
        run.TimeMs = 1000;
        run.Date = "2026-12-08 07:00";
        run.Replay.assign(reinterpret_cast<const char*>(data + 1), size - 1);
        store->OfferRun(run);
        ReadEverything(*store);
    } catch (const FileError&) {
    }
    return 0;
}
