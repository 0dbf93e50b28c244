// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/GameSettings.h"
#include "platform/AudioCapture.h"
#include "platform/GameMusic.h"
#include "platform/GameSound.h"

using namespace audiotest;

namespace {

// Effects switched off in an earlier run stay off; switched on, every effect of the game loads
// and sounds, and stopping one cuts it short; switched off, they fall silent. A missing file,
// or one outside the folder, is a silent sound.
TEST(GameSoundTest, EffectsSoundWhileSwitchedOn) {
  if (!Use(true)) GTEST_SKIP() << "this process already runs without an audio output";
  GameSettings::Initialize();
  GameSettings::SetFloatParam("SoundVolume", 0.0f);  // as the options page leaves it
  GameSound click("Click.AIFF");
  EXPECT_EQ(Peak(Heard(0.3, [&] { click.Play(); })), 0.0f);
  GameSound::SetVolume(true);
  for (const char* name :
       {"Score.AIFF", "NoScore.AIFF", "Swap.AIFF", "Fanfare.AIFF", "Click.AIFF", "Rollover.AIFF",
        "PageTurn.AIFF", "Controls.AIFF", "Starter.AIFF", "HiScore.AIFF"}) {
    GameSound effect(name);
    EXPECT_GT(Peak(Heard(0.4, [&] { effect.Play(); })), 0.02f) << name;
  }
  GameSound fanfare("Fanfare.AIFF");
  Heard(0.1, [&] { fanfare.Play(); });
  fanfare.Stop();
  Heard(0.05);
  EXPECT_EQ(Peak(Heard(0.3)), 0.0f) << "stopping did not cut the sound short";
  // Made while the first frame is drawn, a sound loads after it and starts then if asked to.
  GameSound::DeferLoading(true);
  GameSound early("Fanfare.AIFF");
  EXPECT_EQ(Peak(Heard(0.2, [&] { early.Play(); })), 0.0f);
  EXPECT_GT(Peak(Heard(0.4, [] { GameSound::DeferLoading(false); })), 0.02f);
  early.Stop();
  Heard(0.05);
  GameSound::SetVolume(false);
  EXPECT_EQ(Peak(Heard(0.3, [&] { click.Play(); })), 0.0f);
  GameSound::SetVolume(true);
  for (const char* name : {"NoSuchSound.AIFF", "../Music/TenderPiano-22.aif", ""}) {
    GameSound silent(name);
    EXPECT_EQ(Peak(Heard(0.2, [&] { silent.Play(); })), 0.0f) << name;
  }
}

// Without any audio output the game goes on: every sound and track answers harmlessly, and the
// choice of track is still remembered for the next run.
TEST(GameSoundWithoutOutput, EverySoundAndTrackIsSilent) {
  if (!Use(false)) GTEST_SKIP() << "this process already has an audio output";
  GameSettings::Initialize();
  GameSound snd("Click.AIFF");
  snd.Play();
  EXPECT_FALSE(snd.IsPlaying());
  GameMusic::SetTrackVolume(0.5f);
  GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock);
  GameMusic::RestartTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 1);
}

}  // namespace
