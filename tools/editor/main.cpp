// tolmara-editor: makes and changes level sets in a window, in the game's own pictures.
//   tolmara-editor [FILE.lev | FILE.lvl | assets/levels]   (the folder: edit the shipped sources)
//   tolmara-editor --screenshot OUT.png [--level N] [FILE]   draws one frame to a picture
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "dxgwriter/png_writer.h"
#include "editor.h"
#include "event_script.h"
#include "media/byte_io.h"

namespace {

int Usage() {
    std::cerr << "usage: tolmara-editor [FILE.lev | FILE.lvl | assets/levels]\n"
                 "       (the game's own set opens as a copy saved in the save folder; the folder\n"
                 "       assets/levels opens the shipped sources to be saved in place)\n"
                 "       tolmara-editor --screenshot OUT.png [--level N] [FILE.lev | FILE.lvl]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file, screenshot, script;
    int level = 1;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc)
            screenshot = argv[++i];
        else if (arg == "--script" && i + 1 < argc)  // events to handle first (for tests)
            script = argv[++i];
        else if (arg == "--level" && i + 1 < argc)
            level = std::atoi(argv[++i]);
        else if (!arg.empty() && arg[0] == '-')
            return Usage();
        else if (file.empty())
            file = arg;
        else
            return Usage();
    }
    try {
        GameFolders folders = FoldersOfProgram();
        Editor editor(folders.Data);
        editor.SetSaveFolder(folders.Save);
        bool fresh = file.empty() || (!PathExists(file) && file.size() > 4 &&
                                      file.compare(file.size() - 4, 4, ".lev") == 0);
        if (fresh) editor.StartNew(file);
        if (!fresh && !editor.OpenFile(file)) {
            // The messages are shown in the window; a picture run says them here too.
            if (!screenshot.empty()) std::cerr << "tolmara-editor: " << file << " not opened\n";
        }
        Surface frame;
        if (!screenshot.empty()) {
            editor.ShowLevel(level - 1);
            editor.WaitForProofs();
            editor.Handle(WindowEvent::At(WindowEvent::Kind::MouseMove, 600, 400));
            editor.Draw(frame);
            WritePng(screenshot, frame);
            return 0;
        }
        CanvasWindow window;
        window.Open("Tolmara Deepgrid level editor", 1280, 960);
        editor.Handle(WindowEvent::At(WindowEvent::Kind::Resize, window.Width(), window.Height()));
        if (fresh) editor.StartNew(file);  // fitted to the window's real size
        editor.OfferRecovery();
        for (const WindowEvent& e :
             script.empty() ? std::vector<WindowEvent>{} : ReadEventScript(script)) {
            editor.Handle(e);
            editor.KeepRecovery();
        }
        if (!script.empty()) std::cout << "script done" << std::endl;
        // A frame is drawn when something happened: an idle editor costs no processor time.
        bool draw = true;
        while (!editor.Finished()) {
            if (draw) {
                editor.Draw(frame);
                window.Show(frame);
            }
            std::vector<WindowEvent> events = window.Events(250);
            for (const WindowEvent& e : events) editor.Handle(e);
            editor.KeepRecovery();
            draw = editor.TakeProofOutcomes() || !events.empty();
        }
        editor.ForgetRecovery();  // saved, or given up at the question
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tolmara-editor: " << e.what() << "\n";
        return 1;
    }
}
