// The program entry's sequence and the window's event loop.
#pragma once

// Runs the whole game in a real window; returns the process exit status.
int RunGame();
