// The benchmark's figures and their two printed forms: a readable table and one JSON object.
#pragma once

#include <optional>
#include <string>

// A per-frame cost in microseconds; empty when it could not be measured here.
using Figure = std::optional<double>;

struct BenchFigures {
    double MemcpyUs = 0;
    double MemcpyWindowUs = 0;  // memcpy of one 1280 x 960 x 32-bit window: presenting's yardstick
    double SdlBlitUs = 0;       // SDL's opaque blit of the same frame, for comparison
    Figure PlayLargest, Play99, MainMenu, Players;
    // Presenting into a 1280 x 960 window: a whole changed frame in software, the same by the
    // display's default, an unchanged frame and the main menu's successive frames in software.
    Figure PresentSoftware, PresentDefault, PresentUnchanged, PresentMenu;
    Figure PresentUnchangedCompared;  // an unchanged frame that did not record its drawing
    Figure EditorWhole, EditorPainting, EditorFillMs;
    Figure StartupMs, PeakRssMb, IdleCpuPercent, PlayWindowCpuPercent;
    // Rewind on the 99 x 99 benchmark level: the play tick without and with the way back kept,
    // one second back, and the memory of the way back after RewindMinutes of play.
    Figure RewindTickOff, RewindTickOn, RewindStepMs, RewindMemoryMb;
    int RewindMinutes = 0;

    // What the figures were measured on, for the readable form.
    std::string LargestLevel;      // e.g. "level 2 \"Loose Infotrons\", 14 x 8"
    std::string SoftwareRenderer;  // renderer names as SDL gives them
    std::string DefaultRenderer;
    std::string StartupDriver;             // "x11" or "dummy"
    std::string IdleNote;                  // how the logo was left, the game's own peak memory
    std::string PlayWindowNote;            // the level watched, or why it was not measured
    double LoadBefore = 0, LoadAfter = 0;  // one-minute load averages
    int Cores = 0;
};

std::string ReportText(const BenchFigures& f);
std::string ReportJson(const BenchFigures& f);
