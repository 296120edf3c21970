// The players screen's idle input: Escape, the bottom buttons, start requests, the player and
// level arrows with their key and mouse repeats, and the edit/delete pair.
#include <algorithm>

#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/messages.h"
#include "screens/players_screen.h"

namespace {

// The up and down states are not consumed here: while one stays set its held-tick count grows.
void TrackHeldKey(bool stateSet, bool& held, uint16_t& heldTicks) {
    if (stateSet) {
        if (held) heldTicks += 1;
        held = true;
    } else {
        held = false;
        heldTicks = 0;
    }
}

// Escape first cancels a name entry; a second Escape leaves for the main menu.
void ReadEscape(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (in.EscapePressed && in.NameEditing) {
        in.NameEditing = false;
        ps.EditText.clear();
        in.EscapePressed = false;
        in.LastKeyChar = 0;
    }
    if (in.EscapePressed) {
        ps.PlayersLeaving = true;
        ps.PlayersAction = 1;
        PlaySound(game.Sound(), "ok");
        in.LastKeyChar = 0;
    }
    in.EscapePressed = false;
}

// "back" leaves, "ok" makes a start request, the gap between them only explains.
void ReadBottomButtons(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (!PointerInside(game, 250, 419, 391, 443)) return;
    if (in.ClickSeen) {
        ps.PlayersLeaving = true;
        if (in.MouseX < 310) {
            ps.PlayersAction = 1;
        } else if (in.MouseX > 330) {
            in.EnterPressed = true;
        } else {
            ShowMessage(game, game.players.PlayerCount == 0 ? MessageId::EnterNameFirst
                                                            : MessageId::RedLevelLocked);
        }
        if (ps.PlayersAction > 0) PlaySound(game.Sound(), "ok");
    }
    if (ps.PlayersAction == 0) ps.PlayersLeaving = false;
}

// Enter or "ok": refused with a message, or the level starts once the panels are out.
void ReadStartRequest(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    const PlayerTable& players = game.players;
    if (!in.EnterPressed) return;
    if (players.PlayerCount == 0) {
        ShowMessage(game, MessageId::EnterNameFirst);
    } else if (players.PlayerNames[players.CurrentPlayer] == kNoName) {
        ShowMessage(game, MessageId::SelectNameFirst);
    } else if (players.PlayerLevels[players.CurrentPlayer] >= game.world.play.CurrentLevel ||
               in.CheatMode) {
        ps.PlayersLeaving = true;
        ps.PlayersAction = 2;
        PlaySound(game.Sound(), "ok");
    } else {
        ShowMessage(game, MessageId::RedLevelLocked);  // a red level
    }
    in.EnterPressed = false;
    in.ClickSeen = false;  // the click that asked has done its work
}

// Part of an arrow column under the pointer: 1 up, 2 middle, 3 down.
int32_t ArrowPart(int y, int middleTop, int downTop) {
    return y < middleTop ? 1 : (y < downTop ? 2 : 3);
}

void ReadPlayerArrows(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    const InputFlags& in = game.input;
    if (!ps.PlayerArrowPressed) ps.PlayerArrowPart = 0;
    if (!PointerInside(game, 38, 278, 64, 358)) return;
    if (in.ClickSeen) ps.PlayerArrowPressed = true;
    ps.PlayerArrowPart = ArrowPart(in.MouseY, 301, 334);
}

// Held up/down states step the level at held ticks 0, 12, 24, 36 and then every 6 ticks.
void RepeatHeldLevelKey(Game& game, bool held, uint16_t heldTicks, void (*step)(Game&)) {
    if (!held) return;
    const int every = heldTicks > 35 ? 6 : 12;
    if (heldTicks % every == 0) step(game);
}

void StepPlayer(Game& game, int32_t delta) {
    game.players.CurrentPlayer += delta;
    PlaySound(game.Sound(), "click");
    // A returning player goes on where they left off.
    ShowNewestOpenLevel(game, game.players.CurrentPlayer);
}

void SelectPlayer(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (in.PrevPlayerKey) StepPlayer(game, -1), in.PrevPlayerKey = false;
    if (in.NextPlayerKey) StepPlayer(game, 1), in.NextPlayerKey = false;
    if (ps.PlayerArrowPressed) {
        if (ps.PlayerArrowPart == 1) StepPlayer(game, -1);
        if (ps.PlayerArrowPart == 3) StepPlayer(game, 1);
        ps.PlayerArrowPressed = false;
    }
    // Entries past the last player may be selected (their name is the placeholder).
    PlayerTable& players = game.players;
    if (players.CurrentPlayer < 1) players.CurrentPlayer = 1;
    if (players.CurrentPlayer > kMaxPlayers) players.CurrentPlayer = kMaxPlayers;
    game.settings.Character = players.PlayerCharacter[players.CurrentPlayer];
}

// A held mouse button repeats a level arrow every 100 ms; away from the arrows the part is 0.
void ReadLevelArrows(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (!ps.LevelArrowPressed) ps.LevelArrowPart = 0;
    if (in.MouseHeld) {
        in.MouseRepeatTime += lag;
        if (in.MouseRepeatTime > 100) in.MouseRepeatTime -= 100, ps.LevelArrowPressed = true;
    }
    if (!PointerInside(game, 330, 275, 356, 355)) return;
    if (in.ClickSeen) ps.LevelArrowPressed = true;
    ps.LevelArrowPart = ArrowPart(in.MouseY, 298, 331);
}

void SelectLevel(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    // An arrow key-down steps once. When the key's held state was seen for the first time in
    // this tick, the held-state repeat has already made that step: one tap, one level. A tap
    // too short for any tick to see it held, and the system's key repeats, step here.
    if (in.KeyUpPressed) {
        if (!(ps.UpHeld && ps.UpHeldTicks == 0)) PreviousLevel(game);
        in.KeyUpPressed = false;
    }
    if (in.KeyDownPressed) {
        if (!(ps.DownHeld && ps.DownHeldTicks == 0)) NextLevel(game);
        in.KeyDownPressed = false;
    }
    if (ps.LevelArrowPressed) {
        if (ps.LevelArrowPart == 1) PreviousLevel(game);
        if (ps.LevelArrowPart == 3) NextLevel(game);
        ps.LevelArrowPressed = false;
    }
    int32_t& level = game.world.play.CurrentLevel;
    if (level < 1) level = 1;
    if (level > game.levels.LevelSet.LevelCount) level = game.levels.LevelSet.LevelCount;
}

void ReadEditDeleteClick(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (!in.ClickSeen || !PointerInside(game, 214, 360, 261, 377)) return;
    in.PlayerActionKey = true;
    ps.PlayerActionTimer = 1.0;
    if (in.MouseX < 235) in.PlayerAction = 1;
    if (in.MouseX > 240) in.PlayerAction = 2;
    if (in.PlayerAction > 0) PlaySound(game.Sound(), "click");
}

// Timers of the pressed-button looks run from 1 to 10 at 0.1 per millisecond.
void AdvancePressTimers(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    if (ps.PlayerActionTimer > 0) {
        ps.PlayerActionTimer += lag * 0.1;
        if (ps.PlayerActionTimer > 10) ps.PlayerActionTimer = 0, game.input.PlayerAction = 0;
    }
}

void AdvanceAddFlash(PlayersScreenState& ps, int32_t lag) {
    if (ps.AddFlashTimer > 0) {
        ps.AddFlashTimer += lag * 0.1;
        if (ps.AddFlashTimer > 10) ps.AddFlashTimer = 0, ps.AddFlash = false;
    }
}

}  // namespace

