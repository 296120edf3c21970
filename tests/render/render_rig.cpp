// The drawing tests' game: plain-coloured libraries written to a temporary folder and loaded back.
#include "render/render_rig.h"

#include <map>

#include "dxgwriter/library_writer.h"
#include "media/byte_io.h"
#include "render/playfield.h"
#include "screens/screens.h"
#include "store/atomic_write.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF;  // the transparent colour of every test picture

// A picture of `patterns` patterns of w x h side by side, pattern p filled with colour565 + p.
PictureData Plain(const std::string& name, int w, int h, uint16_t colour565, int patterns = 1,
                  bool see_through = false) {
    PictureData p;
    p.Name = name;
    p.Width = w * patterns;
    p.Height = h;
    p.PatternWidth = patterns > 1 ? w : 0;
    p.PatternHeight = patterns > 1 ? h : 0;
    p.Transparent = true;
    p.TransparentColor = kKey;
    p.Rgb.resize(static_cast<size_t>(p.Width) * h);
    for (size_t i = 0; i < p.Rgb.size(); ++i) {
        const int pattern = static_cast<int>(i % p.Width) / w;
        p.Rgb[i] = see_through ? kKey : Rgb565ToRgb(static_cast<uint16_t>(colour565 + pattern));
    }
    return p;
}

int TilePatterns(int code) {
    if (code >= 49 && code <= 52) return 4;
    if (code == 65) return 8;
    if (code == 66 || code == 67) return 11;
    if (code == 68) return 10;
    if (code >= 70) return 20;
    if (code == 9 || code == 10 || code == 12 || code == 20 || code == 38) return 9;
    if (code == 7 || code == 8 || code == 19) return 5;
    return 1;
}

// Named game pictures: colour and size.
struct Named {
    const char* Name;
    int W, H, Patterns;
    uint16_t Colour;
};
constexpr Named kNamed[] = {
    {"explozie", 120, 120, 10, 0x3000}, {"status", 640, 79, 1, 0x3100},
    {"pause", 124, 48, 1, 0x3200},      {"fondlm", 160, 160, 1, 0x3300},
    {"youmadeit", 228, 134, 1, 0x3400}, {"killed", 228, 134, 1, 0x3500},
    {"aborted", 228, 134, 1, 0x3600},   {"ball", 40, 40, 4, 0x3700},
    {"ballsus", 40, 40, 2, 0x3800},     {"balljos", 40, 40, 2, 0x3900},
    {"balls", 40, 40, 2, 0x3A00},       {"balld", 40, 40, 2, 0x3B00},
    {"ballid", 40, 40, 1, 0x3C00},      {"ballis", 40, 40, 1, 0x3D00},
    {"ballmort", 40, 40, 1, 0x3E00},
};

std::vector<PictureData> GamePictures() {
    std::vector<PictureData> list;
    for (const Named& n : kNamed) list.push_back(Plain(n.Name, n.W, n.H, n.Colour, n.Patterns));
    while (list.size() < 24)
        list.push_back(Plain("spare" + std::to_string(list.size()), 4, 4, 0x0001));
    list.push_back(Plain("time", kIconWidth, 20, StatusColour(24)));
    list.push_back(Plain("infotrons", kIconWidth, 20, StatusColour(25)));
    list.push_back(Plain("life", kLifeWidth, 20, StatusColour(26)));
    list.push_back(Plain("spare27", 4, 4, StatusColour(27)));
    list.push_back(Plain("bombs", kIconWidth, 20, StatusColour(28)));
    for (int d = 0; d <= 9; ++d)
        list.push_back(
            Plain("digit" + std::to_string(d), kDigitWidth, kDigitHeight, StatusColour(29 + d)));
    list.push_back(Plain("slash", kSeparatorWidth, kDigitHeight, StatusColour(39)));
    list.push_back(Plain("colon", kSeparatorWidth, kDigitHeight, StatusColour(40)));
    return list;
}

// Picture 0 is the opaque background; 11 (busy) and 15 (empty) are wholly transparent, as in the
// game's tile set.
std::vector<PictureData> TilePictures() {
    std::vector<PictureData> list;
    list.push_back(Plain("background", 640, 480, TileColour(0)));
    for (int code = 1; code <= 81; ++code) {
        const bool see_through = code == tcBusy || code == tcEmpty;
        list.push_back(Plain("tile" + std::to_string(code), 40, 40, TileColour(code),
                             TilePatterns(code), see_through));
    }
    return list;
}

}  // namespace

uint16_t TileColour(int code, int pattern) {
    return static_cast<uint16_t>(0x0800 + code * 32 + pattern);
}

uint16_t GameColour(const std::string& name, int pattern) {
    for (const Named& n : kNamed)
        if (name == n.Name) return static_cast<uint16_t>(n.Colour + pattern);
    return 0;
}

uint16_t StatusColour(int index) {
    return static_cast<uint16_t>(0x4000 + index * 64);
}

RenderRig::RenderRig() : game_(std::make_unique<Game>()) {
    WriteFileAtomically(dir_.File("tolmara.dxg"), WritePictureLibrary(GamePictures()));
    WriteFileAtomically(dir_.File("tiles.dxg"), WritePictureLibrary(TilePictures()));
    game_->media.GamePictures.LoadPictures(dir_.File("tolmara.dxg"));
    game_->media.TilePictures.LoadPictures(dir_.File("tiles.dxg"));
    FillTileTables(game_->world.tiles);
    ApplySpeedToTables(game_->world.tiles, 300);
    // The player's sprite, without a picture until the rules choose one.
    game_->media.PlayerSprite = game_->media.Sprites.Create<ImageSprite>();
    game_->media.PlayerSprite->Width = game_->media.PlayerSprite->Height = 40;
}

void RenderRig::MakeLevel(int cols, int rows) {
    LevelGrid& level = game_->world.level;
    level.Cols = cols;
    level.Rows = rows;
    for (auto& row : level.Cells) row.fill(Cell{});
    for (int r = 0; r <= rows + 1; ++r)
        for (int c = 0; c <= cols + 1; ++c) level.Cells[r][c].Tile = tcEmpty;
    for (int c = 1; c <= cols; ++c) level.Cells[0][c].Tile = level.Cells[rows + 1][c].Tile = 3;
    for (int r = 1; r <= rows; ++r) level.Cells[r][0].Tile = level.Cells[r][cols + 1].Tile = 4;
    level.Cells[0][0].Tile = 1;
    level.Cells[0][cols + 1].Tile = 2;
    level.Cells[rows + 1][0].Tile = 5;
    level.Cells[rows + 1][cols + 1].Tile = 6;
}

void RenderRig::PlacePlayer(int32_t x, int32_t y) {
    game_->world.play.PlayerX = x;
    game_->world.play.PlayerY = y;
    game_->world.play.PlayerPosX = x;
    game_->world.play.PlayerPosY = y;
}

ImageSprite& RenderRig::AddSprite(double x, double y) {
    ImageSprite* sprite = game_->media.Sprites.Create<ImageSprite>();
    sprite->Picture = &game_->media.GamePictures.FindPicture("ball");
    sprite->Width = sprite->Height = 40;
    sprite->X = x;
    sprite->Y = y;
    return *sprite;
}

void RenderRig::Draw(int32_t lag) {
    DrawPlayFrame(*game_, lag);
}
