// Helpers of the level tests: levels made from tile codes, plain tile sets, a game in a temp
// folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "level/level_record.h"
#include "media/library_format.h"
#include "screens/game.h"
#include "support/test_support.h"

// A level of the given play-area rows (all of one length), the start in the centre of
// (startRow, startCol).
LevelRecord MakeLevel(const std::vector<std::vector<int>>& rows, int startRow = 1, int startCol = 1,
                      const std::string& name = "Test", const std::string& tileSet = "tiles.dxg");
// Pictures 0..count-1, each one 40 x 40 pattern.
std::vector<PictureData> PlainTiles(int count);
void WriteTileSet(const std::string& path, const std::vector<PictureData>& pictures);

// A fresh game whose folder is a temporary folder holding "set.lev" and "tiles.dxg".
class LoaderRig {
  public:
    LoaderRig();
    Game& game() { return *game_; }
    const std::string& Dir() const { return dir_.Path(); }
    // Writes the set as "set.lev" and reads its index with ReadLevelSet.
    void UseSet(const LevelSetData& set);
    void UseLevels(const std::vector<LevelRecord>& levels);
    void WriteTiles(const std::vector<PictureData>& pictures,
                    const std::string& name = "tiles.dxg");
    // Writes raw bytes as "set.lev" without reading them.
    void WriteSetBytes(const Bytes& bytes);
    // The message of the FileError that `action` throws ("" when it throws none).
    template <typename F>
    static std::string ErrorOf(F action) {
        try {
            action();
        } catch (const FileError& e) {
            return e.what();
        }
        return "";
    }

  private:
    TempDir dir_;
    std::unique_ptr<Game> game_;
};
