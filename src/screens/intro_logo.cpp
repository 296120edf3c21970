// The maker's logo: fades in over 255 ms, plays its jingle after a second, leaves after 7.5 s.
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

constexpr double kFadeMs = 255;  // alpha grows by one per millisecond
constexpr double kJingleAfterMs = 1000;
constexpr double kLogoEndMs = 7500;

void DrawLogo(Game& game, double logoTime) {
    const Picture& logo = game.media.MenuPictures.FindPicture("brinloft");
    if (logoTime < kFadeMs) {
        // Blended over whatever the back surface still holds.
        logo.BlendPattern(game.media.Back, Rect{0, 0, 640, 480}, 0, static_cast<int>(logoTime));
    } else {
        logo.DrawPattern(game.media.Back, 0, 0, 0);
    }
}

}  // namespace

void IntroLogoTick(Game& game, int32_t lag) {
    LogoState& logo = game.screens.logo;
    // A fire press skips the logo; the rest of the tick still runs (the new screen starts next
    // tick).
    if (TakeFireState(game)) {
        StopSound(game.Sound(), "brinloft");
        SetScreen(game, Screen::MenuReturn);
    }
    DrawLogo(game, logo.LogoTime);
    logo.LogoTime += lag;
    if (logo.LogoTime > kJingleAfterMs && !logo.LogoJinglePlayed) {
        PlaySound(game.Sound(), "brinloft");
        logo.LogoJinglePlayed = true;
    }
    if (logo.LogoTime > kLogoEndMs) SetScreen(game, Screen::MenuReturn);
}
