// Drawing of the players screen: panels and buttons, the name being entered with its cursor,
// the player names around the selection and the three level lines.
#include <string>

#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/players_screen.h"

namespace {

constexpr int kNameTextOffset = 77;   // text x within the player panel
constexpr int kLevelTextOffset = 65;  // text x within the level panel
constexpr int kNameWidthLimit = 120;  // pixels
constexpr int kBestTimeRight = 240;   // right end of a level line's best time, from its text x

const char* ArrowPicture(int32_t part) {
    return part == 1 ? "butoane1" : (part == 3 ? "butoane2" : "butoane");
}

const char* EditDeletePicture(int32_t action) {
    return action == 1 ? "ex1" : (action == 2 ? "ex2" : "ex");
}

int SelectedPlayer(const Game& game) {
    const int32_t p = game.players.CurrentPlayer;
    return p < 1 ? 1 : (p > kMaxPlayers ? kMaxPlayers : p);
}

// One level line: number, a space, the name. Lines past the set's last level are drawn too, with
// the empty name of an unused entry; only a number beyond the name table has no line (after the
// last level of a full set is made, CurrentLevel is one past the set for a moment).
void DrawLevelLine(Game& game, int32_t level, int y, uint32_t colour) {
    if (level < 1 || level > kMaxLevels) return;
    const int x = static_cast<int>(game.screens.players.LevelPanelX) + kLevelTextOffset;
    WriteMenuText(game, x, y, colour,
                  std::to_string(level) + " " + game.levels.LevelNames[level - 1]);
    if (level > game.levels.LevelSet.LevelCount) return;
    const int64_t best = ShownBestTime(game, level);
    if (best < 0) return;
    // The selected player's best time, small, at the right end of the line.
    TextCanvas& canvas = game.media.Canvas;
    const std::string text = RunTimeText(best);
    canvas.SetFont("Arial", 9);
    canvas.SetColor(kTextAqua);
    canvas.WriteText(game.media.Back, x + kBestTimeRight - canvas.TextPixelWidth(text), y + 6,
                     text);
    canvas.ReleaseCanvas();
}

}  // namespace

void DrawPlayersPanels(Game& game) {
    const PlayersScreenState& ps = game.screens.players;
    const int player = static_cast<int>(ps.PlayerPanelX);
    const int levels = static_cast<int>(ps.LevelPanelX);
    const int buttons = static_cast<int>(ps.ButtonsY);
    DrawMenuBackdrop(game);
    DrawMenuPicture(game, "eyn", player, 200);
    DrawMenuPicture(game, ps.AddFlash ? "adda" : "add", player + 216, 240);
    DrawMenuPicture(game, ArrowPicture(ps.PlayerArrowPart), player + 48, 278);
    DrawMenuPicture(game, "cal", levels + 5, 221);
    DrawMenuPicture(game, ArrowPicture(ps.LevelArrowPart), levels + 24, 275);
    DrawMenuPicture(game, EditDeletePicture(game.input.PlayerAction), player + 224, 360);
    DrawMenuPicture(game, ps.PlayersAction == 1 ? "backs" : "back", 249, buttons);
    DrawMenuPicture(game, ps.PlayersAction == 2 ? "oks" : "ok", 320, buttons);
}

// The text grows until its drawn width reaches the limit; the cursor blinks 300 ms on, 300 off.
void DrawNameEntry(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    const int x = static_cast<int>(ps.PlayerPanelX) + kNameTextOffset;
    const int width = WriteMenuText(game, x, 240, kTextAqua, ps.EditText);
    ps.NameHasRoom = width < kNameWidthLimit;
    ps.CursorTime = (ps.CursorTime + lag) % 600;
    if (ps.CursorTime < 300) DrawMenuPicture(game, "cursor", x + width, 242);
}

void DrawPlayerNames(Game& game) {
    const PlayerTable& players = game.players;
    const int x = static_cast<int>(game.screens.players.PlayerPanelX) + kNameTextOffset;
    const int p = SelectedPlayer(game);
    if (p > 1) WriteMenuText(game, x, 277, kTextYellow, players.PlayerNames[p - 1]);
    if (p < kMaxPlayers) WriteMenuText(game, x, 329, kTextYellow, players.PlayerNames[p + 1]);
    WriteMenuText(game, x, 303, kTextGreen, players.PlayerNames[p]);
}

// Levels the selected player may not start yet are red; with the cheat every line has its plain
// colour. Level 1 is red only while nobody has a name; level 1 always shows level 2 beside it,
// whatever the set's size, while other selections show a next line only inside the set.
void DrawLevelLines(Game& game) {
    const int32_t level = game.world.play.CurrentLevel;
    const bool cheat = game.input.CheatMode;
    const bool anyPlayer = game.players.PlayerCount > 0;
    const int32_t reach = game.players.PlayerLevels[SelectedPlayer(game)];
    auto colour = [&](bool open, uint32_t plain) { return cheat || open ? plain : kTextRed; };
    if (level == 1) {
        DrawLevelLine(game, 1, 305, colour(anyPlayer, kTextGreen));
        DrawLevelLine(game, 2, 331, colour(reach != 1, kTextYellow));
        return;
    }
    DrawLevelLine(game, level - 1, 279, colour(anyPlayer && reach >= level - 1, kTextYellow));
    DrawLevelLine(game, level, 305, colour(reach >= level, kTextGreen));
    if (level + 1 <= game.levels.LevelSet.LevelCount)
        DrawLevelLine(game, level + 1, 331, colour(reach >= level + 1, kTextYellow));
}
