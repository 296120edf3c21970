// The program entry's sequence and the window's event loop.
#pragma once

#include <string>

// Runs the whole game in a real window; returns the process exit status. A level set file named
// by `levels` is played in this run instead of the configured one.
int RunGame(const std::string& levels = "");
