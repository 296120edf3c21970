// The world update held against a plain model of its rules on random levels: every scan over
// every cell in reading order, the list moved down once per arrival, compared after every tick.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "audio/audio.h"
#include "game/explosions.h"
#include "game/game_rig.h"
#include "game/objects.h"
#include "screens/messages.h"

namespace {

// The world update exactly as its rules read, without any shortcut.
class Model {
  public:
    explicit Model(Game& g) : g_(g), p_(g.world.play) {}

    void Run(int lag) {
        pc_ = p_.PlayerX / 40;
        pr_ = p_.PlayerY / 40;
        p_.FallList[p_.FallCount + 1].LandSound = 0;
        for (int scan = 0; scan < 11; ++scan) {
            const bool allButLast = scan <= 2 || scan >= 9;
            const int rows = allButLast ? g_.world.level.Rows - 1 : g_.world.level.Rows;
            for (int r = 1; r <= rows; ++r)
                for (int c = 1; c <= g_.world.level.Cols; ++c) Scan(scan, r, c);
        }
        for (int k = 1; k <= p_.FallCount; ++k) Advance(p_.FallList[k], lag);
        for (int k = 1; k <= p_.FallCount;) {
            if (p_.FallList[k].X != p_.FallList[k].TargetX ||
                p_.FallList[k].Y != p_.FallList[k].TargetY) {
                ++k;
                continue;
            }
            Arrive(p_.FallList[k]);
            for (int i = k; i < p_.FallCount; ++i) p_.FallList[i] = p_.FallList[i + 1];
            --p_.FallCount;
        }
    }

  private:
    // The eleven scans of the world update, one cell.
    void Scan(int scan, int r, int c) {
        const int32_t t = T(r, c);
        const bool pile = T(r + 1, c) == 20 || T(r + 1, c) == 12;
        switch (scan) {
            case 0:
                if ((t == 20 || t == 12 || t == 22) && E(r + 1, c) && !P(r + 1, c) && !P(r, c))
                    Start(r, c, r + 1, c, 0, t, 1);
                break;
            case 1:
                if (t == 20 && E(r, c + 1) && E(r + 1, c + 1) && P(r, c - 1) && p_.PushRight)
                    Start(r, c, r + 1, c + 1, 1, 20, 9);
                break;
            case 2:
                if (t == 20 && E(r, c - 1) && E(r + 1, c - 1) && P(r, c + 1) && p_.PushLeft)
                    Start(r, c, r + 1, c - 1, 2, 10, 9);
                break;
            case 3:
                if ((t == 21 || t == 22) && E(r, c + 1) && P(r, c - 1) && p_.PushRight)
                    Start(r, c, r, c + 1, 4, t, 1);
                break;
            case 4:
                if ((t == 21 || t == 22) && E(r, c - 1) && P(r, c + 1) && p_.PushLeft)
                    Start(r, c, r, c - 1, 5, t, 1);
                break;
            case 5:
                if (t == 21 && E(r - 1, c) && P(r + 1, c) && p_.PushUp)
                    Start(r, c, r - 1, c, 6, 21, 1);
                break;
            case 6:
                if (t == 21 && E(r + 1, c) && P(r - 1, c) && p_.PushDown)
                    Start(r, c, r + 1, c, 0, 21, 1);
                break;
            case 7:
                if (t == 20 && E(r, c + 1) && P(r, c - 1) && p_.PushRight)
                    Start(r, c, r, c + 1, 4, 20, 9);
                break;
            case 8:
                if (t == 20 && E(r, c - 1) && P(r, c + 1) && p_.PushLeft)
                    Start(r, c, r, c - 1, 5, 10, 9);
                break;
            case 9:
                if ((t == 20 || t == 12) && pile && E(r, c + 1) && E(r + 1, c + 1) &&
                    !P(r + 1, c + 1) && !P(r, c + 1) && !P(r, c) && !P(r + 1, c))
                    Start(r, c, r + 1, c + 1, 1, t, 9);
                break;
            case 10:
                if ((t == 20 || t == 12) && pile && E(r, c - 1) && E(r + 1, c - 1) &&
                    !P(r + 1, c - 1) && !P(r, c - 1) && !P(r, c) && !P(r + 1, c))
                    Start(r, c, r + 1, c - 1, 2, t == 20 ? 10 : 9, 9);
                break;
        }
    }

    void Start(int r, int c, int tr, int tc, int path, int tile, int frames) {
        if (p_.FallCount >= 100) return;
        Mover& m = p_.FallList[++p_.FallCount];
        m.Tile = tile;
        m.X = 40 * c;
        m.Y = 40 * r;
        m.TargetX = 40 * tc;
        m.TargetY = 40 * tr;
        m.Path = path;
        m.Frames = frames;
        m.Frame = 0;
        m.SrcCol = c;
        m.SrcRow = r;
        m.DestCol = tc;
        m.DestRow = tr;
        if (path == 1 || path == 2) {
            m.OriginX = 40 * c;
            m.OriginY = 40 * r;
            m.Angle = std::numbers::pi / 2;
        }
        g_.world.level.Cells[r][c].Tile = 11;
        g_.world.level.Cells[tr][tc].Tile = 11;
    }

