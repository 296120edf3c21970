// The share of one core the real game uses while it idles in its main menu in a real X window.
#pragma once

#include <optional>
#include <string>

struct IdleFigures {
    double CpuPercent = 0;  // user + system time of all its threads over the measured wall time
    double PeakRssMb = 0;   // the game's VmHWM at the end of the measurement
    bool LogoSkippedByKey = false;
};

// Starts `gameBinary` (a copy of it in a temporary folder, beside links to the data files, so
// that what the game saves stays there) on the X display, with SDL's dummy audio driver; skips
// the logo with a key sent by xdotool when it is installed, otherwise waits for the logo to end;
// then measures the game's CPU time over `seconds` from /proc. Empty when the game could not be
// started or ended early.
std::optional<IdleFigures> MeasureIdleMenu(const std::string& gameBinary,
                                           const std::string& dataDir, const std::string& display,
                                           double seconds);

// The share of one core that playing uses in a 1280 x 960 window: `replayBinary --watch` of a
// replay that stands still on level `level` of Tolmara.lev (monsters cannot end it), its CPU
// time over `seconds` from /proc once the level has started. Empty when it could not be run.
std::optional<double> MeasureReplayWatch(const std::string& replayBinary,
                                         const std::string& dataDir, const std::string& display,
                                         int level, double seconds);
