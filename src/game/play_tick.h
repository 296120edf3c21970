// One tick of play in the world's fixed order, giving up, the level's end and cut moves.
#pragma once

#include <cstdint>

struct World;
class GameEvents;

// Advances the world by lag milliseconds: the player, the objects it may have pushed, the
// monsters, then the blasts and fuses, which see everything else's new cells; the level time
// grows. A long tick (the window held still, a stalled machine) runs as several steps of at most
// 40 ms, so nothing jumps past a rule: in one jump the player could pass the point at which a
// push starts and walk over the object.
void AdvanceWorld(World& world, GameEvents& events, int32_t lag);

// Gives the level up: no lives left, a blast on the player's cell (which shows no "lost one
// life" message because LevelAborted is already set) and the aborted outcome.
void GiveUp(World& world, GameEvents& events);

struct LevelEndCheck {
    bool NoLivesLeft = false;   // the level is lost
    bool EndScreenDue = false;  // a pause after losing, giving up or reaching the exit ran out
};
// The level is lost once no life is left; the level end follows 1 s after it was lost or given
// up and 0.5 s after the exit was reached.
LevelEndCheck CheckLevelEnd(World& world, int32_t lag);

// A move cut short (the display switch, or the way back from the help or character screen in
// the middle of a step) ends as if it had run out: the player stands at the centre of the cell
// it was heading for, and a cell being eaten in place is gone. Otherwise the player would rest
// between two cells and walk on off the grid's lines, and an infotron, life or bomb it was
// walking into, already counted when the step began, would stay in its cell to be counted again.
void FinishCutMove(World& world);
// The play's share of a screen-state reset: end flags and timers, the dying pause, the move
// (finished as above) and the idle animation.
void ResetPlayState(World& world);
