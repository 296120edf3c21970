// The level editor's window: the map, the level list, the palette, the checks and the status
// line, driven by window events and drawn into a frame of the window's size.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/test_play.h"
#include "map_picture.h"
#include "media/canvas_window.h"
#include "media/picture.h"
#include "media/surface.h"
#include "media/text_canvas.h"
#include "model/edit_set.h"
#include "model/level_findings.h"
#include "model/proof_checks.h"
#include "model/proofs.h"
#include "model/recovery.h"
#include "model/set_files.h"
#include "model/set_places.h"
#include "model/tile_palette.h"

enum class Tool { Pencil, Line, Rectangle, FilledRectangle, Fill, Start, Select };

class Editor;

// One command of the editor: what gives it, what it does and its line of help. The keys and the
// typed characters run it; a command with neither is done with the pointer or in a question and
// is there for the help.
struct EditorCommand {
    std::string Shown;  // the keys as the help shows them: "Ctrl+Shift+R", "`p`"
    std::string Help;
    std::vector<std::string> Keys;  // "Ctrl+Z", "Alt+Up", "PageUp": modifiers, then SDL's name
    std::string Typed;              // characters that give it
    void (Editor::*Run)(const WindowEvent&) = nullptr;
};

class Editor {
  public:
    explicit Editor(std::string dataDir);
    // Opens a set; false (with the messages shown) when it cannot be opened.
    bool OpenFile(const std::string& path);
    // A new set of one empty level, to be saved as `levelFile` (may be empty: asked on saving).
    void StartNew(const std::string& levelFile);
    void Handle(const WindowEvent& event);
    // The window point at the middle of a cell of the shown level; false when it is not in view.
    bool PointOfCell(int col, int row, int& x, int& y) const;
    // Shows level `index` (from 0).
    void ShowLevel(int index) { SetLevel(index); }
    void Draw(Surface& frame);
    bool Finished() const { return finished_; }
    // The status line's text when no question is asked.
    std::string StatusText();
    // The lines of the message line (what the last action said).
    const std::vector<std::string>& Messages() const { return message_; }
    // The set as edited, with its history (for tests that undo a whole session).
    const EditSet& Set() const { return set_; }
    // Every command, in the order the help lists them.
    static const std::vector<EditorCommand>& Commands();
    // The commands as a Markdown table (the README's table of keys).
    static std::string KeysMarkdown();
    // The smallest window the editor is made for; smaller ones are drawn, with little in view.
    static constexpr int kMinimumWidth = 640, kMinimumHeight = 480;
    // Where the editor reads the clipboard (the window system's by default).
    void SetClipboardReader(std::function<std::string()> reader) {
        clipboardReader_ = std::move(reader);
    }

    // The user's save folder: copies of the game's own set and recovery copies go there.
    void SetSaveFolder(const std::string& saveDir) { saveDir_ = saveDir; }
    // Whether there is work that a quit would lose: changes to the set or proofs not yet saved.
    bool Unsaved() const { return set_.Modified() || unsavedProofs_ || recovered_; }
    // The state of level `index`'s proof (from 0).
    ProofState ProofOfLevel(int index) const { return ProofOf(index); }
    // Takes the outcomes of proofs played in the background; true when a proof's state changed.
    bool TakeProofOutcomes();
    // Waits until the proofs being played are played, and takes their outcomes.
    void WaitForProofs();
    // Asks whether to take back the recovery copy of the set opened (or of a set with no name).
    void OfferRecovery();
    // Writes the recovery copy when the unsaved work changed since it was last written: at once
    // when `now`, else at most once a second (a long drag does not write the whole set at every
    // cell; the window's loop says `now` as soon as no events come).
    void KeepRecovery(bool now = true);
    // Removes the recovery copy this session wrote (the work is saved or was given up).
    void ForgetRecovery();
    // Test play without the game's window (for tests): plays and returns the recording.
    using TestPlayer = std::function<TestPlay(const std::string& levelsPath, int level, int speed,
                                              const std::string& dataDir)>;
    void SetTestPlayer(TestPlayer player) { testPlayer_ = std::move(player); }

