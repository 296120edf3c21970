// The seven help pages, drawn over "informatii": a title, then rows of tile pictures with short
// explanations. Everything outside the drawn text and pictures stays transparent.
#include <functional>
#include <string>
#include <vector>

#include "assetbuild/menu_icons.h"
#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

using Icon = std::function<void(cairo_t*, double x, double y, double size)>;

constexpr double kIconX = 30;
constexpr double kIconSize = 40;
constexpr double kTextX = 124;
constexpr double kBodySize = 15;
constexpr double kLine = 18;

// One page under construction; y is the top of the next free row.
class HelpPage {
  public:
    explicit HelpPage(const std::string& title, double textRight = 604)
        : c_(640, 480), right_(textRight) {
        OutlinedText(c_.cr, title, 320, 54, 26, pal::kGold, Align::Center, true, 0x05080E, 4);
        y = 76;
    }
    cairo_t* Cr() { return c_.cr; }
    void SetTextRight(double right) { right_ = right; }

    // Up to two icons at the left, a bold heading and a wrapped explanation at the right.
    void Row(const std::vector<Icon>& icons, const std::string& heading, const std::string& text) {
        double x = kIconX;
        for (const Icon& icon : icons) {
            icon(c_.cr, x, y, kIconSize);
            x += kIconSize + 4;
        }
        PlainText(c_.cr, heading, kTextX, y + 14, kBodySize, pal::kGold, Align::Left, true);
        double end = WrappedText(c_.cr, text, kTextX, y + 14 + kLine, right_ - kTextX, kBodySize,
                                 kLine, pal::kText);
        y = std::max(y + kIconSize, end - kLine + 5) + 10;
    }
    // A paragraph over the full width of the page.
    void Paragraph(const std::string& text, uint32_t colour = pal::kText) {
        y = WrappedText(c_.cr, text, kIconX, y + 14, right_ - kIconX, kBodySize, kLine, colour) -
            14 + 6;
    }
    // One line of the key table: the key right-aligned before x 180, its action after it.
    void Key(const std::string& key, const std::string& action) {
        PlainText(c_.cr, key, 176, y + 14, kBodySize, pal::kGold, Align::Right, true);
        PlainText(c_.cr, action, 192, y + 14, kBodySize, pal::kText);
        y += 20;
    }
    PictureData Finish(const std::string& name) {
        return CanvasToPicture(c_, name, 0, 0, true, pal::kPanel);
    }

    double y = 0;

  private:
    Canvas c_;
    double right_;
};

Icon PortIcon(Dir d) {
    return [d](cairo_t* cr, double x, double y, double s) { IconPort(cr, x, y, s, d); };
}
Icon TerminalIcon(int kind) {
    return [kind](cairo_t* cr, double x, double y, double s) { IconTerminal(cr, x, y, s, kind); };
}

// Page 1 also shows where to stand: the exit with the player in the cell below.
void StandBelowDiagram(cairo_t* cr, double x, double y) {
    IconExit(cr, x, y, 48);
    DrawRobot(cr, x + 24, y + 48 + 24, 20);
    SetRgb(cr, 0x3A4556);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 48.5, 47, 47);
    cairo_stroke(cr);
    PlainText(cr, "stand here", x + 24, y + 114, 14, pal::kCyan, Align::Center, true);
}

PictureData GoalPage() {
    HelpPage p("The goal");
    p.Paragraph(
        "Vivuz the rolling robot and Vuzoda the engineer explore the deep grid, the circuits of "
        "a vast old computer. Choose one of them and clear the levels one by one.");
    p.y += 4;
    p.SetTextRight(470);
    p.Row({IconInfotron}, "Collect infotrons",
          "Every level needs a number of infotrons. The status bar shows how many you have and how "
          "many "
          "you need.");
    p.Row({IconExit}, "Then stand BELOW the exit",
          "The exit is never entered: with enough infotrons, stop in the cell directly under it "
          "and the "
          "level is made.");
    p.Row({IconLife}, "Lives",
          "You start every level with 3 lives and can carry up to 6. Without lives the level is "
          "lost.");
    p.Paragraph(
        "Escape gives up a level. Every level you make opens the next one on the players screen.",
        pal::kCyan);
    StandBelowDiagram(p.Cr(), 510, 150);
    return p.Finish("c");
}

PictureData KeysPage() {
    HelpPage p("Keys");
    p.Key("Arrows or keypad", "walk, eat circuits, collect, push");
    p.Key("Space + arrow", "eat or collect beside you without moving");
    p.Key("Ctrl", "place a bomb, if you carry one");
    p.Key("Escape", "give up the level / go back");
    p.Key("Backspace", "step back in time (held: keep going back)");
    p.Key("P", "pause");
    p.Key("T, M, S", "tips, music, sounds on / off");
    p.Key("R", "show the frame rate");
    p.Key("C", "change character");
    p.Key("G", "ghost of your best run on / off");
    p.Key("F1", "this help");
    p.Key("+ and -", "faster / slower game");
    p.Key("Alt + Enter", "full screen or window");
    p.y += 6;
    p.Paragraph(
        "Players screen: A adds a name, E edits and D deletes the selected one, ; and . choose a "
        "player, Up and Down choose a level, Enter starts it, H shows its records.",
        pal::kCyan);
    return p.Finish("c1");
}

