// Note names of the sound and song sources: "C4" is MIDI note 60, "F#3", "Bb5" and so on.
#include "assetbuild/note_names.h"

#include <cctype>
#include <cmath>

int NoteNumber(const std::string& name) {
    static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty()) return -1;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter > 'G') return -1;
    int semitone = kSemitone[letter - 'A'];
    size_t i = 1;
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        semitone += name[i] == '#' ? 1 : -1;
    if (i >= name.size()) return -1;
    bool negative = name[i] == '-';
    if (negative) ++i;
    if (i + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    int octave = (name[i] - '0') * (negative ? -1 : 1);
    int note = (octave + 1) * 12 + semitone;
    return note >= 0 && note <= 127 ? note : -1;
}

double NoteFrequency(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}
