// The level editor's frames and flood fill, measured through the editor's own code.
#include "bench_editor.h"

#include <stdexcept>

#include "editor.h"
#include "model/edit_set.h"

namespace {

WindowEvent Event(WindowEvent::Kind what, int x = 0, int y = 0, int button = 0) {
    return WindowEvent::At(what, x, y, button);
}

}  // namespace

EditorCosts MeasureEditor(const std::string& dataDir, const std::string& levelSetPath,
                          const Repetitions& reps) {
    using Kind = WindowEvent::Kind;
    EditorCosts costs;
    Editor editor(dataDir);
    if (!editor.OpenFile(levelSetPath))
        throw std::runtime_error(levelSetPath + ": the editor cannot open it");
    editor.Handle(Event(Kind::Resize, 1280, 960));
    editor.ShowLevel(0);  // the whole level in the window
    Surface frame;
    editor.Draw(frame);
    // The whole level dragged a pixel to and fro with the middle button: every frame draws the
    // whole map again (an unchanged frame draws nothing, a moving pointer only its rows).
    int col = 50, row = 50, x = 0, y = 0;
    editor.PointOfCell(col, row, x, y);
    editor.Handle(Event(Kind::MouseDown, x, y, 2));
    int step = -1;
    costs.WholeLevelUs = MedianMicroseconds(
        reps.Samples, reps.TicksPerBatch, [&] { step = -step; },
        [&] {
            editor.Handle(Event(Kind::MouseMove, x + (step > 0 ? 1 : 0), y));
            editor.Draw(frame);
        });
    editor.Handle(Event(Kind::MouseUp, x, y, 2));

    // A pencil stroke along a row, one cell a frame, painting floor and wall by turns.
    col = 2;
    editor.PointOfCell(col, row, x, y);
    editor.Handle(Event(Kind::MouseDown, x, y, 1));
    bool floor = true;
    costs.PaintingUs = MedianMicroseconds(
        reps.Samples, reps.TicksPerBatch,
        [&] {
            if (++col > 98) {
                col = 2;
                floor = !floor;
                WindowEvent pick = Event(Kind::Text);
                pick.Text = floor ? "." : "#";
                editor.Handle(pick);
            }
            editor.PointOfCell(col, row, x, y);
        },
        [&] {
            editor.Handle(Event(Kind::MouseMove, x, y));
            editor.Draw(frame);
        });
    editor.Handle(Event(Kind::MouseUp, x, y, 1));

    // Flood fills of a whole empty level, each undone before the next.
    EditSet set(LevelSetData{0, "", {NewLevel(99, 99, "Fill")}});
    costs.FillMs =
        MedianMicroseconds(
            reps.Samples / 4 + 1, 1, [&] { set.Undo(); }, [&] { set.Fill(0, 50, 50, tcFloor); }) /
        1000.0;
    return costs;
}
