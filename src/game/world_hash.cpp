// The world's fingerprint: FNV-1a over the rules' state, field by field (never the padding).
#include "game/world_hash.h"

#include <cstring>
#include <type_traits>

#include "game/world.h"

namespace {

class Fnv {
  public:
    template <typename T>
    Fnv& Add(T value) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 0x100000001B3ull;
        return *this;
    }
    uint64_t Value() const { return hash_; }

  private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddLevel(Fnv& h, const LevelGrid& level) {
    h.Add(level.Cols).Add(level.Rows).Add(level.MonsterCount);
    for (int r = 0; r <= level.Rows + 1 && r < kGridSize; ++r)
        for (int c = 0; c <= level.Cols + 1 && c < kGridSize; ++c) {
            const Cell& cell = level.Cells[r][c];
            h.Add(cell.Tile).Add(cell.FrameBase).Add(cell.Phase);
        }
    for (int i = 1; i <= level.MonsterCount && i <= kMonsterSlots; ++i) {
        const Monster& m = level.Monsters[i];
        h.Add(m.PosX).Add(m.PosY).Add(m.Col).Add(m.Row).Add(m.Kind).Add(m.Frame).Add(m.Move);
        h.Add(m.TargetX).Add(m.TargetY).Add(m.FramePos).Add(m.Heading).Add(m.FromCol);
        h.Add(m.FromRow);
    }
    for (int32_t turn : level.Turn) h.Add(turn);
}

void AddPlay(Fnv& h, const PlayState& p) {
    h.Add(p.InfotronsGot).Add(p.InfotronsNeeded).Add(p.Lives).Add(p.Bombs).Add(p.LevelTime);
    h.Add(p.LevelOutcome).Add(p.PlayerPosX).Add(p.PlayerPosY).Add(p.MoveState);
    h.Add(p.TargetPosX).Add(p.TargetPosY).Add(p.SnapCol).Add(p.SnapRow).Add(p.PlayerDying);
    h.Add(p.DyingTime).Add(p.BlastGuard).Add(p.LevelLost).Add(p.ExitReached).Add(p.IdleTime);
    h.Add(p.IdleAnimating).Add(p.IdleAnimTime).Add(p.LevelAborted);
    h.Add(p.FallCount);
    for (int i = 1; i <= p.FallCount && i <= kMaxMovers; ++i) {
        const Mover& m = p.FallList[i];
        h.Add(m.Tile).Add(m.X).Add(m.Y).Add(m.TargetX).Add(m.TargetY).Add(m.Path).Add(m.Frame);
        h.Add(m.DestCol).Add(m.DestRow).Add(m.SrcCol).Add(m.SrcRow).Add(m.Angle);
    }
    h.Add(p.ExplosionCount);
    for (int i = 1; i <= p.ExplosionCount && i <= kMaxExplosions; ++i)
        h.Add(p.Explosions[i].Col).Add(p.Explosions[i].Row).Add(p.Explosions[i].Phase);
    h.Add(p.PlacedBombCount);
    for (int i = 1; i <= p.PlacedBombCount && i <= kMaxPlacedBombs; ++i)
        h.Add(p.PlacedBombs[i].Col).Add(p.PlacedBombs[i].Row).Add(p.PlacedBombs[i].Fuse);
}

}  // namespace

uint64_t WorldHash(const World& world) {
    Fnv h;
    AddLevel(h, world.level);
    AddPlay(h, world.play);
    h.Add(world.random.State()).Add(world.Speed);
    return h.Value();
}
