// On-screen messages and tips: the text table, the queue, ageing and drawing.
#include "screens/messages.h"

#include <utility>

#include "audio/audio.h"
#include "screens/game.h"

namespace {

const std::pair<int, const char*> kMessageTable[] = {
    {2, "Music enabled"},
    {3, "Music disabled"},
    {4, "Sounds enabled"},
    {5, "Sounds disabled"},
    {6, "You cannot play the red levels!"},
    {7, "First, please enter your name!"},
    {8, "Click on the name field ( in the left ) to enter your name, before adding it!"},
    {9, "Enter at least one character!"},
    {10, "Cannot initialize sound! Sounds will be disabled"},
    {11, "Please select and activate the exit option if you would like to quit!"},
    {13, "Cheater! Invincible property enabled!"},
    {14, "Cheater! Invincible property disabled!"},
    {15, "Tips enabled"},
    {16, "Tips disabled"},
    {17, "There is a unocuppied place for a name.Cannot edit it."},
    {18, "There is a unocuppied place for a name.Cannot delete it."},
    {19, "You have no name to edit. First please enter your name clicking on the name box."},
    {20, "You have no name to delete. First please enter your name clicking on the name box."},
    {21, "The list of names is full! Delete a name before adding a new one."},
    {22, "Cannot save playersnames.grf! The game tries again at the next change."},
    {23, "You must first enter or select a name in the left pannel!"},
    {25, "Error: Can't initialize MCI Device."},
    {26, "Error: Can't load music file "},
    {27, "The game's folder cannot be written: the saves now go to the save folder"},
    {28, "The records cannot be kept."},
    {29, "The run was written."},
    {30, "Ghost shown: your best run on this level"},
    {31, "Ghost hidden"},
    {32, "Backspace steps back in time, Escape gives up the level"},
    {33, "Rewind on: Backspace steps back in time"},
    {34, "Rewind off"},
    {102, "The explosion distroyed one infotron, there might not be enought infotrons left!"},
    {103, "You must colect all the infotrons before coming to the exit!"},
    {104, "You've distroyed an other infotron..."},
    {105, "Haha! Is seems to me that you just blocked you self."},
    {106, "Nop! You've find a way out..."},
    {107, "An other infotron... keep it like this and you'll not have infotrons for exit"},
    {110, "You can't have more than 6 lifes!"},
    {111, "One life picked up!"},
    {112, "One bomb picked up! Press Ctrl to place it."},
    {113, "You lost one life!"},
    {114, "Please enter your name!"},
    {115, "You colected all the needed infotrons. You can go at the Exit to finish the level!"},
    {116, "You got all the needed infotrons! ( see the right part of the status bar )"},
    {117, "All the needed infotrons are colected."},
    {118, "One bomb picked up!"},
    {119, "Tip: Push the yellow dinamyte around and let it fall down on what you want to distroy!"},
    {120, "Tip: Press T to enable or disable tips!"},
    {121, "Tip: Press Down Key when you are above the dinamyte terminal!"},
    {122,
     "Tip: Push around the red dinamyte until you place it next to the walls to be distroyed!"},
    {123, "Tip: Hold down the Space Key and press an Arrow Key to eath without moving!"},
    {124,
     "Tip: You can also push to left and right black balls one by one if there is empty room!"},
    {125, "Tip: A ball pushed into a shaft falls on whatever waits at the bottom!"},
    {126, "Tip: The ports only go down. Open each case before you leave the room under it!"},
    {127, "Tip: Yellow dynamite bursts on whatever it lands on. Clear the lid first!"},
    {128, "Tip: Walk with the wind to take infotrons; drifting over them sweeps them away."},
    {129, "Tip: A blast reaches all eight cells around the bomb: one cell can open two walls!"},
    {130, "Tip: A ball dropped on a saw drone blasts open the walls around it."},
    {131, "Tip: The terminal only fires sticks within ten rows and ten columns of you."},
    {132, "Tip: A monster cannot follow you through a port."},
    {133, "Tip: Things on a pile roll right if they can. Read each wagon before you dig."},
    {134, "Tip: Ports ignore the pulse: jump when the drone is away and the core fades."},
    {135, "Tip: Push the ball away from the pit, or it lights the fuse before it is mended."},
    {136, "Tip: A ball that lands on another ball rolls off to the side if it can."},
    {137, "Tip: A blast sets off every bomb it reaches: a line of bombs burns end to end."},
    {138, "Tip: Ports only go down. Finish each district and keep the bomb for the end."},
    {139, "Tip: Hold Right while the wind carries you, or it sweeps away what you meet."},
    {140, "Tip: A stick pushed one cell down a pit is a bridge for a ball."},
    {141, "Tip: A switch fires every stick within ten cells of you, yours too!"},
};

// Queues message n with the given code; false when it is a tip while tips are off, the queue is
// full or the number is outside the table.
bool Enqueue(Game& game, int n, int code) {
    MessageState& m = game.messages;
    if (n < 0 || n >= kMessageSlots) return false;
    if (n >= 100 && !game.settings.ShowTips) return false;
    if (m.MessageCount >= kMaxQueuedMessages) return false;
    m.MessageQueue[m.MessageCount++] = QueuedMessage{code, 0};
    m.MessageShown[n] = true;
    return true;
}

// The strip "mesajfond" is drawn at x 70, centred on the lines' middle (x 320), so it is as wide
// as that place allows (500 pixels); each end is a cap of this width that text must not cover,
// with a little air beside it.
constexpr int kStripCapWidth = 12;
constexpr int kCapAir = 2;
constexpr int kMessageSize = 10;
constexpr int kSmallestSize = 6;

// Sets the canvas to the largest size, up to the message size, in which the text fits between
// the strip's caps.
void SetSizeThatFits(TextCanvas& canvas, const std::string& text, int room) {
    int size = kMessageSize;
    for (; size > kSmallestSize; --size) {
        canvas.SetFont("Arial", size);
        if (canvas.TextPixelWidth(text) <= room) break;
    }
    canvas.SetFont("Arial", size);
}

}  // namespace

