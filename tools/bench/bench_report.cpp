// The readable table of figures with their goals, and the JSON object.
#include "bench_report.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string Format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

// One line of a per-frame figure: microseconds, ratio to the frame memcpy, goal and verdict.
std::string FrameLine(const BenchFigures& f, const std::string& what, const Figure& us,
                      double goalRatio) {
    std::string line = what;
    line.resize(std::max<size_t>(line.size(), 52), ' ');
    if (!us) return line + "  unavailable (needs an X server)\n";
    const double ratio = *us / f.MemcpyUs;
    line += Format("%9.1f us", *us) + Format("%8.2fx", ratio);
    if (goalRatio > 0)
        line += Format("   goal <= %.0fx", goalRatio) + (ratio <= goalRatio ? "  ok" : "  OVER");
    return line + "\n";
}

// One line of a presenting figure: also as a ratio to the memcpy of the window's pixels.
std::string PresentLine(const BenchFigures& f, const std::string& what, const Figure& us,
                        double goalWindowRatio) {
    std::string line = what;
    line.resize(std::max<size_t>(line.size(), 52), ' ');
    if (!us) return line + "  unavailable (needs an X server)\n";
    const double ratio = *us / f.MemcpyWindowUs;
    line += Format("%9.1f us", *us) + Format("%8.2fx", *us / f.MemcpyUs) +
            Format("%7.2fx window", ratio);
    if (goalWindowRatio > 0)
        line += Format("   goal <= %.1fx window", goalWindowRatio) +
                (ratio <= goalWindowRatio ? "  ok" : "  OVER");
    return line + "\n";
}

std::string PlainLine(const std::string& what, const Figure& value, const char* unit, double goal) {
    std::string line = what;
    line.resize(std::max<size_t>(line.size(), 52), ' ');
    if (!value) return line + "  unavailable\n";
    line += Format("%9.1f ", *value) + unit;
    line += Format(goal < 10 ? "   goal <= %.0f " : "   goal < %.0f ", goal) + unit +
            (*value <= goal ? "  ok" : "  OVER");
    return line + "\n";
}

std::string JsonNumber(const Figure& value) {
    return value ? Format("%.2f", *value) : "null";
}

std::string JsonFrame(const BenchFigures& f, const Figure& us) {
    if (!us) return "null";
    return "{\"us\": " + Format("%.2f", *us) + ", \"ratio\": " + Format("%.3f", *us / f.MemcpyUs) +
           "}";
}

std::string JsonPresent(const BenchFigures& f, const Figure& us) {
    if (!us) return "null";
    return "{\"us\": " + Format("%.2f", *us) + ", \"ratio\": " + Format("%.3f", *us / f.MemcpyUs) +
           ", \"window_ratio\": " + Format("%.3f", *us / f.MemcpyWindowUs) + "}";
}

}  // namespace

