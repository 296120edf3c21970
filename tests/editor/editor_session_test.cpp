// A long random session of the editor driven as a user would: keys, typed letters, pointer moves,
// drags with every button, wheel and zoom steps, resizes down to a single pixel, prompts answered
// or dropped, selections turned and pasted, levels added, copied, deleted and moved. After every
// step the frame drawn over the last one must equal a frame drawn whole, and at the end undoing
// every change must give back the opened set byte for byte. Saving, opening, new sets, quitting
// and test play are left out: they leave the session or write files.
//   TOLMARA_EDITOR_STEPS: how many steps (default 2500); TOLMARA_EDITOR_SEED: the session's seed;
//   TOLMARA_EDITOR_TRACE: print every step as it is taken (to find what a crash followed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "editor.h"
#include "editor_events.h"
#include "level/level_writer.h"
#include "support/test_support.h"

namespace {

using Kind = WindowEvent::Kind;

int FromEnvironment(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : otherwise;
}

std::string Describe(const WindowEvent& e) {
    std::string mods =
        std::string(e.Ctrl ? "Ctrl+" : "") + (e.Shift ? "Shift+" : "") + (e.Alt ? "Alt+" : "");
    switch (e.What) {
        case Kind::KeyDown:
            return "key " + mods + e.Key;
        case Kind::Text:
            return "text '" + e.Text + "'";
        case Kind::Resize:
            return "resize " + std::to_string(e.X) + "x" + std::to_string(e.Y);
        case Kind::Wheel:
            return "wheel " + mods + std::to_string(e.X) + "," + std::to_string(e.Y);
        case Kind::MouseMove:
            return "move " + std::to_string(e.X) + "," + std::to_string(e.Y);
        case Kind::MouseDown:
        case Kind::MouseUp:
            return std::string(e.What == Kind::MouseDown ? "down " : "up ") +
                   std::to_string(e.Button) + " at " + std::to_string(e.X) + "," +
                   std::to_string(e.Y);
        default:
            return "other";
    }
}

// Makes the steps of a session from one seed.
class Session {
  public:
    explicit Session(uint32_t seed) : random_(seed) {}

    std::vector<WindowEvent> NextStep() {
        std::vector<WindowEvent> step;
        int what = Between(0, 99);
        if (what < 22)
            AnyKey(step);
        else if (what < 34)
            step.push_back(Typed(AnyCharacter()));
        else if (what < 52)
            step.push_back(WindowEvent::At(Kind::MouseMove, AnyX(), AnyY()));
        else if (what < 66)
            Drag(step);
        else if (what < 74)
            Wheel(step);
        else if (what < 78)
            Resize(step);
        else if (what < 86)
            PromptAnswered(step);
        else if (what < 90)
            Selection(step);
        else if (what < 95)
            UndoOrRedo(step);
        else
            LevelListChange(step);
        return step;
    }

    // Ends what the session left under way: buttons held, a prompt open, the help shown.
    std::vector<WindowEvent> Ending() {
        std::vector<WindowEvent> step;
        for (int button = 1; button <= 3; ++button)
            step.push_back(WindowEvent::At(Kind::MouseUp, x_, y_, button));
        step.push_back(Key("Escape"));
        step.push_back(Key("Escape"));
        return step;
    }

  private:
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    int AnyX() { return x_ = Chance(3) ? Between(-50, width_ + 50) : Between(0, width_ - 1); }
    int AnyY() { return y_ = Chance(3) ? Between(-50, height_ + 50) : Between(0, height_ - 1); }

    std::string AnyCharacter() {
        static const std::string plain =
            "plekqsmg@.:;,oOry+bETtu<v^>RDLUh[]MWa#=X%&$~!12345678 _xz";
        if (Chance(4)) return Chance(50) ? "\xC3\xA9" : "\xE2\x82\xAC";  // é, and € (not Latin-1)
        return std::string(1, plain[static_cast<size_t>(Between(0, plain.size() - 1))]);
    }

