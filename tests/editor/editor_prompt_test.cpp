// Questions in the status line: the answer given is selected (typing replaces it), and is edited
// with a cursor, Home and End, Delete and Backspace, Ctrl+A and pasting; letters the level files
// cannot hold are left out with a word in the message line. The palette names the tile under the
// pointer, and the walls have names.
#include <gtest/gtest.h>

#include <string>

#include "editor.h"
#include "editor_events.h"
#include "model/tile_palette.h"
#include "support/test_support.h"

namespace {

using Kind = WindowEvent::Kind;

class EditorPrompt : public ::testing::Test {
  protected:
    EditorPrompt() : editor_(BuiltGameDir()) {
        editor_.Handle(WindowEvent::At(Kind::Resize, 1024, 768));
        editor_.StartNew("");
        editor_.SetClipboardReader([this] { return clipboard_; });
    }
    // Renames the level by the events (after F2) and gives its new name.
    std::string Renamed(const std::vector<WindowEvent>& events) {
        editor_.Handle(Key("F2"));
        for (const WindowEvent& e : events) editor_.Handle(e);
        editor_.Handle(Key("Return"));
        return editor_.Set().Level(0).LevelName;
    }

    Editor editor_;
    std::string clipboard_;
};

TEST_F(EditorPrompt, TypingReplacesTheGivenAnswerAndTheCursorEditsIt) {
    // A modifier pressed to type a capital keeps the answer selected.
    EXPECT_EQ(Renamed({Key("Left Shift"), Typed("D"), Typed("eep")}), "Deep");
    EXPECT_EQ(Renamed({Key("End"), Typed(" one")}), "Deep one");
    EXPECT_EQ(Renamed({Key("Home"), Key("Delete"), Typed("K"), Key("End"), Key("Backspace"),
                       Key("Left"), Key("Left"), Key("Backspace"), Typed("x")}),
              "Keepxon");
    EXPECT_EQ(Renamed({Key("Left"), Key("Right"), Key("Right"), Typed("-")}), "Ke-epxon");
    EXPECT_EQ(Renamed({Key("A", true), Key("Backspace"), Typed("Gone")}), "Gone");
    clipboard_ = "Pasted\nin";
    EXPECT_EQ(Renamed({Key("A", true), Key("V", true)}), "Pastedin");
    EXPECT_EQ(Renamed({Key("Home"), Key("V", true)}), "PastedinPastedin");
    // Escape drops the question and the name stays.
    editor_.Handle(Key("F2"));
    editor_.Handle(Typed("never"));
    editor_.Handle(Key("Escape"));
    EXPECT_EQ(editor_.Set().Level(0).LevelName, "PastedinPastedin");
}

TEST_F(EditorPrompt, LettersOutsideLatin1AreLeftOutWithAWord) {
    EXPECT_EQ(Renamed({Typed("caf\xC3\xA9 \xE2\x82\xAC")}), "caf\xE9 ");
    ASSERT_FALSE(editor_.Messages().empty());
    EXPECT_NE(editor_.Messages()[0].find("outside Latin-1"), std::string::npos);
    EXPECT_NE(editor_.Messages()[0].find("1 letter left out"), std::string::npos);
}

TEST_F(EditorPrompt, ThePaletteNamesTheTileUnderThePointer) {
    Surface frame;
    editor_.Draw(frame);  // the palette is laid out for the tile set
    bool named = false;
    for (int y = 0; y < 600 && !named; y += 4)
        for (int x = 1024 - 232; x < 1024 && !named; x += 4) {
            editor_.Handle(WindowEvent::At(Kind::MouseMove, x, y));
            named = editor_.StatusText().rfind("palette: terracotta ceramic wall [30]", 0) == 0;
        }
    EXPECT_TRUE(named) << editor_.StatusText();
}

TEST(TileNames, EveryWallHasADescriptiveName) {
    for (const PaletteGroup& group : PaletteGroups(tcEatFirst)) {
        if (group.Name != "Walls and floors" && group.Name != "Other solid tiles") continue;
        for (int32_t tile : group.Tiles) {
            const std::string name = TileName(tile);
            EXPECT_EQ(name.find_first_of("0123456789"), std::string::npos) << tile << ": " << name;
        }
    }
    EXPECT_EQ(TileName(45), "plain steel wall");
    EXPECT_EQ(TileName(31), "porcelain ceramic wall");
}

}  // namespace
