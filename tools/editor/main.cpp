// tolmara-editor: makes and changes level sets in a window, in the game's own pictures.
//   tolmara-editor [FILE.lev | FILE.lvl | assets/levels]   (the folder: edit the shipped sources)
//   tolmara-editor --screenshot OUT.png [--level N] [FILE]   draws one frame to a picture
//   tolmara-editor --keys                                    prints the keys as a Markdown table
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "dxgwriter/png_writer.h"
#include "editor.h"
#include "event_script.h"
#include "media/byte_io.h"
#include "model/private_folder.h"
#include "store/atomic_write.h"

namespace {

int Usage(std::ostream& out, int status) {
    out << "usage: tolmara-editor [FILE.lev | FILE.lvl | assets/levels]\n"
           "       tolmara-editor --screenshot OUT.png [--level N] [FILE.lev | FILE.lvl]\n"
           "       tolmara-editor --keys\n"
           "Opens a level set (or a level source) in a window; a .lev that does not exist yet\n"
           "starts a new set to be saved there. In the window F1 lists every key; --keys prints\n"
           "them as a table. The game's own set opens as a copy saved in the save folder;\n"
           "the folder assets/levels opens the shipped sources to be saved in place.\n";
    return status;
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
        else if (arg == "--help" || arg == "-h")
            return Usage(std::cout, 0);
        else if (arg == "--keys") {
            std::cout << Editor::KeysMarkdown();
            return 0;
        } else if (!arg.empty() && arg[0] == '-')
            return Usage(std::cerr, 2);
        else if (file.empty())
            file = arg;
        else
            return Usage(std::cerr, 2);
    }
    try {
        GameFolders folders = FoldersOfProgram();
        Editor editor(folders.Data);
        editor.SetSaveFolder(folders.Save);
        // What editors killed in the middle of a save or a test play left behind.
        RemoveStalePrivateFolders();
        for (const std::string& folder : {folders.Save, folders.Save + "editor-recovery/",
                                          std::filesystem::path(file).parent_path().string() + "/"})
            RemoveStaleTempFiles(folder == "/" ? "./" : folder);
        // A set named but not there yet is a new one; a picture is made only of what exists.
        bool fresh = file.empty() || (screenshot.empty() && !PathExists(file) && file.size() > 4 &&
                                      file.compare(file.size() - 4, 4, ".lev") == 0);
        if (fresh) editor.StartNew(file);
        if (!fresh && !editor.OpenFile(file) && !screenshot.empty()) {
            // The window shows why; a picture run says it here, and makes no picture.
            std::cerr << "tolmara-editor: " << file << ": cannot be opened, no picture made\n";
            for (const std::string& line : editor.Messages()) std::cerr << "  " << line << "\n";
            return 1;
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
        window.SetMinimumSize(Editor::kMinimumWidth, Editor::kMinimumHeight);
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
            editor.KeepRecovery(events.empty());
            draw = editor.TakeProofOutcomes() || !events.empty();
        }
        editor.ForgetRecovery();  // saved, or given up at the question
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tolmara-editor: " << e.what() << "\n";
        return 1;
    }
}
