// tolmara-assets: makes the game's data files (pictures, sounds, songs) from the sources in
// assets/.
//   tolmara-assets --assets DIR --out DIR [--sheet DIR]
//   tolmara-assets --icons DIR
// --sheet also writes one PNG contact sheet per picture library, for review; --icons writes only
// the desktop icon (SVG and PNG sizes) for the install.
#include <cstdio>
#include <exception>
#include <string>

#include "assetbuild/assets.h"
#include "assetbuild/contact_sheet.h"
#include "dxgwriter/library_writer.h"
#include "store/atomic_write.h"

namespace {

constexpr const char* kUsage =
    "usage: tolmara-assets [--assets DIR] [--out DIR] [--sheet DIR]\n"
    "       tolmara-assets --icons DIR\n"
    "  --assets DIR  the sources of sounds and songs (default: assets)\n"
    "  --out DIR     where the data files are written (default: the current folder)\n"
    "  --sheet DIR   also write a PNG contact sheet of every picture library there\n"
    "  --icons DIR   write only the game's icons (SVG and PNG) there\n";

int UsageError(const std::string& what) {
    std::fprintf(stderr, "tolmara-assets: %s\n%s", what.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out = ".", sheet, assets = "assets", icons;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a != "--out" && a != "--sheet" && a != "--assets" && a != "--icons")
            return UsageError("unknown option " + a);
        if (i + 1 >= argc) return UsageError(a + " needs a folder");
        const std::string value = argv[++i];
        if (a == "--out")
            out = value;
        else if (a == "--sheet")
            sheet = value;
        else if (a == "--icons")
            icons = value;
        else
            assets = value;
    }
    try {
        if (!icons.empty()) {
            WriteIcons(icons);
            return 0;
        }
        struct Library {
            const char* file;
            std::vector<PictureData> pictures;
        };
        Library libraries[] = {{"tolmara.dxg", BuildGamePictures()},
                               {"meniu.dxg", BuildMenuPictures()},
                               {"computer.dxg", BuildTilePictures()}};
        for (auto& lib : libraries) {
            WriteFileAtomically(out + "/" + lib.file, WritePictureLibrary(lib.pictures));
            if (!sheet.empty()) WriteContactSheet(sheet + "/" + lib.file + ".png", lib.pictures);
        }
        WriteFileAtomically(out + "/sounds.dxg", WriteSoundLibrary(BuildSounds(assets)));
        for (const SongFile& song : BuildSongs(assets))
            WriteFileAtomically(out + "/" + song.FileName, song.Midi);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
