// SPDX-License-Identifier: GPL-3.0-or-later
// The generated sound effects and music, read back from the build's resource folder.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const char* const kEffects[] = {"Score.AIFF",   "NoScore.AIFF",  "Swap.AIFF",     "Fanfare.AIFF",
                                "Click.AIFF",   "Rollover.AIFF", "PageTurn.AIFF", "Controls.AIFF",
                                "Starter.AIFF", "HiScore.AIFF"};
const char* const kTracks[] = {"TenderPiano-22.aif", "LivelyLatin-22.aif"};

struct Audio {
  bool aiff = false;
  int rate = 0;
  std::vector<std::vector<float>> channels;

  double Seconds() const { return channels.empty() ? 0.0 : double(channels[0].size()) / rate; }
  double Peak() const {
    float peak = 0.0f;
    for (const auto& c : channels)
      for (float v : c) peak = std::max(peak, std::fabs(v));
    return peak;
  }
  double Rms(size_t from, size_t to) const {
    double sum = 0.0;
    for (const auto& c : channels)
      for (size_t i = from; i < to; ++i) sum += double(c[i]) * c[i];
    return std::sqrt(sum / (channels.size() * std::max<size_t>(1, to - from)));
  }
};

Audio Load(const std::string& folder, const std::string& name) {
  const std::string path = std::string(QM_RESOURCE_DIR) + "/" + folder + "/" + name;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  Audio audio;
  if (file == nullptr) return audio;
  audio.aiff = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_AIFF;
  audio.rate = info.samplerate;
  std::vector<float> frames(info.frames * info.channels);
  const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  audio.channels.assign(info.channels, std::vector<float>(read));
  for (sf_count_t i = 0; i < read; ++i)
    for (int c = 0; c < info.channels; ++c) audio.channels[c][i] = frames[i * info.channels + c];
  return audio;
}

}  // namespace

TEST(SoundsTest, EffectsAreShortAudibleAndStartAndEndInSilence) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const Audio audio = Load("Sounds", name);
    ASSERT_TRUE(audio.aiff);
    EXPECT_TRUE(audio.rate == 44100 || audio.rate == 22050);
    ASSERT_GE(audio.channels.size(), 1u);
    EXPECT_LE(audio.channels.size(), 2u);
    EXPECT_GE(audio.Seconds(), 0.04);
    EXPECT_LE(audio.Seconds(), 2.5);
    EXPECT_GT(audio.Peak(), 0.1);
    EXPECT_LT(audio.Peak(), 0.99);
    for (const auto& c : audio.channels) {
      EXPECT_LT(std::fabs(c.front()), 0.01);
      EXPECT_LT(std::fabs(c.back()), 0.01);
    }
  }
}

TEST(SoundsTest, EffectsDifferFromEachOther) {
  std::vector<Audio> effects;
  for (const char* name : kEffects) effects.push_back(Load("Sounds", name));
  for (size_t a = 0; a < effects.size(); ++a) {
    for (size_t b = a + 1; b < effects.size(); ++b) {
      SCOPED_TRACE(std::string(kEffects[a]) + " and " + kEffects[b]);
      // Normalised correlation of the first channels: identical shapes would give 1.
      const auto& x = effects[a].channels.at(0);
      const auto& y = effects[b].channels.at(0);
      double xy = 0.0, xx = 0.0, yy = 0.0;
      for (size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
        xy += double(x[i]) * y[i];
        xx += double(x[i]) * x[i];
        yy += double(y[i]) * y[i];
      }
      EXPECT_LT(std::fabs(xy) / std::sqrt(xx * yy + 1e-12), 0.9);
    }
  }
}

TEST(SoundsTest, TracksAreLongAudibleAndUnclipped) {
  for (const char* name : kTracks) {
    SCOPED_TRACE(name);
    const Audio audio = Load("Music", name);
    ASSERT_TRUE(audio.aiff);
    EXPECT_EQ(audio.rate, 22050);
    EXPECT_GE(audio.Seconds(), 45.0);
    EXPECT_LT(audio.Peak(), 0.99);
    const size_t n = audio.channels.at(0).size();
    EXPECT_GT(audio.Rms(0, n), 0.05);
  }
}

TEST(SoundsTest, TracksLoopWithoutAClickOrAGap) {
  for (const char* name : kTracks) {
    SCOPED_TRACE(name);
    const Audio audio = Load("Music", name);
    const size_t n = audio.channels.at(0).size();
    ASSERT_GT(n, 2u * audio.rate);
    for (const auto& c : audio.channels) {
      std::vector<float> steps(n - 1);
      for (size_t i = 1; i < n; ++i) steps[i - 1] = std::fabs(c[i] - c[i - 1]);
      std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
      const float typical = steps[steps.size() * 99 / 100];
      EXPECT_LE(std::fabs(c.front() - c.back()), typical);
    }
    // The music plays on through the loop point: neither end fades out.
    const double whole = audio.Rms(0, n);
    const size_t second = static_cast<size_t>(audio.rate);
    EXPECT_GT(audio.Rms(0, second), 0.3 * whole);
    EXPECT_GT(audio.Rms(n - second, n), 0.3 * whole);
  }
}
