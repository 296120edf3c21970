// The players file follows the player table: every change that the file holds is written at once.
#pragma once

struct Game;

// Writes "playersnames.grf" with the same bytes as the end of the run writes, through the
// crash-safe writer, so that a crash or a power cut after a made level loses nothing. Called by
// the players screen (a name added, renamed or deleted), the character selection and the level
// end. A failed write leaves the old file, shows one message naming the file and lets the game
// go on; the next change tries again. Games whose table did not come from the file (replays,
// tools) never write it.
void SavePlayers(Game& game);
