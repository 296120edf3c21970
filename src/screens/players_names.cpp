// Name entry on the players screen and the changes it makes to the player table: new names,
// edited names, deleted entries.
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/menu_common.h"
#include "screens/messages.h"
#include "screens/player_saves.h"
#include "screens/players_screen.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kEnter = 13;

void BeginNameEntry(Game& game, std::string text, bool existing) {
    PlayersScreenState& ps = game.screens.players;
    game.input.NameEditing = true;
    ps.EditText = std::move(text);
    ps.EditLength = 0;
    ps.EditingExisting = existing;
    game.input.LastKeyChar = 0;
}

void EditSelectedName(Game& game) {
    const PlayerTable& players = game.players;
    if (players.PlayerCount == 0) {
        ShowMessage(game, MessageId::NoNameToEdit);
    } else if (players.CurrentPlayer > players.PlayerCount) {
        ShowMessage(game, MessageId::EmptySlotNoEdit);
    } else {
        BeginNameEntry(game, players.PlayerNames[players.CurrentPlayer], true);
    }
}

// Later entries move up one place; the freed last entry gets the placeholder and level 1. No
// confirmation is asked.
void DeleteSelectedName(Game& game) {
    PlayerTable& players = game.players;
    if (players.PlayerCount == 0) {
        ShowMessage(game, MessageId::NoNameToDelete);
        return;
    }
    if (players.CurrentPlayer > players.PlayerCount) {
        ShowMessage(game, MessageId::EmptySlotNoDelete);
        return;
    }
    for (int i = players.CurrentPlayer; i < players.PlayerCount; ++i) {
        players.PlayerNames[i] = players.PlayerNames[i + 1];
        players.PlayerLevels[i] = players.PlayerLevels[i + 1];
        players.PlayerCharacter[i] = players.PlayerCharacter[i + 1];
    }
    players.PlayerNames[players.PlayerCount] = kNoName;
    players.PlayerLevels[players.PlayerCount] = 1;
    players.PlayerCount -= 1;
    SavePlayers(game);
    if (players.PlayerCount == 0) return;
    if (players.CurrentPlayer > players.PlayerCount) players.CurrentPlayer = players.PlayerCount;
    if (players.PlayerLevels[players.CurrentPlayer] < game.world.play.CurrentLevel) {
        game.world.play.CurrentLevel = players.PlayerLevels[players.CurrentPlayer];
    }
}

}  // namespace

void ActOnPlayerRequest(Game& game) {
    InputFlags& in = game.input;
    if (!in.PlayerActionKey) return;
    if (in.PlayerAction == 1) EditSelectedName(game);
    if (in.PlayerAction == 2) DeleteSelectedName(game);
    in.PlayerActionKey = false;
    in.PlayerAction = 0;
}

void ReadNameField(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    const bool clicked = in.ClickSeen && PointerInside(game, 63, 240, 208, 265);
    if (!(clicked || in.AddNameKey) || in.NameEditing) return;
    PlaySound(game.Sound(), "click");
    BeginNameEntry(game, std::string(), false);
    in.AddNameKey = false;
    ps.CursorTime = 0;
}

void ReadAddButton(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (!in.ClickSeen || !PointerInside(game, 206, 240, 262, 260)) return;
    if (ps.EditText.empty()) {
        ShowMessage(game,
                    in.NameEditing ? MessageId::NameTooShort : MessageId::ClickNameFieldFirst);
        return;
    }
    PlaySound(game.Sound(), "click");
    ps.AddFlash = true;
    ps.AddFlashTimer = 1.0;
    StoreName(game);
    in.NameEditing = false;
    ps.EditText.clear();
}

void StoreName(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    PlayerTable& players = game.players;
    if (!ps.EditingExisting) {
        if (players.PlayerCount >= kMaxPlayers) {
            ShowMessage(game, MessageId::NameListFull);  // the list of names is full
            game.input.NameEditing = false;
            ps.EditText.clear();
            return;
        }
        players.PlayerCount += 1;
        players.CurrentPlayer = players.PlayerCount;  // its level is 1, as for every free entry
    }
    players.PlayerNames[players.CurrentPlayer] = ps.EditText;
    SavePlayers(game);
}

// Only the last key typed since the previous tick is seen. The width check uses the width
// measured when the text was last drawn.
void TypeNameKey(Game& game) {
    PlayersScreenState& ps = game.screens.players;
    InputFlags& in = game.input;
    if (in.LastKeyChar == 0) return;
    ps.CharPending = false;
    ps.EditLength = static_cast<int32_t>(ps.EditText.size());
    if (in.LastKeyChar == kBackspace) {
        ps.EditLength -= 1;
    } else if (in.LastKeyChar == kEnter && ps.EditText.empty()) {
        ShowMessage(game, MessageId::NameTooShort);  // refused as the add button refuses it
    } else if (in.LastKeyChar == kEnter) {
        StoreName(game);  // without the add button's sound
        in.NameEditing = false;
        ps.EditLength = 0;
    } else {
        ps.CharPending = true;
    }
    if (ps.EditLength < 0) ps.EditLength = 0;
    ps.EditText.resize(static_cast<size_t>(ps.EditLength));
    if (ps.CharPending && ps.NameHasRoom) ps.EditText.push_back(static_cast<char>(in.LastKeyChar));
    in.LastKeyChar = 0;
}