void ReadPlayersInput(Game& game, int32_t lag) {
    PlayersScreenState& ps = game.screens.players;
    InputStates& states = game.media.Input;
    states.PollInput();
    TrackHeldKey(states.Has(isUp), ps.UpHeld, ps.UpHeldTicks);
    TrackHeldKey(states.Has(isDown), ps.DownHeld, ps.DownHeldTicks);
    game.input.ClickSeen = TakeFireState(game);
    ps.PlayersAction = 0;
    ReadEscape(game);
    ReadBottomButtons(game);
    ReadStartRequest(game);
    ReadPlayerArrows(game);
    RepeatHeldLevelKey(game, ps.UpHeld, ps.UpHeldTicks, PreviousLevel);
    RepeatHeldLevelKey(game, ps.DownHeld, ps.DownHeldTicks, NextLevel);
    SelectPlayer(game);
    ReadLevelArrows(game, lag);
    SelectLevel(game);
    ReadEditDeleteClick(game);
    ActOnPlayerRequest(game);
    AdvancePressTimers(game, lag);
    ReadNameField(game);
    ReadAddButton(game);
    AdvanceAddFlash(ps, lag);
}

void ShowNewestOpenLevel(Game& game, int32_t slot) {
    const PlayerTable& players = game.players;
    const int32_t count = game.levels.LevelSet.LevelCount;
    if (slot < 1 || slot > players.PlayerCount || slot > kMaxPlayers || count < 1) return;
    game.world.play.CurrentLevel = std::clamp(players.PlayerLevels[slot], 1, count);
}