  private:
    struct Prompt {
        std::string Question, Answer;  // Latin-1
        std::function<void(const std::string&)> Done;
        bool OneKey = false;       // answered by one key (y / n), not by Enter
        size_t Cursor = 0;         // where typing goes, a place in Answer
        bool AllSelected = false;  // the whole answer, replaced by what is typed next
    };
    struct Layout {
        Rect List, Map, Palette, Checks, Status;
    };

    // Events.
    void KeyDown(const WindowEvent& e);
    void Typed(const WindowEvent& e);
    void PickTile(int32_t tile);
    void PickTyped(const WindowEvent& e);
    // Keeps at least a cell of the map's edge in view, however far it was scrolled.
    void KeepMapInView();
    // Cuts the selection to the level (none when nothing of it is left).
    void KeepSelectionInLevel();
    void MouseDown(const WindowEvent& e);
    void MouseMove(const WindowEvent& e);
    void MouseUp(const WindowEvent& e);
    void Wheel(const WindowEvent& e);
    void PromptKey(const WindowEvent& e);
    // The keys that move the cursor in an answer and erase from it.
    static void EditAnswer(Prompt& prompt, const std::string& key);
    // Puts UTF-8 text into the answer at the cursor (over the whole answer when it is selected).
    void PromptInsert(const std::string& utf8);
    void Ask(const std::string& question, std::function<void(const std::string&)> done,
             bool oneKey = false, const std::string& answer = "");
    // Runs `then` after asking to save unsaved changes (save, discard or stay).
    void WhenSaved(std::function<void()> then);

    // Actions.
    // Takes `set` as the set edited, with no proofs, checks or recovery copy of the last one.
    void StartAfresh(EditSet set);
    void Save(std::function<void()> then = {}) { SaveNow(std::move(then)); }
    // False when the set was not saved (the messages are shown).
    bool SaveNow(std::function<void()> then = {});
    void SaveAs(std::function<void()> then = {});
    void SetLevel(int index);
    void Undo();
    void Redo();
    void ZoomBy(int steps, int aboutX, int aboutY);
    void ZoomToFit();
    void Show(const std::vector<std::string>& lines, bool error);

