// The test rig of the game rules: levels from text, the player sprite and counted sounds.
#include "game/game_rig.h"

#include <cstdlib>
#include <stdexcept>

#include "audio/audio.h"
#include "dxgwriter/library_writer.h"
#include "game/explosions.h"
#include "game/monsters.h"
#include "game/objects.h"
#include "level/level_legend.h"
#include "media/byte_io.h"
#include "support/test_data.h"

namespace {

// A map character of a test level: the level maps' own legend, with '@' the player's start on an
// empty cell and 'x' a busy cell, which no level map holds.
int CodeOf(char ch) {
    if (ch == '@') return tcEmpty;
    if (ch == 'x') return tcBusy;
    const int32_t tile = LegendTile(ch);
    if (tile < 0) throw std::invalid_argument(std::string("no map character '") + ch + "'");
    return tile == tcMonsterTurning || tile == tcMonsterCrawling ? tcBusy : tile;
}

// Silence, 16-bit mono 11025 Hz: five seconds outlast any test.
Bytes LongSilence() {
    const uint32_t samples = 11025 * 5;
    ByteWriter w;
    w.Raw("RIFF");
    w.U32(36 + samples * 2);
    w.Raw("WAVEfmt ");
    w.U32(16);
    w.U16(1);
    w.U16(1);
    w.U32(11025);
    w.U32(11025 * 2);
    w.U16(2);
    w.U16(16);
    w.Raw("data");
    w.U32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) w.I16(0);
    return w.Out();
}

}  // namespace

std::vector<std::string> FilledRows(int cols, int rows, char fill) {
    return std::vector<std::string>(static_cast<size_t>(rows),
                                    std::string(static_cast<size_t>(cols), fill));
}

GameRig::GameRig(const std::vector<std::string>& rows, int speed)
    : game_(std::make_unique<Game>()) {
    Build(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const int row = static_cast<int>(r) + 1, col = static_cast<int>(c) + 1;
            const char ch = rows[r][c];
            Set(row, col, CodeOf(ch));
            if (ch == '@') PlacePlayer(row, col);
            if (ch == 'M') AddMonster(38, row, col);
            if (ch == 'W') AddMonster(39, row, col);
        }
    }
    Finish(speed);
}

GameRig::GameRig(int cols, int rows, int speed) : game_(std::make_unique<Game>()) {
    Build(cols, rows);
    Finish(speed);
}

void GameRig::Build(int cols, int rows) {
    LevelGrid& level = game_->world.level;
    level.Cols = cols;
    level.Rows = rows;
    for (int r = 0; r <= rows + 1; ++r) {
        for (int c = 0; c <= cols + 1; ++c) {
            int code = 15;
            if (r == 0 || r == rows + 1) code = 3;
            if (c == 0 || c == cols + 1) code = 4;
            if (r == 0 && c == 0) code = 1;
            if (r == 0 && c == cols + 1) code = 2;
            if (r == rows + 1 && c == 0) code = 5;
            if (r == rows + 1 && c == cols + 1) code = 6;
            level.Cells[r][c].Tile = code;
        }
    }
    PlacePlayer(1, 1);
}

void GameRig::Finish(int speed) {
    Game& g = *game_;
    g.settings.Speed = speed;
    g.world.Speed = speed;
    g.settings.ShowTips = 1;
    g.settings.Character = 1;
    FillTileTables(g.world.tiles);
    ApplySpeedToTables(g.world.tiles, speed);
    FillMessageTexts(g.messages);
    g.world.random.Seed(7);
    // Written and read back once, through the library format the game loads.
    static const PictureLibrary pictures =
        ReadPictureLibrary(WritePictureLibrary(TestGamePictures()), "test");
    g.media.GamePictures.LoadLibrary(pictures);
    ImageSprite* sprite = g.media.Sprites.Create<ImageSprite>();
    sprite->Width = sprite->Height = 40;
    g.media.PlayerSprite = sprite;
}

void GameRig::PlacePlayer(int row, int col) {
    PlayState& p = game_->world.play;
    p.PlayerPosX = 40 * col + 20;
    p.PlayerPosY = 40 * row + 20;
    p.PlayerX = 40 * col + 20;
    p.PlayerY = 40 * row + 20;
    p.MoveState = msRest;
}

void GameRig::AddMonster(int kind, int row, int col) {
    LevelGrid& level = game_->world.level;
    Monster& m = level.Monsters[++level.MonsterCount];
    m = Monster{};
    m.PosX = 40 * col;
    m.PosY = 40 * row;
    m.Col = col;
    m.Row = row;
    m.Kind = kind;
    m.Frames = kind == 38 ? 8 : 0;
    m.Spin = kind == 38 ? 1 : 2;
    Set(row, col, tcBusy);
}

void GameRig::Hold(int state) {
    InputStates& input = game_->media.Input;
    for (int s : {isUp, isDown, isLeft, isRight}) input.Remove(s);
    if (state >= 0) input.Add(state);
}

void GameRig::Tick(int32_t lag) {
    Game& g = *game_;
    g.media.Sounds.NextTick();
    TakePlayerControls(g);
    PlayerMove(g.world, g.events, lag);
    MoveObjects(g.world, g.events, lag);
    MoveMonsters(g.world, g.events, lag);
    UpdateExplosions(g.world, lag);
    UpdateBombs(g.world, g.events, lag);
    g.world.play.LevelTime += lag;
}

int GameRig::TicksUntilRest(int32_t lag, int limit) {
    for (int i = 1; i <= limit; ++i) {
        Tick(lag);
        if (game_->world.play.MoveState == msRest) return i;
    }
    return -1;
}

int GameRig::Queued(int n) const {
    int count = 0;
    for (int i = 0; i < game_->messages.MessageCount; ++i)
        count += game_->messages.MessageQueue[i].Code == n;
    return count;
}

std::string GameRig::PictureName() const {
    return PlayerPictureName(game_->world.look.Picture, game_->settings.Character);
}

bool GameRig::CountSounds() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    try {
        game_->media.SoundOutput.OpenSoundDevice();
    } catch (const std::exception&) {
        return false;
    }
    static const Bytes bytes = [] {
        std::vector<SoundData> sounds;
        for (const char* name : {"aparemesaj", "explozie", "infotron", "manancacircuit", "impinge",
                                 "termina", "picabomba"}) {
            sounds.push_back(SoundData{name, false, 0, LongSilence()});
        }
        return WriteSoundLibrary(sounds);
    }();
    const std::string path = dir_.File("sounds.dxg");
    WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
    game_->media.Sounds.LoadSounds(path);
    game_->settings.SoundsEnabled = 1;
    return true;
}

int GameRig::Plays(const std::string& name) {
    return game_->media.Sounds.FindSound(name).CopyCount();
}