    void AnyKey(std::vector<WindowEvent>& step) {
        static const std::vector<std::string> keys = {
            "Left", "Right",  "Up",        "Down",   "PageUp", "PageDown", "Home", "End",
            "Tab",  "Delete", "Backspace", "Escape", "Return", "F1",       "F2",   "F3",
            "F4",   "F6",     "F7",        "F8",     "F9",     "F10",      "Z",    "Y",
            "A",    "D",      "C",         "X",      "V",      "H",        "J",    "R",
            "G",    "S",      "O",         "N",      "Q",      "F5"};
        for (;;) {
            WindowEvent e = Key(keys[static_cast<size_t>(Between(0, keys.size() - 1))], Chance(30),
                                Chance(20), Chance(8));
            // Leaving the session, writing files and test play are not part of it.
            if (e.Key == "F5" ||
                (e.Ctrl && (e.Key == "S" || e.Key == "O" || e.Key == "N" || e.Key == "Q")))
                continue;
            step.push_back(e);
            return;
        }
    }

    void Drag(std::vector<WindowEvent>& step) {
        int button = Between(1, 3);
        step.push_back(WindowEvent::At(Kind::MouseDown, AnyX(), AnyY(), button));
        for (int n = Between(0, 4); n > 0; --n) {
            // Mostly short moves: a scroll or a stroke of a few cells.
            int x = Chance(70) ? x_ + Between(-120, 120) : AnyX();
            int y = Chance(70) ? y_ + Between(-120, 120) : AnyY();
            x_ = x;
            y_ = y;
            step.push_back(WindowEvent::At(Kind::MouseMove, x, y));
        }
        if (Chance(90)) step.push_back(WindowEvent::At(Kind::MouseUp, x_, y_, button));
    }

    void Wheel(std::vector<WindowEvent>& step) {
        WindowEvent e = WindowEvent::At(Kind::Wheel, Chance(20) ? Between(-2, 2) : 0,
                                        Chance(50) ? Between(1, 3) : -Between(1, 3));
        e.Ctrl = Chance(40);
        e.Shift = Chance(20);
        if (Chance(50)) step.push_back(WindowEvent::At(Kind::MouseMove, AnyX(), AnyY()));
        step.push_back(e);
    }

    void Resize(std::vector<WindowEvent>& step) {
        static const std::pair<int, int> sizes[] = {{1, 1},     {2, 3},     {40, 30},
                                                    {300, 200}, {400, 300}, {520, 380},
                                                    {640, 480}, {800, 600}, {1024, 768}};
        auto [w, h] = Chance(25) ? std::pair{Between(1, 1100), Between(1, 900)}
                                 : sizes[Between(0, std::size(sizes) - 1)];
        width_ = w;
        height_ = h;
        step.push_back(WindowEvent::At(Kind::Resize, w, h));
    }

    // A prompt opened, its answer edited and given, or the prompt dropped.
    void PromptAnswered(std::vector<WindowEvent>& step) {
        struct Asked {
            WindowEvent Key;
            std::vector<std::string> Answers;
        };
        static const std::vector<Asked> prompts = {
            {Key("F2"),
             {"Crossing",
              "A long level name that runs on and on past the panel's edge "
              "and further still",
              "n\xC3\xA9"}},
            {Key("F3"), {"computer.dxg", "nothing-here.dxg"}},
            {Key("F4"), {"0", "3", "-1", "x"}},
            {Key("F6"), {"My set", ""}},
            {Key("F7"), {"101 2", "100 0", "7"}},
            {Key("F8"), {"3 2", "12 9", "40 30", "1 1", "0 5"}},
            {Key("F9"), {"0", "1"}},
            {Key("F10"), {"250", "999"}},
            {Key("A", true), {"5 4 Small", "20 12", "0 0"}},
        };
        const Asked& asked = prompts[static_cast<size_t>(Between(0, prompts.size() - 1))];
        if (asked.Key.Key == "F7") step.push_back(WindowEvent::At(Kind::MouseMove, AnyX(), AnyY()));
        step.push_back(asked.Key);
        static const std::vector<std::string> edits = {"Left", "Right",  "Home",
                                                       "End",  "Delete", "Backspace"};
        for (int n = Between(0, 3); n > 0; --n) {
            if (Chance(20))
                step.push_back(Key("A", true));
            else
                step.push_back(Key(edits[static_cast<size_t>(Between(0, edits.size() - 1))]));
        }
        if (Chance(30)) {
            step.push_back(Key("Escape"));
            return;
        }
        step.push_back(Key("A", true));
        step.push_back(
            Typed(asked.Answers[static_cast<size_t>(Between(0, asked.Answers.size() - 1))]));
        step.push_back(Key("Return"));
    }

