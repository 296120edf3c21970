// Helpers of the audio tests: SDL's disk audio driver as a recorder, generated sounds and songs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"
#include "support/test_support.h"

// Points SDL's audio at a file in a temporary folder (the disk driver, writing far ahead of real
// time). Make one before opening any sound device; the device must be closed again before it
// dies, so that the next test's audio reads its own settings.
class DiskAudio {
  public:
    // One millisecond per mix of 23 ms: the output runs far ahead of real time, so tests wait
    // little, but not so far that a long sound ends while a busy machine holds the test back.
    // A recording that nothing acts on while it runs may go at full speed (0).
    explicit DiskAudio(int millisecondsPerMix = 1);
    ~DiskAudio();
    const TempDir& Dir() const { return dir_; }
    // Bytes written so far, rounded down to a whole stereo 16-bit frame.
    size_t Mark() const;
    // Waits until the output reaches `from` + `count` bytes; false if it never does (the
    // device is not running). Not a timing test: the limit only stops a hung test.
    bool WaitFor(size_t from, size_t count) const;
    // The 16-bit samples (left and right in turn) of the `count` bytes after `from`, waiting
    // for them; empty if they never come.
    std::vector<int16_t> Samples(size_t from, size_t count) const;
    // The largest absolute sample value in the `count` bytes after `from`, waiting for them.
    int Peak(size_t from, size_t count) const;
    // The peak of a stretch of output that starts a few mixer buffers after now, so that sound
    // mixed before the call has left the output.
    int PeakAfterSettling(size_t count = kStretch) const;

    static constexpr size_t kMixBuffer = 1024 * 4;  // one mix of 1024 stereo 16-bit frames
    static constexpr size_t kStretch = 16 * kMixBuffer;
    static constexpr size_t kSecond = 44100 * 4;  // one second of output

  private:
    TempDir dir_;
    std::string file_;
};

// A RIFF WAVE file, 16-bit mono 22050 Hz, of a square wave; amplitude 0 gives silence.
Bytes MakeSquareWave(int milliseconds, int amplitude = 8000, int periodSamples = 50);
// A one-track General MIDI file of middle C on the organ, a note every half second.
Bytes MakeMidiSong(int milliseconds);
// Writes a whole file (test data).
void WriteFile(const std::string& path, const Bytes& bytes);
