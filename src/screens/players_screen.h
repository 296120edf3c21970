// The players and levels screen's parts, shared by its files: input, names, drawing.
#pragma once

#include <cstdint>

struct Game;

// Level stepping with a click sound; silent at the ends of the level set.
void PreviousLevel(Game& game);
void NextLevel(Game& game);

// Puts the level list on the newest level the player in table slot `slot` may start (the last
// level of the set once the whole set is made); nothing for an empty slot.
void ShowNewestOpenLevel(Game& game, int32_t slot);

// The idle tick's input step (panels at rest, not leaving).
void ReadPlayersInput(Game& game, int32_t lag);

// Name entry and the player table: the name field, the add button, edit and delete requests.
void ReadNameField(Game& game);
void ReadAddButton(Game& game);
void ActOnPlayerRequest(Game& game);
// Stores EditText: into a new entry after the last player, or into the selected entry when an
// existing name is being edited. With a full table a new name is refused (message 21) and name
// entry ends.
void StoreName(Game& game);
// The last typed key while a name is being entered: Backspace, Enter, or a character to append.
void TypeNameKey(Game& game);

// Drawing: the panels and buttons; the text being entered with its cursor; names; level lines.
void DrawPlayersPanels(Game& game);
void DrawNameEntry(Game& game, int32_t lag);
void DrawPlayerNames(Game& game);
void DrawLevelLines(Game& game);
