// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "core/GameSettings.h"
#include "platform/AudioCapture.h"
#include "platform/GameMusic.h"
#include "platform/GameSound.h"

using namespace audiotest;

namespace {

class GameSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Environment::Use(Environment::kCapture))
      GTEST_SKIP() << "this process already runs without an audio output";
    GameSettings::Initialize();
    ++nTests;
  }

  // Tests of this kind that ran in this process, this one included.
  static inline int nTests = 0;

  // Waits until the sound has finished and the last of it has been written out.
  static void WaitUntilDone(const GameSound& snd) {
    for (int i = 0; i < 500 && snd.IsPlaying(); ++i) Sleep(0.01);
    WaitFrames(Mark(), Frames(0.1));
  }
};

TEST_F(GameSoundTest, AnEffectSoundsUnlessEffectsAreSwitchedOff) {
  Resource tone("Sounds", "tone.AIFF");
  tone.WriteAiff(Tone(440, 0.25, 0.5f, 22050), 22050);
  GameSound snd(tone.Name());
  // The stored setting says effects are on.
  EXPECT_TRUE(GameSound::fSoundOn);

  size_t mark = Mark();
  snd.Play();
  EXPECT_TRUE(snd.IsPlaying());
  WaitFrames(mark, Frames(0.4));
  EXPECT_NEAR(Peak(Mono(mark)), 0.5f, 0.03f);
  WaitUntilDone(snd);

  GameSound::SetVolume(false);
  EXPECT_FALSE(GameSound::fSoundOn);
  mark = Mark();
  snd.Play();
  EXPECT_FALSE(snd.IsPlaying());
  WaitFrames(mark, Frames(0.4));
  EXPECT_EQ(Peak(Mono(mark)), 0.0f);

  GameSound::SetVolume(true);
  mark = Mark();
  snd.Play();
  EXPECT_TRUE(snd.IsPlaying());
  // Playing again while it plays does not double it.
  snd.Play();
  WaitFrames(mark, Frames(0.4));
  EXPECT_NEAR(Peak(Mono(mark)), 0.5f, 0.03f);
  WaitUntilDone(snd);

  // Stop cuts the sound short: what follows it is silence.
  snd.Play();
  EXPECT_TRUE(snd.IsPlaying());
  snd.Stop();
  EXPECT_FALSE(snd.IsPlaying());
  WaitFrames(Mark(), Frames(0.05));
  mark = Mark();
  WaitFrames(mark, Frames(0.3));
  EXPECT_EQ(Peak(Mono(mark)), 0.0f);
}

TEST_F(GameSoundTest, SwitchedOffInTheSettingsEffectsStayOffAtTheNextStart) {
  if (nTests > 1) GTEST_SKIP() << "sounds were made earlier in this process";
  Resource tone("Sounds", "tone.AIFF");
  tone.WriteAiff(Tone(440, 0.25, 0.5f, 22050), 22050);
  // As the options page leaves it in an earlier run.
  GameSettings::SetFloatParam("SoundVolume", 0.0f);
  GameSound snd(tone.Name());
  EXPECT_FALSE(GameSound::fSoundOn);
  size_t mark = Mark();
  snd.Play();
  WaitFrames(mark, Frames(0.3));
  EXPECT_EQ(Peak(Mono(mark)), 0.0f);

  // Only the switch decides from now on, not a later sound reading the setting again.
  GameSound::SetVolume(true);
  GameSound other(tone.Name());
  EXPECT_TRUE(GameSound::fSoundOn);
  mark = Mark();
  other.Play();
  WaitFrames(mark, Frames(0.3));
  EXPECT_GT(Peak(Mono(mark)), 0.4f);
}

TEST_F(GameSoundTest, EveryEffectOfTheGameLoadsAndSounds) {
  for (const char* name :
       {"Score.AIFF", "NoScore.AIFF", "Swap.AIFF", "Fanfare.AIFF", "Click.AIFF", "Rollover.AIFF",
        "PageTurn.AIFF", "Controls.AIFF", "Starter.AIFF", "HiScore.AIFF"}) {
    SCOPED_TRACE(name);
    GameSound snd(name);
    const size_t mark = Mark();
    snd.Play();
    ASSERT_TRUE(snd.IsPlaying());
    // An effect may open with a moment of silence: watch until it sounds or ends.
    float peak = 0;
    for (int i = 0; i < 500 && peak == 0 && snd.IsPlaying(); ++i) {
      Sleep(0.01);
      peak = Peak(Mono(mark));
    }
    if (peak == 0) {
      WaitFrames(Mark(), Frames(0.1));
      peak = Peak(Mono(mark));
    }
    EXPECT_GT(peak, 0.02f);
    snd.Stop();
    EXPECT_FALSE(snd.IsPlaying());
  }
}

TEST_F(GameSoundTest, AMissingBrokenOrOutsideFileGivesASilentSound) {
  Resource broken("Sounds", "broken.AIFF");
  broken.WriteBytes(
      Bytes("FORM\x00\x00\x10\x00"
            "AIFFCOMM\x7f\xff\xff\xff junk"));
  Resource empty("Sounds", "empty.AIFF");
  empty.WriteBytes("");
  // A real sound opens the output, so that the silence below is really captured.
  GameSound real("Click.AIFF");
  const size_t mark = Mark();
  for (const char* name : {"NoSuchSound.AIFF", broken.Name(), empty.Name(),
                           "../Music/TenderPiano-22.aif", "", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name ? name : "(null)");
    auto snd = std::make_unique<GameSound>(name);
    snd->Play();
    EXPECT_FALSE(snd->IsPlaying());
    snd->Stop();
    snd->Play();
    snd.reset();
  }
  WaitFrames(mark, Frames(0.3));
  const std::vector<float> heard = Mono(mark);
  EXPECT_GE(heard.size(), Frames(0.3));
  EXPECT_EQ(Peak(heard), 0.0f);
}

// Without any audio output the game goes on: every sound and track answers harmlessly.
TEST(GameSoundWithoutOutput, EverySoundAndTrackIsSilent) {
  if (!Environment::Use(Environment::kNoOutput))
    GTEST_SKIP() << "this process already has an audio output";
  GameSettings::Initialize();
  GameSound snd("Click.AIFF");
  snd.Play();
  EXPECT_FALSE(snd.IsPlaying());
  snd.Stop();

  GameMusic::SetTrackVolume(0.5f);
  GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock);
  EXPECT_FALSE(GameMusic::IsPlaying());
  // The choice of track is still remembered for the next run.
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 1);
  GameMusic::StopTrack();
  GameMusic::RestartTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
  GameMusic::SetTrackVolume(1.0f);
}

}  // namespace
