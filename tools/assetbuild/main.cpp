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

int main(int argc, char** argv) {
    std::string out = ".", sheet, assets = "assets", icons;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        if (a == "--out")
            out = argv[i + 1];
        else if (a == "--sheet")
            sheet = argv[i + 1];
        else if (a == "--assets")
            assets = argv[i + 1];
        else if (a == "--icons")
            icons = argv[i + 1];
        else {
            std::fprintf(stderr, "tolmara-assets: unknown option %s\n", a.c_str());
            return 2;
        }
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
