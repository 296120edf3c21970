// The benchmark's figures and their two printed forms: a readable table and one JSON object.
#pragma once

#include <optional>
#include <string>

// A per-frame cost in microseconds; empty when it could not be measured here.
using Figure = std::optional<double>;

struct BenchFigures {
    double MemcpyUs = 0;
    double SdlBlitUs = 0;  // SDL's opaque blit of the same frame, for comparison
    Figure PlayLargest, Play99, MainMenu, Players;
    Figure PresentSoftware, PresentDefault;
    Figure EditorWhole, EditorPainting, EditorFillMs;
    Figure StartupMs, PeakRssMb, IdleCpuPercent;

    // What the figures were measured on, for the readable form.
    std::string LargestLevel;      // e.g. "level 2 \"Loose Infotrons\", 14 x 8"
    std::string SoftwareRenderer;  // renderer names as SDL gives them
    std::string DefaultRenderer;
    std::string StartupDriver;             // "x11" or "dummy"
    std::string IdleNote;                  // how the logo was left, the game's own peak memory
    double LoadBefore = 0, LoadAfter = 0;  // one-minute load averages
    int Cores = 0;
};

std::string ReportText(const BenchFigures& f);
std::string ReportJson(const BenchFigures& f);