void FillMessageTexts(MessageState& messages) {
    for (auto& text : messages.MessageTexts) text.clear();
    for (const auto& [number, text] : kMessageTable) messages.MessageTexts[number] = text;
    ClearMessages(messages);
}

void ClearMessages(MessageState& messages) {
    messages.MessageCount = 0;
    messages.MessageShown.fill(false);
}

void ShowSavesMoved(Game& game, const std::string& folder) {
    game.messages.MessageTexts[MessageNumber(MessageId::SavesMoved)] =
        "The game's folder cannot be written: the saves now go to " + folder;
    ShowMessage(game, MessageId::SavesMoved);
}

void ShowRecordsProblem(Game& game, const std::string& what) {
    game.messages.MessageTexts[MessageNumber(MessageId::RecordsProblem)] = what;
    ShowMessage(game, MessageId::RecordsProblem);
}

void ShowRecordsNote(Game& game, const std::string& what) {
    game.messages.MessageTexts[MessageNumber(MessageId::RecordsNote)] = what;
    ShowMessage(game, MessageId::RecordsNote);
}

void ShowMessage(Game& game, MessageId id) {
    const int n = MessageNumber(id);
    if (Enqueue(game, n, n)) PlaySound(game.Sound(), "aparemesaj");
}

void ShowMessageDelayed(Game& game, MessageId id) {
    const int n = MessageNumber(id);
    Enqueue(game, n, n + 200);
}

void AgeMessages(Game& game, int32_t lag) {
    MessageState& m = game.messages;
    int i = 0;
    while (i < m.MessageCount) {
        m.MessageQueue[i].Age += lag;
        if (m.MessageQueue[i].Age > 7000) {
            for (int k = i; k + 1 < m.MessageCount; ++k) m.MessageQueue[k] = m.MessageQueue[k + 1];
            --m.MessageCount;
        } else {
            ++i;
        }
    }
}

void DrawMessages(Game& game) {
    MessageState& m = game.messages;
    if (m.MessageCount == 0) return;
    const Picture& strip = game.media.GamePictures.FindPicture("mesajfond");
    TextCanvas& canvas = game.media.Canvas;
    int y = 10;
    for (int i = 0; i < m.MessageCount; ++i) {
        const QueuedMessage& entry = m.MessageQueue[i];
        int number = entry.Code;
        if (entry.Code >= 200) {
            if (entry.Age <= 500) continue;
            number = entry.Code - 200;
        }
        const std::string& text = m.MessageTexts[number];
        strip.DrawPattern(game.media.Back, 70, y, 0);
        SetSizeThatFits(canvas, text, strip.Width() - 2 * (kStripCapWidth + kCapAir));
        canvas.SetColor(0x000080);
        int w = canvas.TextPixelWidth(text);
        canvas.WriteText(game.media.Back, 320 - w / 2, y, text);
        canvas.ReleaseCanvas();
        y += 25;
    }
}
