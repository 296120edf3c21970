// The configuration file "tolmarakx.cfg": reading its fixed order of values and writing its layout.
#include <algorithm>

#include "media/byte_io.h"
#include "store/atomic_write.h"
#include "store/config_text.h"
#include "store/settings.h"

namespace {

constexpr const char* kFileName = "tolmarakx.cfg";
constexpr const char* kHeader =
    "- Tolmara 2.1 internal configuration file ------------------------";
constexpr const char* kWarningLine =
    "---------------------- Please do not modify! -----------------------";
constexpr const char* kMusicLine =
    "------------------------ Music configuration -----------------------";
constexpr const char* kLevelSongsLines[] = {
    "------------------------ Levels songs ------------------------------",
    "------------- At every level will be a song number -----------------",
    "----- 0 means random, the game will choose one of the songs --------",
};
constexpr const char* kEndLine =
    "--------------------- End of configuration file --------------------";

// The volumes of files of the earlier layout, which had no volume lines.
constexpr int32_t kOldLayoutMusicVolume = 90;
constexpr int32_t kOldLayoutSoundsVolume = 35;
constexpr int32_t kMinSpeed = 200;
constexpr int32_t kMaxSpeed = 400;
constexpr size_t kMaxValue = 255;  // the longest value read back
// Far more than the longest file the writer makes (100 songs of 255-character names, 101 song
// numbers): a larger file is no configuration.
constexpr size_t kLargestFile = 64 * 1024;

// A count above the table's size is refused. A negative count reads no entries: the loops over
// it run zero times, and it is kept as 0 so that the rest of the game sees a count of the table.
int32_t ReadCount(ConfigText& in, const std::string& key, const char* things, int32_t most) {
    int32_t count = in.ReadInteger(key);
    if (count > most)
        in.Fail(in.ValueLine(),
                std::to_string(count) + " " + things + ", must be 0 to " + std::to_string(most));
    return count;
}

void ReadSwitches(ConfigText& in, Settings& s) {
    s.Character = in.ReadValue("Character") == "Vivuz" ? 1 : 0;
    s.ShowTips = in.ReadValue("Show tips") == "true" ? 1 : 0;
    s.MusicEnabled = in.ReadValue("Music enabled") == "true" ? 1 : 0;
    s.SoundsEnabled = in.ReadValue("Sounds enabled") == "true" ? 1 : 0;
}

void ReadSongs(ConfigText& in, Settings& s) {
    in.SkipLines(3);
    const int32_t songs = ReadCount(in, "Number of songs", "songs", kMaxSongs);
    in.SkipLines(1);
    for (int k = 1; k <= songs; ++k) s.Songs[k - 1] = in.ReadValue("Song" + std::to_string(k));
    s.SongCount = std::max(songs, 0);
    in.SkipLines(5);
    const int32_t levels = ReadCount(in, "Number of levels", "levels", kMaxLevelSongs);
    in.SkipLines(1);
    // The "Menu" value and one per level; a negative count reads none, not even "Menu".
    for (int j = 0; j <= levels; ++j)
        s.LevelSongs[j] = in.ReadInteger(j == 0 ? "Menu" : "Level" + std::to_string(j));
    s.LevelSongCount = std::max(levels, 0);
}

class LineWriter {
  public:
    void Line(const std::string& text = "") {
        out_ += text;
        out_ += "\r\n";
    }
    void Value(const std::string& key, const std::string& value) {
        Line(key + " = " + value + ";");
    }
    void Value(const std::string& key, int32_t value) { Value(key, std::to_string(value)); }
    Bytes Out() const { return Bytes(out_.begin(), out_.end()); }

  private:
    std::string out_;
};

const char* TrueFalse(uint8_t on) {
    return on ? "true" : "false";
}

void WriteSongs(LineWriter& out, const Settings& s) {
    int32_t songs = std::clamp(s.SongCount, 0, kMaxSongs);
    int32_t levels = std::clamp(s.LevelSongCount, 0, kMaxLevelSongs);
    out.Line();
    out.Line(kMusicLine);
    out.Line();
    out.Value("Number of songs", songs);
    out.Line();
    for (int k = 1; k <= songs; ++k) out.Value("Song" + std::to_string(k), s.Songs[k - 1]);
    out.Line();
    for (const char* line : kLevelSongsLines) out.Line(line);
    out.Line();
    out.Value("Number of levels", levels);
    out.Line();
    out.Value("Menu", s.LevelSongs[0]);
    for (int j = 1; j <= levels; ++j) out.Value("Level" + std::to_string(j), s.LevelSongs[j]);
    out.Line();
    out.Line(kEndLine);
}

}  // namespace

std::string ConfigValueProblem(const std::string& value) {
    if (value.find(';') != std::string::npos)
        return "it holds a \";\", which ends a value of " + std::string(kFileName);
    for (char ch : value)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
            return "it holds a control character (a line break, a tab or the like), which " +
                   std::string(kFileName) + " cannot keep";
    if (value.size() > kMaxValue)
        return "it is longer than the " + std::to_string(kMaxValue) + " characters " +
               std::string(kFileName) + " keeps";
    return {};
}

void ReadConfiguration(Settings& settings, const std::string& programDir) {
    Bytes bytes = ReadFileBytes(programDir + kFileName, kLargestFile);
    ConfigText in(std::string(bytes.begin(), bytes.end()), kFileName);
    Settings s = settings;  // the settings change only when the whole file has been read
    std::string header = in.ReadLine();
    in.SkipLines(2);
    ReadSwitches(in, s);
    if (header == kHeader) {
        s.MusicVolume = in.ReadInteger("Music Volume");
        s.SoundsVolume = in.ReadInteger("Sounds Volume");
    } else {
        s.MusicVolume = kOldLayoutMusicVolume;
        s.SoundsVolume = kOldLayoutSoundsVolume;
    }
    s.Speed = std::clamp(in.ReadInteger("Speed"), kMinSpeed, kMaxSpeed);
    s.LevelsFile = in.ReadValue("Levels File");
    ReadSongs(in, s);
    settings = s;
}

void WriteConfiguration(const Settings& s, const std::string& programDir) {
    LineWriter out;
    out.Line(kHeader);
    out.Line(kWarningLine);
    out.Line();
    out.Value("Character", s.Character == 1 ? "Vivuz" : "Vuzoda");
    out.Value("Show tips", TrueFalse(s.ShowTips));
    out.Value("Music enabled", TrueFalse(s.MusicEnabled));
    out.Value("Sounds enabled", TrueFalse(s.SoundsEnabled));
    out.Value("Music Volume", s.MusicVolume);
    out.Value("Sounds Volume", s.SoundsVolume);
    out.Value("Speed", s.Speed);
    out.Value("Levels File", s.LevelsFile);
    WriteSongs(out, s);
    WriteFileAtomically(programDir + kFileName, out.Out());
}
