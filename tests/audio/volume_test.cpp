// The volume control over the mixer and the settings' volumes read from and applied to it.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <memory>

#include "audio/audio.h"
#include "media/wave_list.h"
#include "screens/game.h"

namespace {

// Puts the mixer back at full volume, as a fresh process finds it.
class VolumeTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetMixer(); }
    void TearDown() override { ResetMixer(); }
    static void ResetMixer() {
        SetEffectsVolume(MIX_MAX_VOLUME);
        SetMixerMusicVolume(MIX_MAX_VOLUME);
    }
};

TEST_F(VolumeTest, WritingAValueReadsItBackAsItsLowEightBits) {
    VolumeControl control;
    for (int v = 0; v <= 255; ++v) {
        control.SetWaveVolume(v);
        control.SetMidiVolume(255 - v);
        ASSERT_EQ(control.WaveVolume(), v);
        ASSERT_EQ(control.MidiVolume(), 255 - v);
    }
    control.SetMidiVolume(300);
    EXPECT_EQ(control.MidiVolume(), 44);
    control.SetWaveVolume(-1);
    EXPECT_EQ(control.WaveVolume(), 255);
    EXPECT_EQ(control.CDVolume(), 0);  // no CD device
}

TEST_F(VolumeTest, TheMixerFollowsTheChannels) {
    VolumeControl control;
    control.SetWaveVolume(0);
    control.SetMidiVolume(255);
    EXPECT_EQ(EffectsVolume(), 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    control.SetWaveVolume(255);
    control.SetMidiVolume(1);  // the lowest setting is still audible
    EXPECT_EQ(EffectsVolume(), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_VolumeMusic(-1), 1);
    control.SetMidiVolume(128);
    EXPECT_EQ(Mix_VolumeMusic(-1), 65);
}

TEST_F(VolumeTest, StartVolumesAreReadAppliedAndPutBack) {
    auto game = std::make_unique<Game>();
    game->audio.Volumes = VolumeControl{};
    ReadSystemVolumes(game->Sound());
    EXPECT_EQ(game->settings.MusicVolume, 255);  // a fresh mixer is at full volume
    EXPECT_EQ(game->settings.SoundsVolume, 255);
    int savedMusic = game->settings.MusicVolume, savedSounds = game->settings.SoundsVolume;

    game->settings.MusicVolume = 300;  // as a configuration may hold it
    game->settings.SoundsVolume = 90;
    ApplyVolumes(game->Sound());
    EXPECT_EQ(game->audio.Volumes.MidiVolume(), 44);
    EXPECT_EQ(game->audio.Volumes.WaveVolume(), 90);
    ReadSystemVolumes(game->Sound());
    EXPECT_EQ(game->settings.MusicVolume, 44);
    EXPECT_EQ(game->settings.SoundsVolume, 90);

    game->settings.MusicVolume = savedMusic;
    game->settings.SoundsVolume = savedSounds;
    ApplyVolumes(game->Sound());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(EffectsVolume(), MIX_MAX_VOLUME);
}

}  // namespace
