// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>

#include "core/GameSettings.h"
#include "platform/AudioCapture.h"
#include "platform/GameMusic.h"

using namespace audiotest;

namespace {

double Rms(const std::vector<float>& v, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < v.size(); ++i) sum += double(v[i]) * v[i];
  return std::sqrt(sum / count);
}

// The first sample that reaches a tenth of the peak: the same point of a sound at any volume.
size_t Onset(const std::vector<float>& v) {
  const float threshold = 0.1f * Peak(v);
  size_t i = 0;
  while (i < v.size() && std::fabs(v[i]) < threshold) ++i;
  return i;
}

// A game's track plays from its beginning at the music volume, the Latin track at nine tenths
// of it, and plays on past the end of its file without a gap; it is remembered for the next run.
// Turned down to 0 it falls silent, and stopped then it stays stopped.
TEST(GameMusicTest, TheTracksPlayAtTheMusicVolumeAndLoop) {
  if (!Use(true)) GTEST_SKIP() << "this process already runs without an audio output";
  GameSettings::Initialize();
  std::vector<float> reference;
  {
    GameMusic track("LivelyLatin-22.aif");
    track.SetVolume(1.0f);
    reference = Heard(1.0, [&] { track.Play(); });
  }
  Heard(0.2);
  GameMusic::SetTrackVolume(0.5f);
  const std::vector<float> heard =
      Heard(1.0, [] { GameMusic::StartTrack(GameMusic::kMusicTrackBeatTheClock); });
  EXPECT_EQ(GameSettings::GetIntParam("MusicLastTrackIndex"), 1);
  const size_t n = static_cast<size_t>(0.5 * 44100);
  EXPECT_NEAR(Rms(heard, Onset(heard), n) / Rms(reference, Onset(reference), n), 0.45, 0.01);

  GameMusic::SetTrackVolume(0.0f);
  EXPECT_FALSE(GameMusic::IsPlaying());
  Heard(0.1);
  EXPECT_EQ(Peak(Heard(0.3, [] { GameMusic::RestartTrack(); })), 0.0f);
  GameMusic::StopTrack();
  GameMusic::SetTrackVolume(0.5f);
  Heard(0.1);
  EXPECT_EQ(Peak(Heard(0.3)), 0.0f);
  EXPECT_FALSE(GameMusic::IsPlaying());

  // A tone of 0.3 seconds as a track of its own, written as the game's music is: every 5 ms of
  // three laps holds sound.
  const std::string name = "test-music-" + std::to_string(getpid()) + ".aif";
  const std::string path = std::string(QM_RESOURCE_DIR) + "/Music/" + name;
  SF_INFO info{0, 22050, 1, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 0, 0};
  std::vector<float> tone(6615);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(2 * M_PI * 441 * i / 22050.0);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_write_float(file, tone.data(), static_cast<sf_count_t>(tone.size()));
  sf_close(file);
  GameMusic track(name.c_str());
  unlink(path.c_str());
  track.SetVolume(1.0f);
  const std::vector<float> laps = Heard(1.3, [&] { track.Play(); });
  const size_t start = Onset(laps), step = 220;
  for (size_t at = start; at + step <= start + 3 * 13230; at += step)
    ASSERT_GT(Peak(laps, at, step), 0.1f) << "a gap at " << at - start;
}

}  // namespace
