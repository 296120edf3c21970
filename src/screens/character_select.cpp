// Character selection: two pictures slide in, a click picks one, everything slides out again;
// entered from the players screen (then on to the level start) or from play with C (then back).
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/player_saves.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "screens/sliding.h"

namespace {

void SlidePicturesIn(CharacterSelectState& cs, int32_t lag) {
    SlideIn(cs.BallPictureX, cs.BallPictureArrived, 188, 1, lag);
    SlideIn(cs.FacePictureX, cs.FacePictureArrived, 340, -1, lag);
    SlideIn(cs.SelectTitleY, cs.SelectTitleArrived, 400, -1, lag);
}

void DrawSelection(Game& game) {
    const CharacterSelectState& cs = game.screens.characters;
    DrawMenuBackdrop(game);
    DrawMenuPicture(game, "ballmeniu", cs.BallPictureX, 200);
    DrawMenuPicture(game, "tmmeniu", cs.FacePictureX, 200);
    DrawMenuPicture(game, "selectyourcharacter", 120, cs.SelectTitleY);
}

// A click on the pictures' band; clicks count while the pictures still slide in. Every click
// there writes the character into the player's entry, also the one between the pictures.
void ChooseByClick(Game& game) {
    CharacterSelectState& cs = game.screens.characters;
    const InputFlags& in = game.input;
    if (!in.ClickSeen || !InsideExclusive(in.MouseX, in.MouseY, 188, 200, 480, 300)) return;
    if (in.MouseX < 280) {
        cs.CharacterChoice = 2, game.settings.Character = 1;  // left: "ballmeniu"
    } else if (in.MouseX > 340) {
        cs.CharacterChoice = 2, game.settings.Character = 0;  // right: "tmmeniu"
    } else {
        cs.CharacterChoice = 0;
    }
    PlayerTable& players = game.players;
    if (players.CurrentPlayer >= 1 && players.CurrentPlayer <= kMaxPlayers) {
        uint8_t& stored = players.PlayerCharacter[players.CurrentPlayer];
        const bool changed = stored != game.settings.Character;
        stored = game.settings.Character;
        if (changed && players.CurrentPlayer <= players.PlayerCount) SavePlayers(game);
    }
    if (cs.CharacterChoice > 0) PlaySound(game.Sound(), "click");
}

// Where the screen leads once the left picture is out: back into the interrupted level when
// called from play, else the level start after a choice or the players screen after Escape.
void LeaveSelection(Game& game) {
    CharacterSelectState& cs = game.screens.characters;
    if (game.input.ChangeCharacterKey) {
        game.input.ChangeCharacterKey = false;
        ResetScreenState(game);
        SetScreen(game, Screen::GamePlay);
    } else if (cs.CharacterChoice == 2) {
        // The level start does not reset the screens, so the selection puts its own state back:
        // C in that level then shows the pictures again instead of leaving with this choice.
        cs = CharacterSelectState{};
        SetScreen(game, Screen::LevelStart);
    } else {
        ResetScreenState(game);
        SetScreen(game, Screen::PlayersLevels);
    }
}

void SlidePicturesOut(Game& game, int32_t lag) {
    CharacterSelectState& cs = game.screens.characters;
    SlideOut(cs.BallPictureX, cs.BallPictureOut, -120, -1, lag);
    SlideOut(cs.FacePictureX, cs.FacePictureOut, 700, 1, lag);
    // The title leaves once the left picture is off the screen.
    if (cs.BallPictureX < 0) SlideOut(cs.SelectTitleY, cs.SelectTitleOut, 480, 1, lag);
    if (!cs.BallPictureOut) LeaveSelection(game);
}

}  // namespace

void CharacterSelectTick(Game& game, int32_t lag) {
    CharacterSelectState& cs = game.screens.characters;
    // Clicks count during the slide-in too; a picture still sliding in then turns round at once
    // (moving it in and out in the same ticks would hold it in place).
    if (cs.CharacterChoice == 0) SlidePicturesIn(cs, lag);
    DrawSelection(game);
    game.input.ClickSeen = TakeFireState(game);
    // Escape counts only once the left picture is at rest.
    if (game.input.EscapePressed && cs.BallPictureArrived) cs.CharacterChoice = 1;
    game.input.EscapePressed = false;
    ChooseByClick(game);
    if (cs.CharacterChoice > 0) SlidePicturesOut(game, lag);
    DrawMousePointer(game);
}