    // The commands (each takes the event that gave it).
    void ShowHelp(const WindowEvent&);
    void ChooseTool(const WindowEvent& e);
    void ToggleGrid(const WindowEvent&);
    void Scroll(const WindowEvent& e);
    void ZoomIn(const WindowEvent&);
    void ZoomOut(const WindowEvent&);
    void WholeLevel(const WindowEvent&);
    void DropSelection(const WindowEvent&);
    void ClearSelection(const WindowEvent&);
    void UndoKey(const WindowEvent&) { Undo(); }
    void RedoKey(const WindowEvent&) { Redo(); }
    void CopySelection(const WindowEvent&);
    void CutSelection(const WindowEvent&);
    void PasteClipboard(const WindowEvent&);
    void TurnSelection(const WindowEvent& e);
    void GrowOrShrink(const WindowEvent& e);
    void AskLevelName(const WindowEvent&);
    void AskTileSet(const WindowEvent&);
    void AskQuota(const WindowEvent&);
    void AskFlags(const WindowEvent&);
    void AskSetName(const WindowEvent&);
    void AskCell(const WindowEvent&);
    void AskSize(const WindowEvent&);
    void AskSpeed(const WindowEvent&);
    void TestPlayKey(const WindowEvent&) { TestPlayLevel(); }
    void NextLevel(const WindowEvent& e);
    void AskNewLevel(const WindowEvent&);
    void DuplicateLevel(const WindowEvent&);
    void DeleteLevel(const WindowEvent&);
    void MoveLevel(const WindowEvent& e);
    void SaveKey(const WindowEvent&) { Save(); }
    void SaveAsKey(const WindowEvent&) { SaveAs(); }
    void OpenKey(const WindowEvent&);
    void NewSetKey(const WindowEvent&);
    void QuitKey(const WindowEvent&);
    void ApplyDrag(int col, int row);
    void TestPlayLevel();
    // The proofs' files as a save writes them where the set keeps them; `names` gets their names.
    std::vector<GroupFile> ProofFiles(std::vector<std::string>& names);
    // Plays the saved proofs again without a window, in the background.
    void SaveProofs();
    // Reads the set's proofs in `folder` named `prefix` + "NN.replay", to be played again.
    void LoadProofs(const std::string& folder, const std::string& prefix);
    // Plays the proofs of the levels at `index` (its state "checking" until the outcome is in).
    void QueueProof(int index, const ReplayScript& script, bool editedSince = false);
    // Starts playing the queued proofs in the background; `saved`: a summary when all are in.
    void StartProofChecks(bool saved);
    // Opens the game's source tree of levels (its folder of level sources).
    OpenedSet OpenSourceTree(const std::string& folder);
    // The proofs of the levels as they are now, by level index.
    std::vector<RecoveredProof> ProofsByIndex() const;
    ProofState ProofOf(int index) const;
    // The checks and proof state of level `index`, worked out again only when it changed.
    struct LevelState {
        uint64_t Revision = 0;
        int Index = -1;  // the level's place when checked: the texts give its number
        std::vector<LevelFinding> Findings;
        bool Errors = false;
        ProofState Proof = ProofState::None;
        std::vector<int> TileCounts;  // cells of each tile code
    };
    const LevelState& StateOf(int index);

    // Drawing. Each panel describes what it shows as a look; it is drawn again only when that
    // look is not the one already in the frame (ShowsAlready keeps the new look).
    enum Panel { kListPanel, kMapPanel, kPalettePanel, kChecksPanel, kStatusPanel, kPanelCount };
    bool ShowsAlready(Panel panel, std::string look);
    Layout LayoutOf(int width, int height) const;
    void LoadTiles();
    void DrawList(Surface& frame, const Rect& area);
    void DrawMap(Surface& frame, const Rect& area);
    // A frame or letter drawn over the map.
    struct MapMark {
        Rect Box;
        uint16_t Colour = 0;
        bool Letter = false;  // the start's letter in the cell Box
        bool operator==(const MapMark& o) const {
            return Box.Left == o.Box.Left && Box.Top == o.Box.Top && Box.Right == o.Box.Right &&
                   Box.Bottom == o.Box.Bottom && Colour == o.Colour && Letter == o.Letter;
        }
    };
    Rect CellBox(const Rect& area, int col, int row) const;
    // The marks over the map in view: the start, the selection, the drag, the cell under the
    // pointer. Marks wholly out of view are left out.
    std::vector<MapMark> MapMarks(const Rect& area, const LevelRecord& level) const;
    // The map rows to draw again, from `from` to `to` (none when from >= to): those of the
    // cells that changed and of the marks that came, went or moved.
    void ChangedRows(const Rect& area, const MapPicture::ChangedRows& changed,
                     const std::vector<MapMark>& marks, int& from, int& to) const;
    void DrawGrid(Surface& frame, const Rect& area, const Rect& band, const LevelRecord& level);
    void DrawMarks(Surface& frame, const Rect& band, const std::vector<MapMark>& marks);
    void DrawPalette(Surface& frame, const Rect& area);
    void DrawChecks(Surface& frame, const Rect& area);
    void DrawStatus(Surface& frame, const Rect& area);
    void DrawPrompt(Surface& frame, const Rect& area);
    void DrawHelp(Surface& frame, const Rect& area);
    // The text in lines of at most `width` pixels (a longer word keeps a line of its own).
    std::vector<std::string> Wrapped(const std::string& text, int width);
    // Text drawn only inside `clip`.
    void Text(Surface& frame, int x, int y, const std::string& latin1, uint32_t rgb,
              const Rect& clip);
    const Surface& Thumbnail(int32_t tile);

