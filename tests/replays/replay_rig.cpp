// Data folders for replay tests.
#include "replays/replay_rig.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "level/level_source.h"
#include "level/level_writer.h"
#include "media/byte_io.h"
#include "store/atomic_write.h"
#include "support/test_data.h"

std::string ReplayDataDir() {
    return SourceDir() + "tests/replays/data/";
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void BuildLevelSet(const std::string& sourceName, const std::string& outPath) {
    const LevelSourceText source{sourceName, ReadText(ReplayDataDir() + sourceName)};
    WriteFileAtomically(outPath, WriteLevelSet(ParseLevelSources({source})));
}

ReplayFolder::ReplayFolder(const ReplayScript& script) {
    WriteTestDataFiles(dir_.Path());
    const std::filesystem::path levels(script.Levels);
    if (levels.has_parent_path()) return;
    const std::string source = levels.stem().string() + ".lvl";
    if (std::filesystem::exists(ReplayDataDir() + source))
        BuildLevelSet(source, dir_.File(script.Levels));
}
