// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "core/GameSettings.h"
#include "platform/AudioCapture.h"
#include "platform/GameMusic.h"
#include "platform/PreferenceStore.h"

using namespace audiotest;

namespace {

class GameMusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Environment::Use(Environment::kCapture))
      GTEST_SKIP() << "this process already runs without an audio output";
    GameSettings::Initialize();
  }
  void TearDown() override {
    GameMusic::StopTrack();
    GameMusic::SetTrackVolume(1.0f);
  }

  // Lets the music go quiet and the last of it be written out.
  static void LetSilenceIn() { WaitFrames(Mark(), Frames(0.15)); }

  // The head of the first sound in a piece of capture: its onset and the part that follows.
  static constexpr double kHeadSeconds = 0.25;
};

TEST_F(GameMusicTest, StartTrackPlaysTheLatinTrackAtNineTenthsOfTheMusicVolume) {
  // The track at full volume, through its own player, as the reference.
  size_t markRef = Mark();
  {
    GameMusic reference("LivelyLatin-22.aif");
    reference.SetVolume(1.0f);
    markRef = Mark();
    reference.Play();
    WaitFrames(markRef, Frames(0.6));
    reference.Stop();
  }
  LetSilenceIn();

  GameMusic::SetTrackVolume(0.5f);
  const size_t mark = Mark();
  GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock);
  EXPECT_EQ(GameMusic::itrackCurrent, GameMusic::kMusicTrackBeatTheClock);
  EXPECT_TRUE(GameMusic::IsPlaying());
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 1);
  EXPECT_NE(ReadFile(PreferenceStore::UserPath()).find("MusicLastTrackIndex=1\n"),
            std::string::npos);
  WaitFrames(mark, Frames(0.6));
  GameMusic::StopTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
  LetSilenceIn();

  const std::vector<float> ref = Mono(markRef, mark);
  const std::vector<float> heard = Mono(mark);
  const size_t n = Frames(kHeadSeconds);
  const size_t refOnset = Onset(ref);
  ASSERT_LT(refOnset + n, ref.size()) << "the track at full volume was not heard";
  const Match match = BestMatch(ref, refOnset, heard, Before(Onset(heard), 200), 400, n);
  EXPECT_GT(match.correlation, 0.99);
  EXPECT_NEAR(double(match.at), double(Onset(heard)), 8);
  EXPECT_NEAR(Gain(ref, refOnset, heard, match.at, n), 0.45, 0.01);
}

TEST_F(GameMusicTest, APlayingTrackGoesOnAndAStoppedOneStartsAgainFromItsBeginning) {
  GameMusic::SetTrackVolume(1.0f);
  const size_t mark = Mark();
  GameMusic::StartTrack(GameMusic::kMusicTrackRegular);
  EXPECT_TRUE(GameMusic::IsPlaying());
  WaitFrames(mark, Frames(0.5));
  const size_t markSecond = Mark();
  GameMusic::StartTrack(GameMusic::kMusicTrackRegular);
  EXPECT_TRUE(GameMusic::IsPlaying());
  WaitFrames(mark, Frames(1.0));
  const size_t markStop = Mark();
  GameMusic::StopTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
  LetSilenceIn();

  const size_t markAgain = Mark();
  GameMusic::RestartTrack();
  EXPECT_TRUE(GameMusic::IsPlaying());
  WaitFrames(markAgain, Frames(0.5));
  GameMusic::StopTrack();

  const std::vector<float> first = Mono(mark, markStop);
  const std::vector<float> again = Mono(markAgain);
  const size_t n = Frames(kHeadSeconds);
  const size_t onset = Onset(first);
  ASSERT_LT(onset + n, first.size()) << "the track was not heard";
  // The second start did not go back: the opening does not come again where it was made.
  const Match repeat =
      BestMatch(first, onset, first, Before(markSecond - mark, 1024), 4096, Frames(0.1));
  EXPECT_LT(repeat.correlation, 0.9) << "heard again at " << repeat.at - onset;
  // After a stop the track starts from its beginning: the opening is the first thing heard.
  const size_t againOnset = Onset(again);
  const Match restart = BestMatch(first, onset, again, Before(againOnset, 200), 400, n);
  EXPECT_GT(restart.correlation, 0.99);
  EXPECT_NEAR(double(restart.at), double(againOnset), 8) << "something else came first";
}

TEST_F(GameMusicTest, ATrackPlaysOnPastItsEnd) {
  Resource sweep("Music", "sweep.aif");
  sweep.WriteAiff(Sweep(300, 1200, 0.3, 0.5f, 22050), 22050);
  GameMusic track(sweep.Name());
  track.SetVolume(1.0f);
  const size_t mark = Mark();
  track.Play();
  WaitFrames(mark, Frames(1.3));
  track.Stop();

  const std::vector<float> heard = Mono(mark);
  const size_t onset = Onset(heard);
  const size_t period = Frames(0.3);
  const size_t n = Frames(0.05);
  for (int lap = 1; lap <= 3; ++lap) {
    SCOPED_TRACE(lap);
    const Match match = BestMatch(heard, onset, heard, onset + lap * period - 50, 100, n);
    EXPECT_GT(match.correlation, 0.99);
  }
  // No gap anywhere: every 5 ms of the three laps holds sound.
  for (size_t at = onset; at + Frames(0.005) <= onset + 3 * period; at += Frames(0.005))
    ASSERT_GT(Peak(heard, at, at + Frames(0.005)), 0.1f) << "gap at " << at - onset;
}

