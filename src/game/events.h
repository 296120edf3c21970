// What the rules report to the layers above: sounds to play and messages to show. The rules never
// play or draw anything themselves, so they run the same in the game, a test or a replay.
#pragma once

#include <string_view>

// The numbered messages and tips of the message strip. Numbers from 100 up are tips, shown only
// while tips are on; the numbers are those of the message table.
enum class MessageId : int {
    None = 0,
    MusicEnabled = 2,
    MusicDisabled = 3,
    SoundsEnabled = 4,
    SoundsDisabled = 5,
    RedLevelLocked = 6,
    EnterNameFirst = 7,
    ClickNameFieldFirst = 8,
    NameTooShort = 9,
    SoundFailed = 10,
    UseExitToQuit = 11,
    InvincibleOn = 13,
    InvincibleOff = 14,
    TipsEnabled = 15,
    TipsDisabled = 16,
    EmptySlotNoEdit = 17,
    EmptySlotNoDelete = 18,
    NoNameToEdit = 19,
    NoNameToDelete = 20,
    NameListFull = 21,
    PlayersNotSaved = 22,
    SelectNameFirst = 23,
    MusicDeviceFailed = 25,
    MusicFileMissing = 26,
    SavesMoved = 27,
    RecordsProblem = 28,
    RecordsNote = 29,
    GhostShown = 30,
    GhostHidden = 31,
    RewindOffered = 32,
    RewindOn = 33,
    RewindOff = 34,
    TipBlastDestroyedInfotron = 102,
    TipExitClosed = 103,
    TipSecondInfotronLost = 104,
    TipBlockedYourself = 105,
    TipFoundWayOut = 106,
    TipMoreInfotronsLost = 107,
    TipTooManyLives = 110,
    TipLifePickedUp = 111,
    TipFirstBombPickedUp = 112,
    LifeLost = 113,
    TipEnterName = 114,
    TipInfotronsCompleteFirstLevel = 115,
    TipInfotronsCompleteSecondLevel = 116,
    TipInfotronsComplete = 117,
    TipBombPickedUp = 118,
    TipYellowDynamite = 119,
    TipToggleTips = 120,
    TipTerminal = 121,
    TipRedDynamite = 122,
    TipEatInPlace = 123,
    TipPushBalls = 124,
    TipBallIntoShaft = 125,
    TipPortsGoDown = 126,
    TipClearTheLid = 127,
    TipWalkWithTheWind = 128,
    TipOneBombTwoWalls = 129,
    TipBallOnSawDrone = 130,
    TipTerminalReach = 131,
    TipPortsStopMonsters = 132,
    TipPilesRollRight = 133,
    TipPortsIgnoreThePulse = 134,
    TipKeepTheBallOffTheFuse = 135,
    TipBallsRollOffBalls = 136,
    TipBombLinesBurn = 137,
    TipFinishEachDistrict = 138,
    TipHoldInTheWind = 139,
    TipStickAsBridge = 140,
    TipSwitchReach = 141,
};

constexpr int MessageNumber(MessageId id) {
    return static_cast<int>(id);
}

// The receiver of the rules' reports. Calls arrive at the moment of the rule that makes them, so
// a sound starts and a message queues at the same point of the tick as the rule's change.
class GameEvents {
  public:
    virtual ~GameEvents() = default;
    // A named sound of the sound library ("explozie", "infotron", ...).
    virtual void PlaySound(std::string_view name) = 0;
    virtual void ShowMessage(MessageId id) = 0;
    // Whether the message was shown since the screens were last reset: tips appear once.
    virtual bool MessageShown(MessageId id) const = 0;
};

// Events that go nowhere: for simulations that only want the world's result.
class SilentEvents : public GameEvents {
  public:
    void PlaySound(std::string_view) override {}
    void ShowMessage(MessageId id) override;
    bool MessageShown(MessageId id) const override;

  private:
    bool shown_[200] = {};
};
