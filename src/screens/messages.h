// On-screen messages and tips: a numbered text table and a queue of at most ten lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/events.h"

struct Game;

constexpr int kMessageSlots = 200;
constexpr int kMaxQueuedMessages = 10;

struct QueuedMessage {
    int32_t Code = 0;  // n, or n + 200 for a delayed message
    int32_t Age = 0;   // milliseconds
};

struct MessageState {
    std::array<std::string, kMessageSlots> MessageTexts{};
    std::array<QueuedMessage, kMaxQueuedMessages> MessageQueue{};
    int32_t MessageCount = 0;
    std::array<bool, kMessageSlots + 1> MessageShown{};  // 1..200
};

void FillMessageTexts(MessageState& messages);
void ClearMessages(MessageState& messages);  // empties the queue and clears the shown flags
void ShowMessage(Game& game, MessageId id);
void ShowMessageDelayed(Game& game, MessageId id);
// The message that the player's saves have moved to `folder`, naming it.
void ShowSavesMoved(Game& game, const std::string& folder);
// A problem of the player's records (the file and what went wrong).
void ShowRecordsProblem(Game& game, const std::string& what);
// A word about the records (a run exported, ...).
void ShowRecordsNote(Game& game, const std::string& what);
void AgeMessages(Game& game, int32_t lag);
void DrawMessages(Game& game);