TEST_F(GameMusicTest, AtMusicVolumeZeroNothingPlays) {
  GameMusic::SetTrackVolume(0.0f);
  size_t mark = Mark();
  GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock);
  EXPECT_FALSE(GameMusic::IsPlaying());
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 1);
  GameMusic::RestartTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
  WaitFrames(mark, Frames(0.4));
  std::vector<float> heard = Mono(mark);
  EXPECT_GE(heard.size(), Frames(0.4));
  EXPECT_EQ(Peak(heard), 0.0f);

  // Turned up, the current track plays.
  GameMusic::SetTrackVolume(0.5f);
  mark = Mark();
  GameMusic::RestartTrack();
  EXPECT_TRUE(GameMusic::IsPlaying());
  WaitFrames(mark, Frames(0.4));
  EXPECT_GT(Peak(Mono(mark)), 0.02f);

  // Turned down to 0 while it plays, it falls silent; stopped then, it stays stopped when the
  // volume comes back, until it is started again.
  GameMusic::SetTrackVolume(0.0f);
  EXPECT_FALSE(GameMusic::IsPlaying());
  WaitFrames(Mark(), Frames(0.1));
  mark = Mark();
  WaitFrames(mark, Frames(0.3));
  EXPECT_EQ(Peak(Mono(mark)), 0.0f);
  GameMusic::StopTrack();
  GameMusic::SetTrackVolume(0.5f);
  EXPECT_FALSE(GameMusic::IsPlaying());
  mark = Mark();
  WaitFrames(mark, Frames(0.3));
  EXPECT_EQ(Peak(Mono(mark)), 0.0f);
}

TEST_F(GameMusicTest, StoppingOneTrackLeavesTheOtherPlaying) {
  GameMusic::SetTrackVolume(0.5f);
  GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock);
  ASSERT_TRUE(GameMusic::IsPlaying());
  GameMusic::apMusic[GameMusic::kMusicTrackRegular]->Stop();
  EXPECT_TRUE(GameMusic::IsPlaying());

  // Only one track sounds at a time: the new one replaces the old.
  GameMusic::StartTrack(GameMusic::kMusicTrackRegular);
  EXPECT_TRUE(GameMusic::IsPlaying());
  GameMusic::apMusic[GameMusic::kMusicTrackBeatTheClock]->Stop();
  EXPECT_TRUE(GameMusic::IsPlaying());
  const size_t mark = Mark();
  WaitFrames(mark, Frames(0.3));
  EXPECT_GT(Peak(Mono(mark)), 0.02f);
  GameMusic::StopTrack();
  EXPECT_FALSE(GameMusic::IsPlaying());
}

TEST_F(GameMusicTest, TheLastTrackComesBackFromTheSettings) {
  if (GameMusic::fInited) GTEST_SKIP() << "the tracks were set up earlier in this process";
  // An earlier run played the regular track.
  GameSettings::SetIntParam("MusicLastTrackIndex", 0);
  GameMusic::SetTrackVolume(0.5f);
  const size_t mark = Mark();
  GameMusic::RestartTrack();
  EXPECT_EQ(GameMusic::itrackCurrent, GameMusic::kMusicTrackRegular);
  EXPECT_TRUE(GameMusic::IsPlaying());
  WaitFrames(mark, Frames(0.3));
  EXPECT_GT(Peak(Mono(mark)), 0.02f);
  GameMusic::StopTrack();

  // A track number that names no track is no track: every call does nothing.
  GameMusic::itrackCurrent = 7;
  GameMusic::RestartTrack();
  GameMusic::SetTrackVolume(1.0f);
  EXPECT_FALSE(GameMusic::IsPlaying());
  GameMusic::StopTrack();
  GameMusic::StartTrack(static_cast<GameMusic::MusicTrackID>(-3));
  EXPECT_FALSE(GameMusic::IsPlaying());
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 0);
}

TEST_F(GameMusicTest, AMissingOrBrokenTrackIsSilent) {
  Resource broken("Music", "broken.aif");
  broken.WriteBytes(
      Bytes("FORM\x00\x00\x00\x30"
            "AIFFSSND\x00\x00\x00\x08 garbage!"));
  GameMusic real("TenderPiano-22.aif");  // opens the output, so that silence is really captured
  const size_t mark = Mark();
  for (const char* name : {"NoSuchTrack.aif", broken.Name(), "../Sounds/Click.AIFF",
                           static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name ? name : "(null)");
    auto track = std::make_unique<GameMusic>(name);
    track->SetVolume(1.0f);
    track->Play();
    track->Play();
    track->Stop();
    track->Play();
    track.reset();
  }
  WaitFrames(mark, Frames(0.3));
  const std::vector<float> heard = Mono(mark);
  EXPECT_GE(heard.size(), Frames(0.3));
  EXPECT_EQ(Peak(heard), 0.0f);
}

}  // namespace