    // A selection made and copied, cut, turned, pasted or cleared.
    void Selection(std::vector<WindowEvent>& step) {
        step.push_back(Typed("m"));
        step.push_back(WindowEvent::At(Kind::MouseDown, AnyX(), AnyY(), 1));
        step.push_back(
            WindowEvent::At(Kind::MouseMove, x_ + Between(0, 150), y_ + Between(0, 150)));
        step.push_back(WindowEvent::At(Kind::MouseUp, x_, y_, 1));
        static const std::vector<std::string> keys = {"C", "X", "V", "H", "J", "R", "Delete"};
        for (int n = Between(1, 3); n > 0; --n) {
            const std::string& key = keys[static_cast<size_t>(Between(0, keys.size() - 1))];
            step.push_back(Key(key, key != "Delete", key == "R" && Chance(50)));
        }
    }

    // A few steps of the history back, or forward again.
    void UndoOrRedo(std::vector<WindowEvent>& step) {
        const bool undo = Chance(65);
        for (int n = Between(1, 6); n > 0; --n) step.push_back(Key(undo ? "Z" : "Y", true));
    }

    void LevelListChange(std::vector<WindowEvent>& step) {
        switch (Between(0, 5)) {
            case 0:
                step.push_back(Key("D", true));
                break;
            case 1:
                step.push_back(Key("Delete", true));
                break;
            case 2:
                step.push_back(Key(Chance(50) ? "Up" : "Down", false, false, true));
                break;
            case 3:
                step.push_back(Key("Tab", false, Chance(50)));
                break;
            case 4:  // a click in the list
                step.push_back(WindowEvent::At(Kind::MouseDown, Between(0, 259), AnyY(), 1));
                step.push_back(WindowEvent::At(Kind::MouseUp, x_, y_, 1));
                break;
            default:  // grow or shrink a side
                static const char* sides[] = {"Left", "Right", "Up", "Down"};
                step.push_back(Key(sides[Between(0, 3)], true, Chance(50)));
                break;
        }
    }

    std::mt19937 random_;
    int width_ = 1024, height_ = 768;
    int x_ = 0, y_ = 0;
};

TEST(EditorSession, RandomSessionsDrawRightAndUndoToTheOpenedSet) {
    const int steps = FromEnvironment("TOLMARA_EDITOR_STEPS", 2500);
    const uint32_t seed = static_cast<uint32_t>(FromEnvironment("TOLMARA_EDITOR_SEED", 24));
    Editor editor(BuiltGameDir());
    editor.Handle(WindowEvent::At(Kind::Resize, 1024, 768));
    ASSERT_TRUE(editor.OpenFile(BuiltGameDir() + "Tolmara.lev"));
    const Bytes opened = WriteLevelSet(editor.Set().Data());
    Surface current, other;
    editor.Draw(current);
    Session session(seed);
    std::deque<std::string> recent;  // the last steps, to tell what led to a fault
    auto history = [&] {
        std::string text;
        for (const std::string& line : recent) text += "  " + line + "\n";
        return text;
    };
    const bool trace = std::getenv("TOLMARA_EDITOR_TRACE") != nullptr;
    for (int n = 0; n <= steps; ++n) {
        std::vector<WindowEvent> step = n < steps ? session.NextStep() : session.Ending();
        std::string described = "step " + std::to_string(n) + ":";
        for (const WindowEvent& e : step) described += " " + Describe(e) + ";";
        if (trace) fprintf(stderr, "%s\n", described.c_str());
        recent.push_back(described);
        if (recent.size() > 12) recent.pop_front();
        for (const WindowEvent& e : step) editor.Handle(e);
        ASSERT_FALSE(editor.Finished()) << history();
        editor.Draw(current);
        Surface drawnOver = current;
        editor.Draw(other);  // another frame: everything is drawn
        ASSERT_EQ(drawnOver.Width, other.Width);
        ASSERT_TRUE(drawnOver.Pixels == other.Pixels)
            << "seed " << seed << ": the frame drawn over the last differs from a whole one after\n"
            << history();
        std::swap(current, other);
    }
    int undone = 0;
    while (editor.Set().CanUndo() && undone++ < 1000000) editor.Handle(Key("Z", true));
    EXPECT_TRUE(WriteLevelSet(editor.Set().Data()) == opened)
        << "seed " << seed << ": undoing every change did not give back the opened set";
    editor.Draw(current);
}

}  // namespace
