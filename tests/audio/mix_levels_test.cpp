// The game's own songs and sounds through the mixer and the sound font, at full volumes: the
// songs share one loudness without clipping, and a chain of blasts over a song does not clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "audio/audio.h"
#include "audio/audio_capture.h"
#include "media/wave_list.h"
#include "screens/game.h"

namespace {

constexpr int kFullScale = 32767;  // a sample this far out has been clipped by the mixer

double DecibelsOf(double level) {
    return 20 * std::log10(level / 32768.0);
}

struct Loudness {
    double Rms;  // dB below full scale
    int Peak;
};

Loudness Measure(const std::vector<int16_t>& samples) {
    double sum = 0;
    int peak = 0;
    for (int16_t s : samples) {
        sum += static_cast<double>(s) * s;
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return {DecibelsOf(std::sqrt(sum / static_cast<double>(samples.size()))), peak};
}

// The first minute of every song (each is a minute or longer): about -23 dB RMS, all within
// 2 dB of each other, peaks below half of full scale (the other half is the effects').
TEST(MixLevels, TheSongsShareOneLoudnessWithoutClipping) {
    std::vector<double> loudness;
    for (int k = 1;; ++k) {
        std::string path = BuiltGameDir() + "song" + std::to_string(k) + ".mid";
        if (!std::filesystem::exists(path)) break;
        SCOPED_TRACE(path);
        DiskAudio audio(0);  // nothing is done while it records: no need to pace it
        std::vector<int16_t> samples;
        {
            AudioState state;
            state.Music.Open(path);
            SetMixerMusicVolume(128);
            state.Music.Play(state);
            samples = audio.Samples(audio.Mark(), 60 * DiskAudio::kSecond);
        }  // the player closes the mixer before the recorder goes
        ASSERT_FALSE(samples.empty());
        Loudness song = Measure(samples);
        EXPECT_NEAR(song.Rms, -23, 2);
        EXPECT_LT(song.Peak, 32768 / 2) << song.Rms;
        loudness.push_back(song.Rms);
    }
    ASSERT_GE(loudness.size(), 6u);
    auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
    EXPECT_LE(*loudest - *quietest, 2);
}

// A chain reaction sets off its blasts in one tick, and each blast plays "explozie". Eight
// chains of five blasts, one after the other has died away, over the loud second half of song 3:
// one copy each, and the mix of the song and the blasts never reaches full scale.
TEST(MixLevels, ChainsOfBlastsOverASongDoNotClip) {
    DiskAudio audio;  // first: outlives the game's sound device and music player
    auto game = std::make_unique<Game>();
    game->ProgramDir = BuiltGameDir();
    game->settings.MusicEnabled = 1;
    game->settings.SoundsEnabled = 1;
    game->settings.SongCount = 3;
    game->settings.Songs[2] = "song3.mid";
    ASSERT_TRUE(MakeSoundReady(game->Sound()));
    game->audio.Volumes.SetMidiVolume(255);
    game->audio.Volumes.SetWaveVolume(255);
    ASSERT_TRUE(PlaySong(game->Sound(), 3));
    game->timer.Enabled = true;

    SoundItem& blast = game->media.Sounds.FindSound("explozie");
    ASSERT_TRUE(audio.WaitFor(audio.Mark(), 40 * DiskAudio::kSecond));
    size_t start = audio.Mark();
    for (int chain = 0; chain < 8; ++chain) {
        int copies = blast.CopyCount();
        for (int i = 0; i < 5; ++i) PlaySound(game->Sound(), "explozie");
        EXPECT_LE(blast.CopyCount() - copies, 1);
        RunTick(*game, 20);  // the frame loop's next tick
        // The blast lasts 1.3 s: the next chain comes after it, however late this thread runs.
        ASSERT_TRUE(audio.WaitFor(audio.Mark(), DiskAudio::kSecond * 3 / 2));
    }
    EXPECT_LT(audio.Peak(start, audio.Mark() - start), kFullScale);
}

}  // namespace
