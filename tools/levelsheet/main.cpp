// tolmara-levelsheet: draws every level of a level set as a thumbnail, with its number and name,
// on one sheet written as a PNG image.
//   tolmara-levelsheet [--data DIR] LEVELS.lev OUT.png
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "app/program_folder.h"
#include "app/session.h"
#include "dxgwriter/png_writer.h"
#include "level/level_set_reader.h"
#include "level_picture.h"
#include "media/byte_io.h"
#include "screens/game.h"
#include "screens/level_start.h"

namespace {

constexpr int kThumbWidth = 200;
constexpr int kThumbHeight = 150;
constexpr int kLabelHeight = 18;
constexpr int kGap = 12;
constexpr int kColumns = 4;
constexpr uint32_t kSheetColour = 0x10141C;    // 0x00RRGGBB
constexpr uint32_t kLabelColour = 0x00E0E0E0;  // 0x00BBGGRR

struct Options {
    std::string DataDir;
    std::string LevelsPath;
    std::string OutPath;
};

constexpr const char* kUsage =
    "usage: tolmara-levelsheet [--data DIR] LEVELS.lev OUT.png\n"
    "  draws every level of LEVELS.lev as a thumbnail on one PNG sheet\n"
    "  --data DIR  the folder of the tile sets (default: the folder of this program)\n";

[[noreturn]] void Usage(const std::string& what) {
    std::fprintf(stderr, "tolmara-levelsheet: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

Options ParseArguments(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (arg == "--data") {
            if (i + 1 >= argc) Usage("--data needs a folder");
            o.DataDir = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            Usage("unknown option " + arg);
        } else if (o.LevelsPath.empty()) {
            o.LevelsPath = arg;
        } else if (o.OutPath.empty()) {
            o.OutPath = arg;
        } else {
            Usage("too many arguments");
        }
    }
    if (o.OutPath.empty()) Usage("a level set and an output image are needed");
    if (o.DataDir.empty()) o.DataDir = FoldersOfProgram().Data;
    if (o.DataDir.back() != '/') o.DataDir += '/';
    return o;
}

// Points the game at a level set file anywhere on disk: its index and names are read here, the
// levels by the game's own loader; tile sets still come from the data folder.
void UseLevelSet(Game& game, const std::string& path) {
    Bytes bytes = ReadFileBytes(path);
    ByteReader in(bytes, path);
    LevelSetIndex index = ReadLevelSetIndex(in);
    std::vector<std::string> problems = IndexProblems(index, bytes.size());
    if (!problems.empty()) throw FileError(path + ": " + problems.front());
    for (int n = 1; n <= index.LevelCount; ++n)
        game.levels.LevelNames[n - 1] = ReadLevelName(in, index, n);
    game.levels.LevelSet = index;
    game.levels.LevelFile = path;
    game.levels.FileBytes = std::make_shared<const Bytes>(std::move(bytes));
}

// The thumbnail of level n centred in its slot, its label centred below.
void DrawSlot(Game& game, Surface& sheet, int n, int x, int y) {
    LoadLevel(game, n);
    const Surface thumb = ScaleToFit(DrawWholeLevel(game), kThumbWidth, kThumbHeight);
    // Thumbnails sit on the label line, so that a wide level keeps its name close by.
    Blit(sheet, thumb, x + (kThumbWidth - thumb.Width) / 2, y + kThumbHeight - thumb.Height);
    char number[16];
    std::snprintf(number, sizeof number, "%02d ", n);
    const std::string label = number + game.levels.LevelNames[n - 1];
    TextCanvas& canvas = game.media.Canvas;
    const int width = canvas.TextPixelWidth(label);
    canvas.WriteText(sheet, x + (kThumbWidth - width) / 2, y + kThumbHeight + 2, label);
}

Surface DrawSheet(Game& game) {
    const int count = game.levels.LevelSet.LevelCount;
    const int rows = (count + kColumns - 1) / kColumns;
    const int slotW = kThumbWidth + kGap, slotH = kThumbHeight + kLabelHeight + kGap;
    Surface sheet(kColumns * slotW + kGap, rows * slotH + kGap);
    std::fill(sheet.Pixels.begin(), sheet.Pixels.end(), RgbTo565(kSheetColour));
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 10);
    canvas.SetColor(kLabelColour);
    for (int n = 1; n <= count; ++n) {
        const int slot = n - 1;
        DrawSlot(game, sheet, n, kGap + (slot % kColumns) * slotW,
                 kGap + (slot / kColumns) * slotH);
    }
    canvas.ReleaseCanvas();
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseArguments(argc, argv);
    // Headless: no window and no sound device are needed for drawing into memory.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    try {
        SessionOptions session;
        session.ProgramDir = options.DataDir;
        session.ReadSettings = false;
        session.Seed = 1;
        std::unique_ptr<Game> game = StartGame(session);
        UseLevelSet(*game, options.LevelsPath);
        const Surface sheet = DrawSheet(*game);
        WritePng(options.OutPath, sheet);
        std::printf("%s: %d levels\n", options.OutPath.c_str(), game->levels.LevelSet.LevelCount);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-levelsheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