    int32_t T(int r, int c) const { return g_.world.level.Cells[r][c].Tile; }
    bool E(int r, int c) const { return T(r, c) == 15; }
    bool P(int r, int c) const { return pr_ == r && pc_ == c; }
    bool Solid(int r, int c) const { return !E(r, c) && T(r, c) != 11; }

    void Advance(Mover& m, int lag) {
        const double step = lag * g_.settings.Speed / 1500.0;
        m.Angle -= 0.006 * lag;
        double nx = m.X, ny = m.Y;
        if (m.Path == 0) ny = m.Y + step;
        if (m.Path == 1 || m.Path == 2) {
            nx = m.OriginX + (m.Path == 1 ? 41 : -41) * std::cos(m.Angle);
            ny = m.TargetY - 41 * std::sin(m.Angle);
        }
        if (m.Path == 4) nx = m.X + step;
        if (m.Path == 5) nx = m.X - step;
        if (m.Path == 6) ny = m.Y - step;
        m.Frame += lag * g_.settings.Speed / (m.Tile == 20 || m.Tile == 21 ? 14000.0 : 20000.0);
        if (m.Path == 1) m.X = nx >= m.TargetX || m.Angle < 0 ? m.TargetX : nx;
        if (m.Path == 2) m.X = nx > m.TargetX && m.Angle >= 0 ? nx : m.TargetX;
        if (m.Path == 4) m.X = nx >= m.TargetX ? m.TargetX : nx;
        if (m.Path == 5) m.X = nx > m.TargetX ? nx : m.TargetX;
        if (m.Path == 6) m.Y = ny > m.TargetY ? ny : m.TargetY;
        if (m.Path <= 2) m.Y = ny >= m.TargetY ? m.TargetY : ny;
        if (p_.PlayerY - 65 < m.Y && m.Y <= p_.PlayerY && p_.PlayerX - 21 <= m.X &&
            m.X <= p_.PlayerX - 19 && m.Tile != 21 && m.Tile != 22 && p_.Mortal &&
            static_cast<int>(std::trunc(m.TargetX)) / 40 == p_.PlayerX / 40)
            HazardBlast(g_.world, g_.events, m.DestCol, m.DestRow + 1);
        if ((m.Tile == 20 || m.Tile == 10) && Solid(m.DestRow + 1, m.DestCol) &&
            m.TargetY - 5 < m.Y && m.Y < m.TargetY && m.LandSound == 0) {
            PlaySound(g_.Sound(), "picabomba");
            m.LandSound = 1;
        }
        for (int i = 1; i <= g_.world.level.MonsterCount; ++i) {
            // A blown-up monster leaves the table: the one moving into its slot is next.
            const Monster mon = g_.world.level.Monsters[i];
            const int before = g_.world.level.MonsterCount;
            if (mon.PosY - 65 < m.Y && m.Y <= mon.PosY && mon.Col == m.DestCol) {
                if (mon.Kind == 38) AreaBlast(g_.world, g_.events, mon.Col, mon.Row);
                if (mon.Kind == 39) InfotronBlast(g_.world, g_.events, mon.Col, mon.Row);
            }
            if (g_.world.level.MonsterCount < before) --i;
        }
    }

    void Arrive(const Mover& m) {
        LevelGrid& level = g_.world.level;
        level.Cells[m.SrcRow][m.SrcCol].Tile = 15;
        level.Cells[m.DestRow][m.DestCol].Tile = m.Tile == 9 ? 12 : m.Tile == 10 ? 20 : m.Tile;
        level.Cells[m.DestRow][m.DestCol].FrameBase = 0;
        const int below = T(m.DestRow + 1, m.DestCol);
        if ((below == 21 || below == 22) && m.Path <= 2)
            AreaBlast(g_.world, g_.events, m.DestCol, m.DestRow + 1);
        if (T(m.DestRow, m.DestCol) == 22 && Solid(m.DestRow + 1, m.DestCol) && m.Path == 0)
            AreaBlast(g_.world, g_.events, m.DestCol, m.DestRow);
        if ((m.Tile == 20 || m.Tile == 10) && Solid(m.DestRow + 1, m.DestCol) && m.LandSound == 0 &&
            m.Path <= 2)
            PlaySound(g_.Sound(), "picabomba");
    }

