// Monster movement held against a plain model of its rules on random mazes: every monster, every
// field, every turning slot and every cell compared after each tick, at every speed and with
// uneven lags; then the catches moving left and right and a catch that removes a monster
// while the others are still to move.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "game/game_rig.h"
#include "game/monsters.h"

namespace {

// The monster rules as they read, step by step, on a copy of the grid and the table.
class Model {
  public:
    Model(const LevelGrid& level, const GameRandom& random, int speed)
        : level_(level), random_(random), speed_(speed) {}

    const LevelGrid& Level() const { return level_; }

    void Run(int lag) {
        for (int m = 1; m <= level_.MonsterCount; ++m) One(m, lag);
    }

  private:
    bool E(int r, int c) const { return level_.Cells[r][c].Tile == 15; }

    void One(int m, int lag) {
        Monster& o = level_.Monsters[m];
        int32_t& turn = level_.Turn[m];
        const double spin = static_cast<double>(lag) * speed_ / 20000;
        if (turn != 0 && o.Spin == 1) {  // turning to face its way
            o.FramePos = turn == 1 ? o.FramePos + spin : o.FramePos - spin;
            if (o.FramePos > o.Frames) o.FramePos -= o.Frames;
            if (o.FramePos < 0) o.FramePos += o.Frames;
            o.Frame = static_cast<int32_t>(std::trunc(o.FramePos));
            if ((o.Move == 1 && o.Frame == 0) || (o.Move == 2 && o.Frame == 2) ||
                (o.Move == 3 && o.Frame == 4) || (o.Move == 4 && o.Frame == 6))
                turn = 0;
        }
        if (turn != 0 && o.Spin == 2) turn = 0;  // no turning for this kind
        if (o.Move == 0) {
            Decide(o, turn, spin);
            if (o.Move != 0) {
                o.FromCol = o.Col;
                o.FromRow = o.Row;
                level_.Cells[o.Row][o.Col].Tile = 11;
            }
            return;
        }
        if (turn == 0) Advance(o, lag);
        o.Col = static_cast<int32_t>(std::trunc(o.PosX)) / 40;
        o.Row = static_cast<int32_t>(std::trunc(o.PosY)) / 40;
    }

    void Choose(Monster& o, int32_t& turn, int dir, int t) {
        if (o.Move != 0) return;
        o.Move = dir;
        if (dir == 1) o.TargetY = o.PosY - 40;
        if (dir == 2) o.TargetX = o.PosX - 40;
        if (dir == 3) o.TargetY = o.PosY + 40;
        if (dir == 4) o.TargetX = o.PosX + 40;
        turn = t;
    }