PictureData CollectPage() {
    HelpPage p("Floor, circuits and things to collect");
    p.Row({IconFloor}, "Floor", "A dull grid plate. Walk on it; it is gone once you have passed.");
    p.Row({IconCircuit}, "Circuits",
          "Green chips. Walk into them to eat them, or hold Space and press an arrow to eat one "
          "beside you.");
    p.Row({IconInfotron}, "Infotrons",
          "Walk into them to collect them. They fall and roll off piles like balls: watch your "
          "head!");
    p.Row({IconLife}, "Extra life", "One more life, up to 6.");
    p.Row({IconBomb}, "Bomb",
          "Pick it up, then press Ctrl to place it where you stand. About a second later it blows "
          "up the "
          "3 x 3 cells around it: get away!");
    return p.Finish("c2");
}

PictureData HeavyPage() {
    HelpPage p("Balls and dynamite");
    p.Row({IconBall}, "Ball",
          "A heavy black sphere. It falls, rolls off piles and can be pushed left or right into an "
          "empty "
          "cell. Anything that falls on you costs a life.");
    p.Row({IconRedDynamite}, "Red dynamite",
          "Push it in any of the four directions; it never falls. It explodes when something lands "
          "on it, "
          "when an explosion reaches it or when a terminal sets it off.");
    p.Row({IconYellowDynamite}, "Yellow dynamite",
          "Falls like a ball and can be pushed left or right. It explodes when it lands on "
          "anything, when "
          "something lands on it, in an explosion or by a terminal.");
    p.Row({IconBrickWall, IconHardWall}, "Explosions",
          "An explosion wrecks the 3 x 3 cells around it: circuits, infotrons and ceramic walls "
          "are gone, "
          "and dynamite or bombs there go off too. Balls, steel walls, the border, the exit, ports "
          "and "
          "terminals stand firm.");
    return p.Finish("c3");
}

PictureData MachinesPage() {
    HelpPage p("Ports and terminals");
    p.Row({PortIcon(Dir::Right), PortIcon(Dir::Up)}, "Ports",
          "Passages marked with arrows. Walk into a port in the arrow's direction to jump through "
          "it to the cell "
          "beyond, collecting what lies there. Only if that cell holds no ball and no dynamite.");
    p.Row({TerminalIcon(0)}, "Terminal",
          "Walk against it from any side to set off all the dynamite within 10 cells. It works "
          "every time.");
    p.Row({TerminalIcon(1), TerminalIcon(2)}, "One-shot terminal",
          "Stand on top of it and press Down: all the dynamite within 10 cells goes off, and the "
          "terminal is "
          "used up.");
    p.Paragraph("Keep well away from the dynamite before you set it off!", pal::kCyan);
    return p.Finish("c4");
}

PictureData HazardsPage() {
    HelpPage p("Traps, drift fans and plasma cores");
    p.Row({[](cairo_t* cr, double x, double y, double s) { IconTrap(cr, x, y, s, Dir::Left); }},
          "Traps",
          "Spring plates. Step in from the open side and the spring throws you two cells back the "
          "way you "
          "came, and costs a life.");
    p.Row({[](cairo_t* cr, double x, double y, double s) { IconFan(cr, x, y, s, Dir::Right); }},
          "Drift fans",
          "A fan pulls you sideways while you are near it, standing or walking, and nothing stops "
          "the pull "
          "until you are out of its reach.");
    p.Row({[](cairo_t* cr, double x, double y, double s) { IconPlasma(cr, x, y, s, true); },
           [](cairo_t* cr, double x, double y, double s) { IconPlasma(cr, x, y, s, false); }},
          "Plasma core",
          "Deadly while it swells red. Wait until it fades to blue, then walk across it from the "
          "side.");
    return p.Finish("c5");
}

PictureData MonstersPage() {
    HelpPage p("Monsters");
    p.Row({IconSawDrone}, "Saw drone",
          "Spins through the corridors. If it catches you, you lose a life.");
    p.Row({IconSpark}, "Spark creature",
          "Crackles through empty space; its touch costs a life too.");
    p.Row({IconBall, IconInfotron}, "Drop something on them",
          "A ball, an infotron or yellow dynamite falling on a monster destroys it: the saw drone "
          "explodes, "
          "the spark creature bursts into infotrons. Explosions destroy monsters too.");
    p.y += 10;
    OutlinedText(p.Cr(), "Good luck in the deep grid!", 320, p.y + 20, 22, pal::kCyan);
    return p.Finish("c6");
}

}  // namespace

void AddHelpPages(std::vector<PictureData>& out) {
    out.push_back(GoalPage());
    out.push_back(KeysPage());
    out.push_back(CollectPage());
    out.push_back(HeavyPage());
    out.push_back(MachinesPage());
    out.push_back(HazardsPage());
    out.push_back(MonstersPage());
}
