// SPDX-License-Identifier: GPL-3.0-or-later
// The generated sound effects and music, read back from the build's resource folder.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "scene/QLMPage.h"
#include "scene/Universe.h"
#include "support/Book.h"

namespace {

const char* const kEffects[] = {"Score.AIFF",    "NoScore.AIFF",      "Swap.AIFF",
                                "Fanfare.AIFF",  "Click.AIFF",        "Rollover.AIFF",
                                "PageTurn.AIFF", "PageTurnBack.AIFF", "Controls.AIFF",
                                "Starter.AIFF",  "HiScore.AIFF"};
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
  double Mean(size_t channel) const {
    double sum = 0.0;
    for (float v : channels.at(channel)) sum += v;
    return sum / std::max<size_t>(1, channels.at(channel).size());
  }
  // The level of a sound at its loudest moment.
  double LoudestRms(double seconds) const {
    const size_t n = channels.at(0).size(), window = std::min(n, size_t(seconds * rate));
    double loudest = 0.0;
    for (size_t from = 0; from + window <= n; from += std::max<size_t>(1, window / 4))
      loudest = std::max(loudest, Rms(from, from + window));
    return loudest;
  }
  double Rms(size_t from, size_t to) const {
    double sum = 0.0;
    for (const auto& c : channels)
      for (size_t i = from; i < to; ++i) sum += double(c[i]) * c[i];
    return std::sqrt(sum / (channels.size() * std::max<size_t>(1, to - from)));
  }
  // How much louder the left channel is than the right between two times, in dB.
  double LeftOverRight(double from, double to) const {
    double left = 0.0, right = 0.0;
    const size_t n = channels.at(0).size();
    for (size_t i = std::min(n, size_t(from * rate)); i < std::min(n, size_t(to * rate)); ++i) {
      left += double(channels.at(0)[i]) * channels.at(0)[i];
      right += double(channels.back()[i]) * channels.back()[i];
    }
    return 10.0 * std::log10((left + 1e-12) / (right + 1e-12));
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

// The mixer lays the effects over the music, which at the loudest music setting plays at its own
// full level, and resamples the 22 kHz music, which overshoots its samples by up to about two
// percent. At the middle setting the music plays at half its level.
TEST(SoundsTest, EffectsOverTheMusicStayWithinFullScaleAndAboveItAndNoFileIsOffCentre) {
  double musicPeak = 0.0, musicRms = 0.0;
  for (const char* name : kTracks) {
    const Audio audio = Load("Music", name);
    musicPeak = std::max(musicPeak, audio.Peak());
    musicRms = std::max(musicRms, audio.Rms(0, audio.channels.at(0).size()));
  }
  struct File {
    const char* folder;
    const char* name;
  };
  std::vector<File> files;
  for (const char* name : kEffects) files.push_back({"Sounds", name});
  for (const char* name : kTracks) files.push_back({"Music", name});
  for (const File& file : files) {
    SCOPED_TRACE(file.name);
    const Audio audio = Load(file.folder, file.name);
    ASSERT_FALSE(audio.channels.empty());
    for (size_t c = 0; c < audio.channels.size(); ++c) EXPECT_LE(std::fabs(audio.Mean(c)), 0.005);
    if (std::string(file.folder) != "Sounds") continue;
    EXPECT_LE(audio.Peak() + musicPeak, 0.98);
    // At its loudest an effect is at least about as loud as the music at the middle setting.
    EXPECT_GE(audio.LoudestRms(0.05), 0.7 * 0.5 * musicRms);
  }
}

// A page turned away starts at rest and speeds up; a page turned back comes in from the left at a
// steady pace and stops. Either way its rustle belongs to the time in which the player sees it
// move, from its first few pixels in the window until it has left the window or come to rest, and
// it is heard moving the way the page moves.
TEST(SoundsTest, PageTurnsSoundWhileThePageVisiblyMoves) {
  struct Turn {
    const char* file;
    Universe::PageID to;
  };
  // The real book in a window of the size the game opens with: its title page turned away and
  // back again.
  const Turn turns[] = {{"PageTurn.AIFF", Universe::kPageGameMenu},
                        {"PageTurnBack.AIFF", Universe::kPageTitle}};
  Book book;
  const QLMPage& page = *book.Pages().GetPage(Universe::kPageTitle);
  for (const Turn& turn : turns) {
    SCOPED_TRACE(turn.file);
    const float startX = page.GetPos().x;
    book.Pages().TurnToPage(turn.to);
    const double dt = 0.001;
    double shown = -1.0, hidden = -1.0;
    float shownX = 0.0f, hiddenX = 0.0f;
    for (double t = dt; page.IsMoving() && t < 10.0; t += dt) {
      book.Pages().Tick(dt);
      const float x = page.GetPos().x;
      if (std::fabs(x - startX) < 5.0f || x <= -QLMPage::m_kdWidth) continue;
      if (shown < 0.0) {
        shown = t;
        shownX = x;
      }
      hidden = t;
      hiddenX = x;
    }
    ASSERT_GT(shown, 0.0);
    ASSERT_GT(hidden, shown + 0.3);

    const Audio audio = Load("Sounds", turn.file);
    ASSERT_FALSE(audio.channels.empty());
    const size_t n = audio.channels.at(0).size(), window = audio.rate / 50;
    double loudest = 0.0, loudestAt = 0.0;
    for (size_t from = 0; from + window <= n; from += window) {
      const double rms = audio.Rms(from, from + window);
      if (rms > loudest) {
        loudest = rms;
        loudestAt = (from + 0.5 * window) / audio.rate;
      }
    }
    EXPECT_GT(loudestAt, shown);
    EXPECT_LT(loudestAt, hidden);
    auto energy = [&](double from, double to) {
      const size_t a = std::min(n, size_t(from * audio.rate)),
                   b = std::min(n, size_t(to * audio.rate));
      return std::pow(audio.Rms(a, b), 2.0) * (b - a);
    };
    EXPECT_GE(energy(shown, hidden), 0.8 * energy(0.0, audio.Seconds()));
    // From the first third of the visible movement to the last, the sound moves clearly toward
    // the side the page moves to.
    const double third = (hidden - shown) / 3.0;
    const double towardLeft =
        audio.LeftOverRight(hidden - third, hidden) - audio.LeftOverRight(shown, shown + third);
    EXPECT_GT(hiddenX < shownX ? towardLeft : -towardLeft, 3.0);
  }
}