    void Decide(Monster& o, int32_t& turn, double spin) {
        const int r = o.Row, c = o.Col;
        if (turn == 0 && o.Heading >= 1 && o.Heading <= 3) {
            bool ccw = false, cw = false;
            int ccwDir = 0, cwDir = 0;
            if (o.Heading == 1) {
                ccw = E(r, c - 1) && !(E(r + 1, c - 1) && E(r - 1, c)), ccwDir = 2;
                cw = E(r, c + 1) && !(E(r + 1, c + 1) && E(r - 1, c)), cwDir = 4;
            } else if (o.Heading == 2) {
                ccw = E(r + 1, c) && !(E(r + 1, c + 1) && E(r, c - 1)), ccwDir = 3;
                cw = E(r - 1, c) && !(E(r - 1, c + 1) && E(r, c - 1)), cwDir = 1;
            } else {
                ccw = E(r, c + 1) && !(E(r - 1, c + 1) && E(r + 1, c)), ccwDir = 4;
                cw = E(r, c - 1) && !(E(r - 1, c - 1) && E(r + 1, c)), cwDir = 2;
            }
            const int ahead[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            const bool straight = E(r + ahead[o.Heading - 1][0], c + ahead[o.Heading - 1][1]);
            if (random_.Below(2) == 0) {
                if (ccw) Choose(o, turn, ccwDir, 1);
                if (cw) Choose(o, turn, cwDir, -1);
            } else {
                if (cw) Choose(o, turn, cwDir, -1);
                if (ccw) Choose(o, turn, ccwDir, 1);
            }
            if (straight) Choose(o, turn, o.Heading, 0);
        } else if (turn == 0 && o.Heading == 4) {
            if (E(r - 1, c) && !(E(r - 1, c - 1) && E(r, c + 1))) Choose(o, turn, 1, 1);
            if (E(r + 1, c) && !E(r + 1, c - 1)) Choose(o, turn, 3, -1);
            if (E(r, c + 1)) Choose(o, turn, 4, 0);
        } else if (turn != 0 && o.Heading == 4 && E(r, c + 1)) {
            Choose(o, turn, 4, 0);
        }
        if (o.Move == 0 && o.Spin == 1) {
            turn = 0;
            o.FramePos += spin;
            if (o.FramePos > o.Frames) o.FramePos -= o.Frames;
            o.Frame = static_cast<int32_t>(std::trunc(o.FramePos));
            if (o.Frame == 0 && E(r - 1, c)) Choose(o, turn, 1, 0);
            if (o.Frame == 2 && E(r, c - 1)) Choose(o, turn, 2, 0);
            if (o.Frame == 4 && E(r + 1, c)) Choose(o, turn, 3, 0);
            if (o.Frame == 6 && E(r, c + 1)) Choose(o, turn, 4, 0);
        }
        if (o.Move == 0 && o.Spin == 2) {
            if (E(r - 1, c)) Choose(o, turn, 1, 0);
            if (E(r, c - 1)) Choose(o, turn, 2, 0);
            if (E(r + 1, c)) Choose(o, turn, 3, 0);
            if (E(r, c + 1)) Choose(o, turn, 4, 0);
        }
    }

    void Advance(Monster& o, int lag) {
        o.Heading = o.Move;
        const double step = static_cast<double>(lag) * speed_ / 1000;
        bool arrived = false;
        if (o.Move == 1) o.PosY -= step, arrived = o.PosY < o.TargetY;
        if (o.Move == 2) o.PosX -= step, arrived = o.PosX < o.TargetX;
        if (o.Move == 3) o.PosY += step, arrived = o.PosY > o.TargetY;
        if (o.Move == 4) o.PosX += step, arrived = o.PosX > o.TargetX;
        if (!arrived) return;
        const bool vertical = o.Move == 1 || o.Move == 3;
        if (vertical)
            o.PosY = o.TargetY;
        else
            o.PosX = o.TargetX;
        o.Move = 0;
        level_.Cells[o.FromRow][o.FromCol].Tile = 15;
        if (vertical)
            level_.Cells[static_cast<int>(std::trunc(o.TargetY)) / 40][o.Col].Tile = 11;
        else
            level_.Cells[o.Row][static_cast<int>(std::trunc(o.TargetX)) / 40].Tile = 11;
    }

    LevelGrid level_;
    GameRandom random_;
    int speed_;
};

void ExpectSame(const LevelGrid& got, const LevelGrid& want, int tick) {
    ASSERT_EQ(got.MonsterCount, want.MonsterCount) << tick;
    for (int m = 1; m <= want.MonsterCount; ++m) {
        const Monster& a = got.Monsters[m];
        const Monster& b = want.Monsters[m];
        ASSERT_TRUE(a.PosX == b.PosX && a.PosY == b.PosY && a.Col == b.Col && a.Row == b.Row &&
                    a.Frame == b.Frame && a.FramePos == b.FramePos && a.Move == b.Move &&
                    a.TargetX == b.TargetX && a.TargetY == b.TargetY && a.Heading == b.Heading &&
                    a.FromCol == b.FromCol && a.FromRow == b.FromRow && got.Turn[m] == want.Turn[m])
            << "tick " << tick << " monster " << m << ": at " << a.PosX << "," << a.PosY << " move "
            << a.Move << " heading " << a.Heading << " frame " << a.FramePos << " turn "
            << got.Turn[m] << "; the rules give " << b.PosX << "," << b.PosY << " move " << b.Move
            << " heading " << b.Heading << " frame " << b.FramePos << " turn " << want.Turn[m];
    }
    for (int r = 0; r <= want.Rows + 1; ++r)
        for (int c = 0; c <= want.Cols + 1; ++c)
            ASSERT_EQ(got.Cells[r][c].Tile, want.Cells[r][c].Tile)
                << "tick " << tick << " cell " << r << "," << c;
}

TEST(MonsterModel, RandomMazesMoveAsTheRulesRead) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 24; ++round) {
        const int speed = 200 + 50 * static_cast<int>(rng() % 5);
        GameRig rig(9, 8, speed);
        rig.PlacePlayer(1, 1);
        rig.play().Mortal = false;  // the catch is held to its own tests below
        LevelGrid& level = rig.level();
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 9; ++c) rig.Set(r, c, rng() % 5 < 2 ? 45 : tcEmpty);
        level.MonsterCount = 0;
        const int monsters = 2 + static_cast<int>(rng() % 5);
        for (int k = 1; k <= monsters; ++k) {
            const int r = 1 + static_cast<int>(rng() % 8), c = 1 + static_cast<int>(rng() % 9);
            if (rig.Tile(r, c) != tcEmpty) continue;
            rig.AddMonster(rng() % 2 ? 38 : 39, r, c);
            Monster& m = level.Monsters[level.MonsterCount];
            m.Heading = static_cast<int32_t>(rng() % 5);
            level.Turn[level.MonsterCount] = static_cast<int32_t>(rng() % 3) - 1;
            if (m.Kind == 38) m.FramePos = (rng() % 160) / 20.0;
        }
        rig.game().world.random.Seed(round + 1);
        Model model(level, rig.game().world.random, speed);
        for (int tick = 0; tick < 400; ++tick) {
            const int lag = 1 + static_cast<int>(rng() % 45);
            MoveMonsters(rig.game().world, rig.game().events, lag);
            model.Run(lag);
            ExpectSame(level, model.Level(), tick);
            if (HasFatalFailure()) return;
        }
    }
}

