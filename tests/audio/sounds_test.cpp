// Sound effects by name through the game, and making sound ready from "sounds.dxg".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "audio/audio.h"
#include "audio/audio_capture.h"
#include "dxgwriter/library_writer.h"
#include "screens/game.h"

namespace {

class SoundsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game->ProgramDir = audio.Dir().Path();
        std::vector<SoundData> sounds(2);
        sounds[0].Name = "aparemesaj";
        sounds[0].Wave = MakeSquareWave(60000);
        sounds[1].Name = "click";
        sounds[1].Wave = MakeSquareWave(60000);
        WriteFile(audio.Dir().File("sounds.dxg"), WriteSoundLibrary(sounds));
    }
    void TearDown() override { game.reset(); }
    std::string ErrorOf(void (*call)(const SoundSystem&, std::string_view),
                        const std::string& name) {
        try {
            call(game->Sound(), name);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    }

    DiskAudio audio;  // first: outlives the game's sound device
    std::unique_ptr<Game> game = std::make_unique<Game>();
};

TEST_F(SoundsTest, WithSoundsOffNothingIsLookedUpOrHeard) {
    game->settings.SoundsEnabled = 0;
    EXPECT_NO_THROW(PlaySound(game->Sound(), "nosuchsound"));
    EXPECT_NO_THROW(StopSound(game->Sound(), "nosuchsound"));
    ASSERT_TRUE(MakeSoundReady(game->Sound()));
    PlaySound(game->Sound(), "click");
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
}

TEST_F(SoundsTest, NamedSoundsPlayAndStopAndAMissingNameIsAnError) {
    game->settings.SoundsEnabled = 1;
    ASSERT_TRUE(MakeSoundReady(game->Sound()));
    EXPECT_EQ(game->media.Sounds.Count(), 2);
    PlaySound(game->Sound(), "CLICK");
    EXPECT_GT(audio.PeakAfterSettling(), 1000);
    StopSound(game->Sound(), "click");
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
    EXPECT_EQ(ErrorOf(PlaySound, "explozie"), "Wave 'explozie' not found");
    EXPECT_EQ(ErrorOf(StopSound, "termina"), "Wave 'termina' not found");
}

TEST_F(SoundsTest, ALoadedListIsKeptAndAMissingLibraryTurnsSoundsOff) {
    game->settings.SoundsEnabled = 1;
    ASSERT_TRUE(MakeSoundReady(game->Sound()));
    std::remove(audio.Dir().File("sounds.dxg").c_str());
    EXPECT_TRUE(MakeSoundReady(game->Sound()));  // the list is not read again
    EXPECT_EQ(game->settings.SoundsEnabled, 1);

    auto fresh = std::make_unique<Game>();
    fresh->ProgramDir = audio.Dir().Path();
    fresh->settings.SoundsEnabled = 1;
    EXPECT_FALSE(MakeSoundReady(fresh->Sound()));
    EXPECT_EQ(fresh->settings.SoundsEnabled, 0);
    EXPECT_TRUE(fresh->messages.MessageShown[10]);
}

TEST(SoundsWithoutOutput, NoSoundOutputTurnsSoundsOff) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundDevice device;
    EXPECT_THROW(device.OpenSoundDevice(), std::runtime_error);
    EXPECT_FALSE(device.IsOpen());
    auto game = std::make_unique<Game>();
    game->settings.SoundsEnabled = 1;
    EXPECT_FALSE(MakeSoundReady(game->Sound()));
    EXPECT_EQ(game->settings.SoundsEnabled, 0);
    EXPECT_TRUE(game->messages.MessageShown[10]);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace
