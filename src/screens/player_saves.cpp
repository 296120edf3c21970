// Saving the player table as soon as it changes.
#include "screens/player_saves.h"

#include <cstdio>
#include <exception>

#include "screens/game.h"
#include "screens/messages.h"
#include "store/player_table.h"

void SavePlayers(Game& game) {
    if (!game.PlayersFileFollows) return;
    try {
        WritePlayerNames(game.players, game.settings.Speed, game.SaveFolder());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());  // the full path and the system's reason
        ShowMessage(game, MessageId::PlayersNotSaved);
    }
}
