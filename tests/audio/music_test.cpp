// Songs: choosing and starting them, the faults that only show messages, and a song that flows
// on into its next pass but stays stopped after a halt.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "audio/audio.h"
#include "audio/audio_capture.h"
#include "screens/game.h"

namespace {

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game->ProgramDir = audio.Dir().Path();
        game->settings.MusicEnabled = 1;
        game->settings.SongCount = 3;
        game->settings.Songs[0] = "short.mid";
        game->settings.Songs[1] = "long.mid";
        game->settings.Songs[2] = "music/other.mid";  // a subfolder is fine
        WriteFile(audio.Dir().File("short.mid"), MakeMidiSong(1000));
        WriteFile(audio.Dir().File("long.mid"), MakeMidiSong(120000));
        std::filesystem::create_directory(audio.Dir().File("music"));
        WriteFile(audio.Dir().File("music/other.mid"), MakeMidiSong(120000));
        game->audio.Volumes = VolumeControl{};
        game->media.SoundOutput.OpenSoundDevice();  // keeps the output running between songs
    }
    void TearDown() override {
        game.reset();  // closes the music before the recorder goes
        VolumeControl().SetMidiVolume(255);
    }
    bool Shown(int n) const { return game->messages.MessageShown[static_cast<size_t>(n)]; }

    DiskAudio audio;  // first: outlives the game's sound device and music player
    std::unique_ptr<Game> game = std::make_unique<Game>();
};

TEST_F(MusicTest, ASongIsHeardUntilStoppedAndTheFrameTimerIsGivenBack) {
    game->timer.Enabled = true;
    EXPECT_TRUE(PlaySong(game->Sound(), 2));
    EXPECT_TRUE(game->timer.Enabled);
    EXPECT_EQ(game->audio.CurrentSong, 2);
    EXPECT_EQ(game->audio.MusicPlaying, 1);
    EXPECT_GT(audio.PeakAfterSettling(), 100);
    StopMusic(game->Sound());
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
    EXPECT_EQ(game->audio.MusicPlaying, 1);  // the callers reset the song state
    RestartFinishedSong(game->Sound());      // a halt is not an end: no restart
    EXPECT_FALSE(game->audio.Music.IsPlaying());
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
}

TEST_F(MusicTest, MusicVolumeZeroIsSilent) {
    game->audio.Volumes.SetMidiVolume(0);
    ASSERT_TRUE(PlaySong(game->Sound(), 3));
    EXPECT_LE(audio.PeakAfterSettling(), 1);  // the synthesizer's dither, nothing more
    game->audio.Volumes.SetMidiVolume(255);
    // The notes begun while silent stay silent; the song is heard again from its next note, at
    // most half a second later, so the stretch listened to must be longer than that.
    EXPECT_GT(audio.PeakAfterSettling(DiskAudio::kSecond), 100);
}

TEST_F(MusicTest, TheCurrentSongIsNotRestartedButARandomPickIsAlwaysMade) {
    ASSERT_TRUE(PlaySong(game->Sound(), 3));
    std::remove(audio.Dir().File("music/other.mid").c_str());
    EXPECT_TRUE(PlaySong(game->Sound(), 3));  // would show message 26 if it tried to open the file
    EXPECT_FALSE(Shown(26));
    EXPECT_TRUE(game->audio.Music.IsPlaying());

    game->FixedSeed = 7;
    game->SeedRandomFromClock();
    ASSERT_TRUE(PlaySong(game->Sound(), 0));
    EXPECT_GE(game->audio.CurrentSong, 1);
    EXPECT_LE(game->audio.CurrentSong, 3);
    std::remove(audio.Dir().File("short.mid").c_str());
    std::remove(audio.Dir().File("long.mid").c_str());
    EXPECT_TRUE(
        PlaySong(game->Sound(), 0));  // 0 is never the current song: a new pick, which fails
    EXPECT_TRUE(Shown(26));
    EXPECT_EQ(game->audio.MusicPlaying, 0);
}

// The song playing is not closed: it goes on, looped by the mixer, and no restart is asked for.
TEST_F(MusicTest, AMissingFileShowsItsMessageAndLeavesTheOldSongPlaying) {
    ASSERT_TRUE(PlaySong(game->Sound(), 1));
    size_t start = audio.Mark();
    std::remove(audio.Dir().File("long.mid").c_str());
    EXPECT_TRUE(PlaySong(game->Sound(), 2));
    EXPECT_TRUE(Shown(26));
    EXPECT_FALSE(Shown(25));
    EXPECT_EQ(game->audio.CurrentSong, 2);
    EXPECT_EQ(game->audio.MusicPlaying, 0);
    EXPECT_EQ(game->settings.MusicEnabled, 1);
    EXPECT_GT(audio.Peak(start + 3 * DiskAudio::kSecond, DiskAudio::kSecond), 100);  // 3rd pass
    EXPECT_TRUE(game->audio.Music.IsPlaying());
    EXPECT_FALSE(game->audio.MusicFinished.load());
}

