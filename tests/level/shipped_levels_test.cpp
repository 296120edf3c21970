// The game's own level sources (assets/levels): they build, pass the check with a full tile set,
// and every level can be made by walking.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <queue>

#include "dxgwriter/library_writer.h"
#include "level/level_check.h"
#include "level/level_source.h"
#include "level/level_writer.h"
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

bool Walkable(int32_t tile) {
    return tile >= tcInfotron && tile <= tcBomb;
}

// The cells the player can reach from the start by walking, eating and passing ports, with
// every loose object standing still.
std::vector<std::vector<bool>> Reachable(const LevelRecord& level) {
    std::vector<std::vector<bool>> seen(level.Rows + 2, std::vector<bool>(level.Cols + 2, false));
    auto inside = [&](int r, int c) {
        return r >= 1 && r <= level.Rows && c >= 1 && c <= level.Cols;
    };
    const int dr[4] = {0, 1, 0, -1}, dc[4] = {1, 0, -1, 0};
    const int port[4] = {tcPortRight, tcPortDown, tcPortLeft, tcPortUp};
    std::queue<std::pair<int, int>> todo;
    todo.push({level.StartY / 40, level.StartX / 40});
    seen[todo.front().first][todo.front().second] = true;
    while (!todo.empty()) {
        auto [r, c] = todo.front();
        todo.pop();
        for (int d = 0; d < 4; ++d) {
            int nr = r + dr[d], nc = c + dc[d];
            if (!inside(nr, nc)) continue;
            int32_t next = level.CellAt(nr, nc).Tile;
            if (next == port[d]) {
                nr += dr[d];
                nc += dc[d];
                if (!inside(nr, nc)) continue;
                next = level.CellAt(nr, nc).Tile;
            }
            if (!Walkable(next) || seen[nr][nc]) continue;
            seen[nr][nc] = true;
            todo.push({nr, nc});
        }
    }
    return seen;
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

TEST(ShippedLevels, EveryLevelCanBeMadeByWalking) {
    for (const LevelRecord& level : ShippedLevels().Levels) {
        SCOPED_TRACE(level.LevelName);
        auto seen = Reachable(level);
        int infotrons = 0, reachableInfotrons = 0;
        bool exitReachable = false;
        for (int r = 1; r <= level.Rows; ++r)
            for (int c = 1; c <= level.Cols; ++c) {
                int32_t tile = level.CellAt(r, c).Tile;
                if (tile == tcInfotron) {
                    ++infotrons;
                    reachableInfotrons += seen[r][c] ? 1 : 0;
                }
                // The level is made by resting directly below the exit.
                if (tile == tcExit && r < level.Rows && seen[r + 1][c]) exitReachable = true;
            }
        int needed = level.InfotronQuota != 0 ? level.InfotronQuota : infotrons;
        EXPECT_GT(infotrons, 0);
        EXPECT_GE(reachableInfotrons, needed);
        EXPECT_TRUE(exitReachable);
    }
}

}  // namespace
