// Note names of the sound and song sources: "C4" is MIDI note 60, "F#3", "Bb5" and so on.
#pragma once

#include <string>

// The MIDI note number (0..127) of a name: a letter A..G, any number of '#' or 'b', then an
// octave from -1 to 9. Returns -1 when the text is not a note name in that range.
int NoteNumber(const std::string& name);
// The frequency in Hz of a MIDI note number (A4 = note 69 = 440 Hz).
double NoteFrequency(double note);
