// The game's own level sources (assets/levels): they build and pass the check with a full tile
// set. That every level can be made is shown by its recorded replay (tests/levels).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dxgwriter/library_writer.h"
#include "level/level_check.h"
#include "level/level_source.h"
#include "level/level_writer.h"
#include "store/atomic_write.h"
#include "support/test_data.h"
#include "support/test_support.h"

namespace {

LevelSetData ShippedLevels() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "assets/levels"))
        if (entry.path().extension() == ".lvl") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<LevelSourceText> sources;
    for (const std::string& path : paths) {
        Bytes bytes = ReadFileBytes(path);
        sources.push_back({path, std::string(bytes.begin(), bytes.end())});
    }
    return ParseLevelSources(sources);
}

TEST(ShippedLevels, BuildAndPassTheCheck) {
    LevelSetData set = ShippedLevels();
    EXPECT_GE(set.Levels.size(), 3u);
    EXPECT_EQ(set.SetName, "Tolmara Deepgrid");
    TempDir dir;
    WriteFileAtomically(dir.File("computer.dxg"), WritePictureLibrary(TestTilePictures()));
    std::vector<CheckFinding> findings =
        CheckLevelSet(WriteLevelSet(set), "Tolmara.lev", dir.Path());
    for (const CheckFinding& f : findings) ADD_FAILURE() << f.Text;
}

}  // namespace
