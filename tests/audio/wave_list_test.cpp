// The wave list: loading, finding by name, copies of a sound, and what reaches the output.
#include "media/wave_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "audio/audio_capture.h"
#include "dxgwriter/library_writer.h"

namespace {

SoundData Sound(const std::string& name, const Bytes& wave, bool looped = false,
                int maxPlaying = 0) {
    SoundData s;
    s.Name = name;
    s.Wave = wave;
    s.Looped = looped;
    s.MaxPlayingCount = maxPlaying;
    return s;
}

class WaveListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        device.OpenSoundDevice();
        SetEffectsVolume(128);
    }
    void TearDown() override {
        list.Clear();
        SetEffectsVolume(128);
        device.Close();
    }
    void Load(const std::vector<SoundData>& sounds) {
        std::string path = audio.Dir().File("sounds.dxg");
        WriteFile(path, WriteSoundLibrary(sounds));
        list.LoadSounds(path);
    }

    DiskAudio audio;  // first: the device must read its settings
    SoundDevice device;
    WaveList list;
};

TEST_F(WaveListTest, FindsSoundsWhateverTheCaseAndNamesAMissingOne) {
    Load({Sound("aparemesaj", MakeSquareWave(50)), Sound("Click", MakeSquareWave(50))});
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindSound("APAREMESAJ").Name(), "aparemesaj");
    EXPECT_EQ(&list.FindSound("click"), &list.FindSound("CLICK"));
    try {
        list.FindSound("explozie");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Wave 'explozie' not found");
    }
}

TEST_F(WaveListTest, BadFilesNameTheFileAndTheSound) {
    std::string path = audio.Dir().File("sounds.dxg");
    Bytes notAWave = {'R', 'I', 'F', 'F', 1, 2, 3};
    WriteFile(path,
              WriteSoundLibrary({Sound("ok", MakeSquareWave(20)), Sound("broken", notAWave)}));
    try {
        list.LoadSounds(path);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("'broken'"), std::string::npos) << e.what();
    }
    EXPECT_EQ(list.Count(), 0);  // nothing half loaded
    EXPECT_THROW(list.LoadSounds(audio.Dir().File("missing.dxg")), FileError);
}

// One play per tick starts a copy: the rest of a chain in the same tick is dropped.
TEST_F(WaveListTest, CopiesGrowOnePerTickUpToMaxPlayingCountThenTheOldestRestarts) {
    // Sounds long enough to be still playing when the counts are checked.
    Load({Sound("limited", MakeSquareWave(60000), false, 2), Sound("free", MakeSquareWave(60000)),
          Sound("negative", MakeSquareWave(20), false, -3)});
    SoundItem& limited = list.FindSound("limited");
    for (int i = 0; i < 3; ++i) {
        limited.PlayItem(false);
        list.NextTick();
    }
    EXPECT_EQ(limited.CopyCount(), 2);
    EXPECT_EQ(limited.PlayingCount(), 2);

    SoundItem& free = list.FindSound("free");
    for (int i = 0; i < 5; ++i) free.PlayItem(false);
    EXPECT_EQ(free.CopyCount(), 1);
    for (int i = 0; i < 11; ++i) {  // beyond the mixer's first 8 channels
        list.NextTick();
        free.PlayItem(false);
    }
    EXPECT_EQ(free.CopyCount(), 12);
    EXPECT_EQ(free.PlayingCount(), 12);
    EXPECT_EQ(list.FindSound("negative").MaxPlayingCount(), 0);

    free.StopItem();
    EXPECT_FALSE(free.IsPlaying());
    EXPECT_EQ(limited.PlayingCount(), 2);  // other items keep their channels
    list.NextTick();
    free.PlayItem(false);  // a stopped copy is free again
    EXPECT_EQ(free.CopyCount(), 12);
    EXPECT_EQ(free.PlayingCount(), 1);
}

TEST_F(WaveListTest, AFinishedCopyIsReused) {
    Load({Sound("click", MakeSquareWave(10))});
    SoundItem& click = list.FindSound("click");
    click.PlayItem(false);
    ASSERT_TRUE(audio.WaitFor(audio.Mark(), 8 * DiskAudio::kMixBuffer));
    EXPECT_FALSE(click.IsPlaying());
    list.NextTick();
    click.PlayItem(false);
    EXPECT_EQ(click.CopyCount(), 1);
}

TEST_F(WaveListTest, ALoopedItemRestartsOnItsOneCopyUntilStopped) {
    Load({Sound("hum", MakeSquareWave(10), true, 0)});
    SoundItem& hum = list.FindSound("hum");
    hum.PlayItem(false);
    list.NextTick();
    hum.PlayItem(false);
    EXPECT_EQ(hum.CopyCount(), 1);
    ASSERT_TRUE(audio.WaitFor(audio.Mark(), 8 * DiskAudio::kMixBuffer));  // many times its length
    EXPECT_TRUE(hum.IsPlaying());
    EXPECT_GT(audio.PeakAfterSettling(), 1000);
    hum.StopItem();
    EXPECT_FALSE(hum.IsPlaying());
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
}

TEST_F(WaveListTest, PlayedSoundsAreHeardAndStoppedOnesAreNot) {
    Load({Sound("infotron", MakeSquareWave(60000)), Sound("silence", MakeSquareWave(60000, 0))});
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
    list.FindSound("silence").PlayItem(false);
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
    list.FindSound("infotron").PlayItem(false);
    EXPECT_GT(audio.PeakAfterSettling(), 1000);
    list.FindSound("infotron").StopItem();
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
}

TEST_F(WaveListTest, EffectsVolumeZeroIsSilentAlsoOnChannelsAddedLater) {
    Load({Sound("explozie", MakeSquareWave(60000))});
    SetEffectsVolume(0);
    SoundItem& boom = list.FindSound("explozie");
    for (int i = 0; i < 10; ++i) {  // more channels than the mixer starts with
        boom.PlayItem(false);
        list.NextTick();
    }
    EXPECT_EQ(boom.PlayingCount(), 10);
    EXPECT_EQ(audio.PeakAfterSettling(), 0);
    SetEffectsVolume(128);
    EXPECT_GT(audio.PeakAfterSettling(), 1000);
}

}  // namespace
