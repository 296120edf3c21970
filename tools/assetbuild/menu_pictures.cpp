// The menu library "meniu.dxg": every picture of the menu screens, screen by screen.
#include "assetbuild/assets.h"
#include "assetbuild/menu_parts.h"

std::vector<PictureData> BuildMenuPictures() {
    std::vector<PictureData> out;
    AddTitlePictures(out);
    AddCharacterPictures(out);
    AddOptionsPictures(out);
    AddPlayersPictures(out);
    AddHelpPictures(out);
    AddCreditsPictures(out);
    return out;
}
