// Window events read from a text file, one a line, so that a test can drive the real editor
// without a window system:
//   key [ctrl+][shift+][alt+]NAME   a key pressed (NAME as SDL names it: S, F5, Return, Left)
//   text CHARACTERS                 characters typed
//   click X Y [BUTTON]              the pointer pressed and released at (X, Y)
//   move X Y                        the pointer moved to (X, Y)
//   size WIDTH HEIGHT               the window resized
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <string>
#include <vector>

#include "media/canvas_window.h"

// Throws std::runtime_error "<path>, line N: ..." for a line it cannot read.
std::vector<WindowEvent> ReadEventScript(const std::string& path);
