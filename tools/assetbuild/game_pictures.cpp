// The game's picture library "tolmara.dxg": characters, play-screen plates, explosion, status bar
// pictures and the game finished screen, in list order.
#include <stdexcept>
#include <string>

#include "assetbuild/assets.h"
#include "assetbuild/game_art.h"

namespace {

// The status bar counters address their pictures by list position, not by name.
constexpr int kTimeIconAt = 24;
constexpr int kDigitsAt = 29;
constexpr int kSlashAt = 39;
constexpr int kColonAt = 40;

void Append(std::vector<PictureData>& list, std::vector<PictureData> more) {
    for (PictureData& p : more) list.push_back(std::move(p));
}

}  // namespace

std::vector<PictureData> BuildGamePictures() {
    std::vector<PictureData> list;
    Append(list, RobotPictures());     // 0..7
    Append(list, EngineerPictures());  // 8..13
    list.push_back(ExplosionPicture());
    list.push_back(StatusBarPicture());
    list.push_back(PausePlate());
    list.push_back(FillerBoard());
    list.push_back(MessageStrip());
    list.push_back(ResultPlate("youmadeit", "You made it!", 0));
    list.push_back(ResultPlate("killed", "Killed!", 1));
    list.push_back(ResultPlate("aborted", "Level aborted", 2));
    list.push_back(FinishedBackground());
    list.push_back(FinishedPlate());  // 23
    if (list.size() != kTimeIconAt)
        throw std::logic_error("tolmara.dxg: the named pictures must fill positions 0 to 23, not " +
                               std::to_string(list.size()));
    list.push_back(TimeIcon());                                    // 24
    list.push_back(InfotronIcon());                                // 25
    list.push_back(LifeIcon());                                    // 26
    list.push_back(LifeSlotIcon());                                // 27
    list.push_back(BombIcon());                                    // 28
    for (int d = 0; d <= 9; ++d) list.push_back(DigitPicture(d));  // 29..38
    list.push_back(SlashPicture());                                // 39
    list.push_back(ColonPicture());                                // 40
    if (list.size() != kColonAt + 1 || list[kDigitsAt].Name != "digit0" ||
        list[kSlashAt].Name != "slash")
        throw std::logic_error("tolmara.dxg: status bar pictures out of place");
    return list;
}
