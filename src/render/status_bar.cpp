// The status bar's counters under the play field.
#include "render/status_bar.h"

#include <cmath>

#include "game/play_state.h"
#include "media/picture.h"

namespace {

// Draws a picture of the game's list by index at the running position and moves the position on by
// the picture's width (its pattern width when it has one).
struct Row {
    Surface& back;
    const PictureList& pictures;
    int X;

    void Put(int index, int y) {
        const Picture& picture = pictures.PictureAt(index);
        picture.DrawPattern(back, X, y, 0);
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

void DrawBombCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                     int y) {
    pictures.PictureAt(spBombIcon).DrawPattern(back, x, y, 0);
    const int32_t bombs = NonNegative(play.Bombs);
    Row row{back, pictures, x + 35};
    row.Digit(bombs / 10, y - 1);
    row.Digit(bombs, y - 1);
}

void DrawInfotronCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                         int y) {
    pictures.PictureAt(spInfotronIcon).DrawPattern(back, x, y, 0);
    Row row{back, pictures, x + 40};
    PutCount(row, play.InfotronsGot, y - 1);
    row.Put(spInfotronSeparator, y - 1);
    PutCount(row, play.InfotronsNeeded, y - 1);
}

void DrawTimeCounter(Surface& back, const PictureList& pictures, const PlayState& play, int x,
                     int y) {
    const double time = play.LevelTime > 0 ? play.LevelTime : 0;
    // Minutes show modulo 100, so only the seconds modulo 6000 matter.
    const auto seconds = static_cast<int32_t>(std::fmod(std::trunc(time / 1000), 6000.0));
    const int32_t minutes = seconds / 60;
    const int32_t rest = seconds % 60;
    pictures.PictureAt(spTimeIcon).DrawPattern(back, x, y, 0);
    Row row{back, pictures, x + 35};
    row.Digit(minutes / 10, y - 1);
    row.Digit(minutes, y - 1);
    row.Put(spTimeSeparator, y - 3);
    row.Digit(rest / 10, y - 1);
    row.Digit(rest, y - 1);
}

void DrawLives(Surface& back, const PictureList& pictures, const PlayState& play, int x, int y) {
    const Picture& life = pictures.PictureAt(spLife);
    int step = 0;
    for (int32_t i = 0; i < play.Lives; ++i) {
        life.DrawPattern(back, x + step, y, 0);
        step += life.PatternPixelWidth() + 5;
    }
}