TEST_F(MusicTest, SongsOutsideTheListOrTheGameFolderCountAsMissing) {
    const char* unsafe[] = {"../long.mid", "/tmp/long.mid", "C:long.mid", "music/../../long.mid"};
    for (const char* name : unsafe) {
        game->messages.MessageShown[26] = false;
        game->audio.CurrentSong = -1;
        game->settings.Songs[0] = name;
        EXPECT_TRUE(PlaySong(game->Sound(), 1)) << name;
        EXPECT_TRUE(Shown(26)) << name;
        EXPECT_EQ(game->audio.MusicPlaying, 0) << name;
    }
    game->messages.MessageShown[26] = false;
    EXPECT_TRUE(PlaySong(game->Sound(), 4));
    EXPECT_TRUE(Shown(26));
    game->messages.MessageShown[26] = false;
    game->settings.SongCount = 0;
    EXPECT_TRUE(PlaySong(game->Sound(), 0));  // a random song with no songs
    EXPECT_TRUE(Shown(26));
    EXPECT_FALSE(Shown(25));
}

// A folder cannot be opened for reading as a file: it is a missing song, not a failing device,
// so music stays on and the song playing goes on.
TEST_F(MusicTest, AFolderNamedAsASongCountsAsMissing) {
    ASSERT_TRUE(PlaySong(game->Sound(), 2));
    game->settings.Songs[0] = "music";
    EXPECT_TRUE(PlaySong(game->Sound(), 1));
    EXPECT_TRUE(Shown(26));
    EXPECT_FALSE(Shown(25));
    EXPECT_FALSE(Shown(3));
    EXPECT_EQ(game->settings.MusicEnabled, 1);
    EXPECT_EQ(game->audio.MusicPlaying, 0);
    EXPECT_TRUE(game->audio.Music.IsPlaying());
}

TEST_F(MusicTest, AFileThatIsNoSongSwitchesMusicOff) {
    WriteFile(audio.Dir().File("long.mid"),
              Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'n', 'g'});
    EXPECT_FALSE(PlaySong(game->Sound(), 2));
    EXPECT_TRUE(Shown(25));
    EXPECT_TRUE(Shown(3));
    EXPECT_EQ(game->settings.MusicEnabled, 0);
    EXPECT_EQ(game->audio.MusicPlaying, 0);
    EXPECT_TRUE(PlaySong(game->Sound(), 1));  // music off: nothing happens
    EXPECT_EQ(game->audio.CurrentSong, 2);
}

// The one-second song of held organ notes starts again the moment its last note ends: three
// seconds of output hold no quiet stretch, and no end is reported. A song that stops all the
// same is started again by the frame loop.
TEST_F(MusicTest, ASongStartsAgainAtTheEndOfItsLastNote) {
    ASSERT_TRUE(PlaySong(game->Sound(), 1));
    size_t start = audio.Mark() + 2 * DiskAudio::kMixBuffer;  // the song has begun there
    std::vector<int16_t> samples = audio.Samples(start, 3 * DiskAudio::kSecond);
    ASSERT_FALSE(samples.empty());
    const size_t window = 2 * 44100 / 20;  // 50 ms of stereo samples
    int quietest = 1 << 16;
    for (size_t at = 0; at + window <= samples.size(); at += window) {
        int peak = 0;
        for (size_t i = at; i < at + window; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        quietest = std::min(quietest, peak);
    }
    EXPECT_GT(quietest, 1000);
    EXPECT_FALSE(game->audio.MusicFinished.load());

    Mix_HaltMusic();  // as if the song stopped all the same: the frame loop starts it again
    ASSERT_TRUE(game->audio.MusicFinished.load());
    RestartFinishedSong(game->Sound());
    EXPECT_TRUE(game->audio.Music.IsPlaying());
}

TEST_F(MusicTest, SwitchingSongsIsNotTakenForAnEnd) {
    ASSERT_TRUE(PlaySong(game->Sound(), 2));
    ASSERT_TRUE(PlaySong(game->Sound(), 3));
    EXPECT_FALSE(game->audio.MusicFinished.load());
    EXPECT_TRUE(game->audio.Music.IsPlaying());
    StopMusic(game->Sound());
    EXPECT_FALSE(game->audio.MusicFinished.load());
}

}  // namespace