std::string ReportText(const BenchFigures& f) {
    std::string out =
        "Tolmara Deepgrid frame costs (medians; ratio = cost / memcpy of one 640 x 480 x 16 "
        "frame;\n window = cost / memcpy of one 1280 x 960 x 32 window)\n";
    out += "machine: " + std::to_string(f.Cores) + " cores, load average " +
           Format("%.2f", f.LoadBefore) + " before, " + Format("%.2f", f.LoadAfter) + " after\n\n";
    out += FrameLine(f, "memcpy of one frame", f.MemcpyUs, 0);
    out += FrameLine(f, "memcpy of one 1280 x 960 window", f.MemcpyWindowUs, 0);
    out += FrameLine(f, "(SDL's opaque blit of the same frame)", f.SdlBlitUs, 0);
    out += FrameLine(f, "game-play tick, largest shipped level", f.PlayLargest, 4);
    out += "  (" + f.LargestLevel + ")\n";
    out += FrameLine(f, "game-play tick, 99 x 99 benchmark level", f.Play99, 6);
    if (f.RewindTickOff && f.RewindTickOn) {
        const double slower = (*f.RewindTickOn / *f.RewindTickOff - 1) * 100;
        std::string line = "play tick, 99 x 99, rewind kept / not kept";
        line.resize(52, ' ');
        out += line + Format("%9.1f", *f.RewindTickOn) + Format(" / %.1f us", *f.RewindTickOff) +
               Format("  %+.1f %%", slower) + "   goal <= +10 %" +
               (slower <= 10 ? "  ok\n" : "  OVER\n");
    }
    out += FrameLine(f, "main menu tick", f.MainMenu, 6);
    out += FrameLine(f, "players and levels tick", f.Players, 6);
    out += FrameLine(f, "editor frame drawing the whole 99 x 99 level", f.EditorWhole, 10);
    out += FrameLine(f, "editor frame while painting, 99 x 99 level", f.EditorPainting, 10);
    out += PresentLine(f, "present 1280 x 960, whole frame, in software", f.PresentSoftware, 2.5);
    if (f.PresentSoftware)
        out += "  (SDL_RENDER_DRIVER=software; through " + f.SoftwareRenderer + ")\n";
    out +=
        PresentLine(f, "present 1280 x 960, whole frame, display's default", f.PresentDefault, 0);
    if (f.PresentDefault) out += "  (through " + f.DefaultRenderer + ")\n";
    out +=
        PresentLine(f, "present 1280 x 960, unchanged frame, in software", f.PresentUnchanged, 0.1);
    out += PresentLine(f, "  the same, its pixels copied in and compared whole",
                       f.PresentUnchangedCompared, 0);
    out += PresentLine(f, "present 1280 x 960, main menu frames, in software", f.PresentMenu, 0);
    out += "\n";
    out += PlainLine("start-up to the first frame shown", f.StartupMs, "ms", 300);
    out += "  (video driver: " + f.StartupDriver + ")\n";
    out += PlainLine("editor flood fill of a whole 99 x 99 level", f.EditorFillMs, "ms", 5);
    out += PlainLine("rewind one second, 99 x 99 level", f.RewindStepMs, "ms", 5);
    out += PlainLine(
        "rewind memory after " + std::to_string(f.RewindMinutes) + " min of play, 99 x 99",
        f.RewindMemoryMb, "MB", 64);
    out += PlainLine("peak resident memory (start-up, menu and song)", f.PeakRssMb, "MB", 100);
    out += PlainLine("idle main menu in a window", f.IdleCpuPercent, "% of one core", 2);
    if (!f.IdleNote.empty()) out += "  (" + f.IdleNote + ")\n";
    out += PlainLine("playing, standing still, 1280 x 960 window", f.PlayWindowCpuPercent,
                     "% of one core", 4);
    if (!f.PlayWindowNote.empty()) out += "  (" + f.PlayWindowNote + ")\n";
    return out;
}

std::string ReportJson(const BenchFigures& f) {
    std::string out = "{";
    out += "\"memcpy_us\": " + Format("%.2f", f.MemcpyUs);
    out += ", \"memcpy_window_us\": " + Format("%.2f", f.MemcpyWindowUs);
    out += ", \"play_tick_largest\": " + JsonFrame(f, f.PlayLargest);
    out += ", \"play_tick_99\": " + JsonFrame(f, f.Play99);
    out += ", \"menu_tick\": " + JsonFrame(f, f.MainMenu);
    out += ", \"players_tick\": " + JsonFrame(f, f.Players);
    out += ", \"editor_frame_99\": " + JsonFrame(f, f.EditorWhole);
    out += ", \"editor_painting_99\": " + JsonFrame(f, f.EditorPainting);
    out += ", \"editor_fill_ms\": " + JsonNumber(f.EditorFillMs);
    out += ", \"rewind_tick_off_us\": " + JsonNumber(f.RewindTickOff);
    out += ", \"rewind_tick_on_us\": " + JsonNumber(f.RewindTickOn);
    out += ", \"rewind_step_ms\": " + JsonNumber(f.RewindStepMs);
    out += ", \"rewind_memory_mb\": " + JsonNumber(f.RewindMemoryMb);
    out += ", \"rewind_minutes\": " + std::to_string(f.RewindMinutes);
    out += ", \"present_software_1280\": " + JsonPresent(f, f.PresentSoftware);
    out += ", \"present_default_1280\": " + JsonPresent(f, f.PresentDefault);
    out += ", \"present_unchanged_1280\": " + JsonPresent(f, f.PresentUnchanged);
    out += ", \"present_unchanged_compared_1280\": " + JsonPresent(f, f.PresentUnchangedCompared);
    out += ", \"present_menu_1280\": " + JsonPresent(f, f.PresentMenu);
    out += ", \"startup_ms\": " + JsonNumber(f.StartupMs);
    out += ", \"peak_rss_mb\": " + JsonNumber(f.PeakRssMb);
    out += ", \"idle_cpu_percent\": " + JsonNumber(f.IdleCpuPercent);
    out += ", \"play_window_cpu_percent\": " + JsonNumber(f.PlayWindowCpuPercent);
    out += ", \"sdl_blit_us\": " + Format("%.2f", f.SdlBlitUs);
    out += ", \"load_average\": " + Format("%.2f", f.LoadAfter);
    return out + "}\n";
}
