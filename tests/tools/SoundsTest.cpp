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

  size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
  double Seconds() const { return double(Frames()) / rate; }
  double Peak() const {
    float peak = 0.0f;
    for (const auto& c : channels)
      for (float v : c) peak = std::max(peak, std::fabs(v));
    return peak;
  }
  double Rms(size_t from, size_t to, size_t channel = SIZE_MAX) const {
    double sum = 0.0;
    for (size_t c = 0; c < channels.size(); ++c)
      for (size_t i = from; i < to && (channel == SIZE_MAX || c == channel); ++i)
        sum += double(channels[c][i]) * channels[c][i];
    return std::sqrt(
        sum / ((channel == SIZE_MAX ? channels.size() : 1) * std::max<size_t>(1, to - from)));
  }
  // The level at the loudest moment of the given length, and where that moment lies.
  std::pair<double, double> Loudest(double seconds) const {
    const size_t window = std::min(Frames(), size_t(seconds * rate));
    std::pair<double, double> loudest{0.0, 0.0};
    for (size_t from = 0; from + window <= Frames(); from += std::max<size_t>(1, window / 4))
      loudest =
          std::max(loudest, std::pair{Rms(from, from + window), (from + 0.5 * window) / rate});
    return loudest;
  }
};

Audio Load(const std::string& folder, const std::string& name) {
  SF_INFO info{};
  SNDFILE* file =
      sf_open((std::string(QM_RESOURCE_DIR) + "/" + folder + "/" + name).c_str(), SFM_READ, &info);
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

// Every effect is a short AIFF that starts and ends in silence, sits
// on the centre line (no DC), and can be heard over the music without leaving full scale: at
// the loudest music setting the music plays at its own full level, and the mixer's resampling
// of the 22 kHz music overshoots its samples by up to about two percent. At its loudest an
// effect is at least about as loud as the music at the middle setting, which is half its level.
TEST(SoundsTest, EffectsAreShortCentredAndFitOverTheMusic) {
  double musicPeak = 0.0, musicRms = 0.0;
  for (const char* name : kTracks) {
    const Audio music = Load("Music", name);
    musicPeak = std::max(musicPeak, music.Peak());
    musicRms = std::max(musicRms, music.Rms(0, music.Frames()));
  }
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const Audio audio = Load("Sounds", name);
    ASSERT_TRUE(audio.aiff);
    EXPECT_TRUE(audio.rate == 44100 || audio.rate == 22050);
    EXPECT_TRUE(audio.channels.size() == 1 || audio.channels.size() == 2);
    EXPECT_TRUE(audio.Seconds() >= 0.04 && audio.Seconds() <= 2.5) << audio.Seconds();
    EXPECT_GT(audio.Peak(), 0.1);
    EXPECT_LE(audio.Peak() + musicPeak, 0.98);
    EXPECT_GE(audio.Loudest(0.05).first, 0.7 * 0.5 * musicRms);
    for (const auto& c : audio.channels) {
      EXPECT_TRUE(std::fabs(c.front()) < 0.01 && std::fabs(c.back()) < 0.01);
      double sum = 0.0;
      for (float v : c) sum += v;
      EXPECT_LE(std::fabs(sum / c.size()), 0.005) << "off centre";
    }
  }
}

// Each track is long, audible, unclipped and centred, and loops without a click or a gap: the
// step from its last sample to its first is a usual one, and neither end fades out.
TEST(SoundsTest, TracksAreLongAndLoopWithoutAClickOrAGap) {
  for (const char* name : kTracks) {
    SCOPED_TRACE(name);
    const Audio audio = Load("Music", name);
    ASSERT_TRUE(audio.aiff);
    EXPECT_EQ(audio.rate, 22050);
    EXPECT_GE(audio.Seconds(), 45.0);
    EXPECT_LT(audio.Peak(), 0.99);
    const size_t n = audio.Frames(), second = size_t(audio.rate);
    const double whole = audio.Rms(0, n);
    EXPECT_GT(whole, 0.05);
    EXPECT_GT(audio.Rms(0, second), 0.3 * whole);
    EXPECT_GT(audio.Rms(n - second, n), 0.3 * whole);
    for (const auto& c : audio.channels) {
      std::vector<float> steps(n - 1);
      double sum = 0.0;
      for (size_t i = 1; i < n; ++i) steps[i - 1] = std::fabs(c[i] - c[i - 1]), sum += c[i];
      EXPECT_LE(std::fabs(sum / n), 0.005) << "off centre";
      std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
      EXPECT_LE(std::fabs(c.front() - c.back()), steps[steps.size() * 99 / 100]);
    }
  }
}

// A page turned away starts at rest and speeds up; a page turned back comes in from the left at a
// steady pace and stops. Either way its rustle belongs to the time in which the player sees it
// move, from its first few pixels in the window until it has left the window or come to rest, and
// it is heard moving the way the page moves.
TEST(SoundsTest, PageTurnsSoundWhileThePageVisiblyMoves) {
  Book book;  // the real book in a window of the size the game opens with
  const QLMPage& page = *book.Pages().GetPage(Universe::kPageTitle);
  for (auto [file, to] : {std::pair{"PageTurn.AIFF", Universe::kPageGameMenu},
                          std::pair{"PageTurnBack.AIFF", Universe::kPageTitle}}) {
    SCOPED_TRACE(file);
    const float startX = page.GetPos().x;
    book.Pages().TurnToPage(to);
    const double dt = 0.001;
    double shown = -1.0, hidden = -1.0;
    float shownX = 0.0f, hiddenX = 0.0f;
    for (double t = dt; page.IsMoving() && t < 10.0; t += dt) {
      book.Pages().Tick(dt);
      const float x = page.GetPos().x;
      if (std::fabs(x - startX) < 5.0f || x <= -QLMPage::m_kdWidth) continue;
      if (shown < 0.0) shown = t, shownX = x;
      hidden = t, hiddenX = x;
    }
    ASSERT_GT(shown, 0.0);
    ASSERT_GT(hidden, shown + 0.3);

    const Audio audio = Load("Sounds", file);
    ASSERT_FALSE(audio.channels.empty());
    const double loudestAt = audio.Loudest(0.02).second;
    EXPECT_TRUE(loudestAt > shown && loudestAt < hidden) << loudestAt;
    auto at = [&](double t) { return std::min(audio.Frames(), size_t(t * audio.rate)); };
    auto energy = [&](double from, double to, size_t channel = SIZE_MAX) {
      return std::pow(audio.Rms(at(from), at(to), channel), 2.0) * (at(to) - at(from));
    };
    EXPECT_GE(energy(shown, hidden), 0.8 * energy(0.0, audio.Seconds()));
    // From the first third of the visible movement to the last, the sound moves clearly toward
    // the side the page moves to.
    auto leftOverRight = [&](double from, double to) {
      return 10.0 * std::log10((energy(from, to, 0) + 1e-12) /
                               (energy(from, to, audio.channels.size() - 1) + 1e-12));
    };
    const double third = (hidden - shown) / 3.0;
    const double towardLeft =
        leftOverRight(hidden - third, hidden) - leftOverRight(shown, shown + third);
    EXPECT_GT(hiddenX < shownX ? towardLeft : -towardLeft, 3.0);
  }
}

}  // namespace
