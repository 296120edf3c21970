// The status bar's counters under the play field.
#include "render/status_bar.h"

#include <cmath>

#include "app/game.h"

namespace {

// Draws a perslist picture by index at the running position and moves the position on by the
// picture's width (its pattern width when it has one).
struct Row {
    Game& game;
    int X;

    void Put(int index, int y) {
        const Picture& picture = game.media.perslist.PictureAt(index);
        picture.DrawPattern(game.media.Back, X, y, 0);
        X += picture.PatternPixelWidth();
    }
    void Digit(int32_t value, int y) { Put(spDigitZero + value % 10, y); }
};

int32_t NonNegative(int32_t v) {
    return v < 0 ? 0 : v;
}

// Infotron counts: the hundreds only from 100 up, then always tens and units.
void PutCount(Row& row, int32_t count, int y) {
    count = NonNegative(count);
    if (count >= 100) row.Digit(count / 100, y);
    row.Digit(count / 10, y);
    row.Digit(count, y);
}

}  // namespace

void DrawBombCounter(Game& game, int x, int y) {
    game.media.perslist.PictureAt(spBombIcon).DrawPattern(game.media.Back, x, y, 0);
    const int32_t bombs = NonNegative(game.play.Bombs);
    Row row{game, x + 35};
    row.Digit(bombs / 10, y - 1);
    row.Digit(bombs, y - 1);
}

void DrawInfotronCounter(Game& game, int x, int y) {
    game.media.perslist.PictureAt(spInfotronIcon).DrawPattern(game.media.Back, x, y, 0);
    Row row{game, x + 40};
    PutCount(row, game.play.InfotronsGot, y - 1);
    row.Put(spInfotronSeparator, y - 1);
    PutCount(row, game.play.InfotronsNeeded, y - 1);
}

void DrawTimeCounter(Game& game, int x, int y) {
    const double time = game.play.LevelTime > 0 ? game.play.LevelTime : 0;
    // Minutes show modulo 100, so only the seconds modulo 6000 matter.
    const auto seconds = static_cast<int32_t>(std::fmod(std::trunc(time / 1000), 6000.0));
    const int32_t minutes = seconds / 60;
    const int32_t rest = seconds % 60;
    game.media.perslist.PictureAt(spTimeIcon).DrawPattern(game.media.Back, x, y, 0);
    Row row{game, x + 35};
    row.Digit(minutes / 10, y - 1);
    row.Digit(minutes, y - 1);
    row.Put(spTimeSeparator, y - 3);
    row.Digit(rest / 10, y - 1);
    row.Digit(rest, y - 1);
}

void DrawLives(Game& game, int x, int y) {
    const Picture& life = game.media.perslist.PictureAt(spLife);
    int step = 0;
    for (int32_t i = 0; i < game.play.Lives; ++i) {
        life.DrawPattern(game.media.Back, x + step, y, 0);
        step += life.PatternPixelWidth() + 5;
    }
}