// Moving left the monster is in the player's cell from its first step; moving right only
// when it arrives.
TEST(MonsterCatch, LeftCatchesAtOnceRightOnlyOnArrival) {
    GameRig left({"@W", "XX"});
    left.Tick(10);  // deciding: the fixed search goes left
    ASSERT_EQ(left.level().Monsters[1].Move, 2);
    EXPECT_EQ(left.play().Lives, 3);
    left.Tick(10);
    EXPECT_EQ(left.play().Lives, 2);
    EXPECT_EQ(left.level().MonsterCount, 0);

    GameRig right({"W@", "XX"});
    right.Tick(10);
    ASSERT_EQ(right.level().Monsters[1].Move, 4);
    right.Ticks(13, 10);  // 39 pixels: still in its own cell
    EXPECT_EQ(right.play().Lives, 3);
    EXPECT_EQ(right.level().Monsters[1].Col, 1);
    right.Tick(10);
    EXPECT_EQ(right.play().Lives, 2);
}

// A catch blows the monster up and the later entries move down; the loop goes on with the next
// slot, so the entry that moved into the caught monster's slot waits until the next tick.
TEST(MonsterCatch, EntryMovedDownByACatchWaitsForTheNextTick) {
    GameRig rig({"@WXXX", "XXXXX", "XXXW ", "XXXXX"});
    rig.Tick(10);  // both decide: the first goes left, the second right
    ASSERT_EQ(rig.level().Monsters[1].Move, 2);
    ASSERT_EQ(rig.level().Monsters[2].Move, 4);
    const double before = rig.level().Monsters[2].PosX;
    MoveMonsters(rig.game().world, rig.game().events, 10);
    ASSERT_EQ(rig.play().Lives, 2);
    ASSERT_EQ(rig.level().MonsterCount, 1);
    EXPECT_EQ(rig.level().Monsters[1].PosX, before);  // skipped in the tick of the catch
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_DOUBLE_EQ(rig.level().Monsters[1].PosX, before + 3);
}

}  // namespace