    // Where the pointer is.
    bool CellAtPoint(int x, int y, int& col, int& row) const;
    // Where the palette puts each tile's picture and each group's name, in `area`; only what
    // fits in the area is listed.
    struct PaletteSpot {
        int32_t Tile = 0;  // 0: a group's name
        int X = 0, Y = 0;
        const std::string* Name = nullptr;
    };
    std::vector<PaletteSpot> PaletteSpots(const Rect& area) const;
    int32_t PaletteTileAt(int x, int y) const;
    int ListLevelAt(int x, int y) const;
    // The levels the list has room for, and the first it shows (the shown level is in view).
    int ListRows(const Rect& area) const;
    int FirstListed(int rows) const;

    static constexpr int kLineHeight = 16;
    static constexpr int kThumb = 32, kThumbStep = 36, kThumbsPerRow = 6;

    std::string dataDir_;
    EditSet set_;
    SetPlace place_;       // where the set, its sources and its proofs are saved
    bool copy_ = false;    // a copy of the game's own set, not saved yet
    std::string saveDir_;  // the user's save folder
    bool unsavedProofs_ = false, recovered_ = false;
    std::chrono::steady_clock::time_point recoveryWritten_;
    std::string recoveryFile_, recoveryLook_;  // the recovery copy and what it holds
    std::string openedPath_;                   // the path the set was opened from
    bool recoveryOurs_ = false;                // written (or taken back) by this session
    TestPlayer testPlayer_;
    // Proofs played in the background: the queue, the run, and for a run after a save whether
    // each level changed since its proof was made and what the outcomes came to.
    std::vector<ProofJob> queued_;
    std::unique_ptr<ProofChecks> checks_;
    std::map<int, bool> editedSince_;
    bool checksAfterSave_ = false;
    int checksMade_ = 0, checksStale_ = 0, checksFailing_ = 0;
    std::vector<std::string> sources_;  // the sources the last save wrote
    std::string openedSource_;          // the level source the set was opened from, if one was
    std::vector<std::string> replays_;  // the proofs the last save wrote
    std::map<int, Proof> proofs_;       // by level id
    std::map<int, LevelState> states_;  // by level id; cleared when the proofs change
    int speed_ = 300;
    int level_ = 0;
    Tool tool_ = Tool::Pencil;
    int32_t tile_ = 30;
    bool grid_ = false, help_ = false, finished_ = false;
    bool swallowText_ = false;  // the character of a key that answered a question or closed help

    // The view: pixels a cell and the zoomed pixel at the map's top-left.
    int cell_ = kCellSize;
    int viewX_ = 0, viewY_ = 0;
    int width_ = 1280, height_ = 960;

    // The pointer and drags.
    int pointerX_ = -1, pointerY_ = -1;
    bool painting_ = false, dragging_ = false, scrolling_ = false;
    int anchorCol_ = 0, anchorRow_ = 0, dragCol_ = 0, dragRow_ = 0, lastCol_ = 0, lastRow_ = 0;
    int scrollFromX_ = 0, scrollFromY_ = 0;

    CellArea selection_;  // no selection when Cols is 0
    CellBlock clipboard_;

    std::unique_ptr<Prompt> prompt_;
    std::function<std::string()> clipboardReader_;
    std::vector<std::string> message_;
    bool messageIsError_ = false;

    PictureList tiles_;
    std::string tilesLoaded_;
    std::vector<Surface> thumbnails_;
    std::vector<PaletteGroup> palette_;
    MapPicture map_;
    std::vector<MapMark> drawnMarks_;
    std::optional<std::string> drawnLooks_[kPanelCount];
    const uint16_t* drawnPixels_ = nullptr;  // the frame the looks are in
    std::unique_ptr<TextCanvas> text_;
};
