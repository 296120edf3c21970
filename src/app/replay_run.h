// Replays played through the real level start and play screens, with the whole game around them:
// for drawing their frames, watching them and replays that visit other screens.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/replay.h"

struct Game;

// A game started on the data folder as a replay wants it: start-up defaults without the folder's
// configuration, tips on, music off, sounds on; then the script's speed, character, mortality
// and level set. Throws std::runtime_error with the reason.
std::unique_ptr<Game> StartReplayGame(const ReplayScript& script, const std::string& dataDir);

// Called after every tick with the tick's number (from 1) and lag; returning false stops the run.
using ReplayTickObserver = std::function<bool(Game& game, int64_t tick, int32_t lag)>;

// Plays the script's ticks from the level start screen on. The run ends after the last step or
// after the first tick that leaves the play screen.
ReplayResult PlayReplay(Game& game, const ReplayScript& script,
                        const ReplayTickObserver& observer = {});

// Moves the held keys to `next` as a window would report them: releases first (in the order the
// keys went down), then the new keys in the order listed, each with its character. The Ctrl state
// of every event is the one after the event, as the platform reports modifiers.
void ChangeHeldKeys(Game& game, std::vector<ReplayKey>& held, const std::vector<ReplayKey>& next);

// For watching a replay in a real window: keeps the window responsive and waits until `lag`
// milliseconds have passed since the previous call. False once the window was closed.
bool WaitForReplayPace(int32_t lag);
// The end of a watched replay: when the level was left, the level-end screen draws its outcome
// over the last frame; the window then keeps that frame until a key or a mouse button is pressed,
// the window is closed, or `ms` milliseconds pass.
void HoldLastFrame(Game& game, int32_t ms);