    Game& g_;
    PlayState& p_;
    int pc_ = 0, pr_ = 0;
};

// A random level of up to 13 x 12 cells written into the rig, inside a border ring: empty
// cells, balls, infotrons, both dynamites, walls of both kinds, bombs and a few monsters of
// both kinds. Objects in motion, blasts and messages of the level before are gone.
void RandomLevel(GameRig& rig, uint32_t seed, int speed) {
    std::mt19937 rng(seed);
    const int codes[] = {15, 15, 15, 15, 15, 15, 20, 20, 20, 12,
                         12, 12, 22, 22, 21, 21, 45, 45, 30, 19};
    LevelGrid& level = rig.level();
    level.Cols = 6 + static_cast<int>(rng() % 8);
    level.Rows = 5 + static_cast<int>(rng() % 8);
    level.MonsterCount = 0;
    for (int r = 0; r <= level.Rows + 1; ++r) {
        for (int c = 0; c <= level.Cols + 1; ++c) {
            const bool border = r == 0 || c == 0 || r == level.Rows + 1 || c == level.Cols + 1;
            rig.Set(r, c, border ? 3 : codes[rng() % std::size(codes)]);
            if (!border && rng() % 24 == 0) rig.AddMonster(rng() % 2 ? 38 : 39, r, c);
        }
    }
    rig.game().settings.Speed = speed;
    rig.game().world.Speed = speed;
    rig.play().FallCount = 0;
    rig.play().FallList = {};
    ClearMessages(rig.game().messages);
}

void ExpectSameWorld(Game& game, Game& model, int seed, int tick) {
    const std::string where = "seed " + std::to_string(seed) + " tick " + std::to_string(tick);
    const PlayState &a = game.world.play, &b = model.world.play;
    ASSERT_EQ(a.FallCount, b.FallCount) << where;
    for (int r = 0; r <= game.world.level.Rows + 1; ++r)
        for (int c = 0; c <= game.world.level.Cols + 1; ++c)
            ASSERT_EQ(game.world.level.Cells[r][c].Tile, model.world.level.Cells[r][c].Tile)
                << where << " cell " << r << "," << c;
    // Entry FallCount + 1 too: the next move takes its landing sound flag from it.
    for (int k = 1; k <= a.FallCount + 1; ++k) {
        const Mover &x = a.FallList[k], &y = b.FallList[k];
        ASSERT_TRUE(x.Tile == y.Tile && x.X == y.X && x.Y == y.Y && x.Frame == y.Frame &&
                    x.Angle == y.Angle && x.LandSound == y.LandSound)
            << where << " entry " << k;
    }
    ASSERT_EQ(a.ExplosionCount, b.ExplosionCount) << where;
    for (int k = 1; k <= a.ExplosionCount; ++k)
        ASSERT_TRUE(a.Explosions[k].Col == b.Explosions[k].Col &&
                    a.Explosions[k].Row == b.Explosions[k].Row)
            << where << " explosion " << k;
    ASSERT_EQ(a.Lives, b.Lives) << where;
    ASSERT_EQ(game.world.level.MonsterCount, model.world.level.MonsterCount) << where;
}

TEST(ObjectsModel, RandomLevelsMoveAsTheRulesReadTickByTick) {
    GameRig game(13, 12), model(13, 12);
    for (int seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        const int speed = 200 + static_cast<int>(rng() % 201);
        RandomLevel(game, static_cast<uint32_t>(seed), speed);
        RandomLevel(model, static_cast<uint32_t>(seed), speed);
        const int rows = game.level().Rows, cols = game.level().Cols;
        for (int tick = 0; tick < 150; ++tick) {
            // The player is put somewhere new now and then, at times off its cell's centre; the
            // push flags come and go at random.
            const bool jump = tick % 7 == 0;
            const int row = 1 + static_cast<int>(rng() % rows);
            const int col = 1 + static_cast<int>(rng() % cols);
            const int dx = static_cast<int>(rng() % 40) - 20,
                      dy = static_cast<int>(rng() % 40) - 20;
            const bool offCentre = rng() % 3 == 0;
            const unsigned flags = rng();
            const int lag = rng() % 5 == 0 ? 1 + static_cast<int>(rng() % 300)
                                           : 1 + static_cast<int>(rng() % 40);
            for (GameRig* rig : {&game, &model}) {
                PlayState& p = rig->play();
                if (jump) rig->PlacePlayer(row, col);
                if (jump && offCentre) p.PlayerX += dx, p.PlayerY += dy;
                p.PushRight = flags & 1, p.PushLeft = flags & 2;
                p.PushUp = flags & 4, p.PushDown = flags & 8;
                if (tick % 5 == 0) p.BlastGuard = false;
                p.Lives = 3;
                p.Mortal = seed % 4 != 0;
                p.ExplosionCount = 0;
            }
            MoveObjects(game.game().world, game.game().events, lag);
            Model(model.game()).Run(lag);
            ExpectSameWorld(game.game(), model.game(), seed, tick);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
