// Character selection: two pictures slide in, a click picks one, everything slides out again;
// entered from the players screen (then on to the level start) or from play with C (then back).
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/player_saves.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"

namespace {

void SlidePicturesIn(CharacterSelectState& cs, int32_t lag) {
    if (!cs.BallPictureArrived) {
        cs.BallPictureX += lag;
        if (cs.BallPictureX > 188) cs.BallPictureX = 188, cs.BallPictureArrived = true;
    }
    if (!cs.FacePictureArrived) {
        cs.FacePictureX -= lag;
        if (cs.FacePictureX < 340) cs.FacePictureX = 340, cs.FacePictureArrived = true;
    }
    if (!cs.SelectTitleArrived) {
        cs.SelectTitleY -= lag;
        if (cs.SelectTitleY < 400) cs.SelectTitleY = 400, cs.SelectTitleArrived = true;
    }
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
    if (cs.BallPictureOut) {
        cs.BallPictureX -= lag;
        if (cs.BallPictureX < -120) cs.BallPictureOut = false;
    }
    if (cs.FacePictureOut) {
        cs.FacePictureX += lag;
        if (cs.FacePictureX > 700) cs.FacePictureOut = false;
    }
    if (cs.SelectTitleOut && cs.BallPictureX < 0) {
        cs.SelectTitleY += lag;
        if (cs.SelectTitleY > 480) cs.SelectTitleOut = false;
    }
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
