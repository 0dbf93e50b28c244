// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds of the menus and the book.
#include <algorithm>
#include <cmath>

#include "instruments.h"
#include "reverb.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {
constexpr int kRate = 44100;
}

// A small woodblock tick: a high mode for the crisp edge over a lower one for body.
Sound Click() {
  Sound sound(kRate, 0.06, false);
  sound.Mix(Modal(kRate, 1900.0, {{1.0, 1.0, 0.03}, {2.56, 0.5, 0.012}, {0.42, 0.6, 0.035}}, 0.06),
            0.0, 1.0);
  Random random(5);
  Mono snap = Noise(kRate, 0.006, random);
  ApplyFilter(snap, kRate, Filter::Kind::kHigh, 3500.0, 0.7);
  Release(snap, kRate, 0.0, 0.005);
  sound.Mix(snap, 0.0, 0.6);
  FinishEffect(sound, 0.625, 0.01);
  return sound;
}

// A soft, round blip that lifts a little in pitch, quiet enough to hear over and over.
Sound Rollover() {
  const double length = 0.09;
  Mono voice = Silence(kRate, length);
  double phase = 0.0;
  for (size_t i = 0; i < voice.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += 2.0 * kPi * (1100.0 + 220.0 * std::min(1.0, t / 0.025)) / kRate;
    voice[i] =
        static_cast<float>((std::sin(phase) + 0.12 * std::sin(2.0 * phase)) * std::exp(-t / 0.025));
  }
  Attack(voice, kRate, 0.006);
  Sound sound(kRate, length, false);
  sound.Mix(voice, 0.0, 1.0);
  FinishEffect(sound, 0.275, 0.02);
  return sound;
}

namespace {

// The page's slide out of the book at the normal speed of transitions: it starts at rest and
// speeds up with the fourth power of time, so that it shows its first movement only after about
// half a second and has left a window of the usual size at about kGone.
constexpr double kGone = 1.55;

// How much of the page is heard at a time: a soft rustle as soon as the hand takes it, then the air
// past the sheet, growing with its speed (as the square root of it, so that the first visible
// movement is already heard) and falling away as it leaves.
double Swell(double t) {
  const double lift = 0.4 * std::min(1.0, t / 0.01) * std::exp(-t / 0.15);
  const double moving = std::pow(std::min(t, kGone) / kGone, 1.5);
  const double leaving = std::clamp((t - (kGone - 0.2)) / 0.3, 0.0, 1.0);
  return lift + moving * (0.5 + 0.5 * std::cos(kPi * leaving));
}

// Where a sheet flexes it crackles: short random grains, a few as it is lifted and ever more as
// it flies.
std::vector<double> Crackle(size_t frames, Random& random) {
  std::vector<double> crackle(frames, 0.35);
  auto grain = [&](double centre) {
    const size_t width = static_cast<size_t>((0.003 + 0.012 * random.Uniform()) * kRate);
    const size_t start = static_cast<size_t>(centre * kRate);
    const double level = 0.3 + 0.9 * random.Uniform();
    for (size_t i = 0; i < width && start + i < frames; ++i) {
      crackle[start + i] += level * std::sin(kPi * i / width);
    }
  };
  grain(0.005);
  for (int i = 0; i < 9; ++i) grain(0.4 * std::pow(random.Uniform(), 2.0));
  for (int i = 0; i < 110; ++i) grain(kGone * std::pow(random.Uniform(), 0.6));
  return crackle;
}

}  // namespace

// Paper: hiss in a band that opens as the page gathers speed, moving from the middle of the book
// to the left with the page, and a soft landing as the page goes over.
Sound PageTurn() {
  Sound sound(kRate, kGone + 0.35, false);
  Random random(7);
  const std::vector<double> crackle = Crackle(sound.Frames(), random);
  Filter left(Filter::Kind::kBand, 0.9), right(Filter::Kind::kBand, 0.9);
  Filter airLeft(Filter::Kind::kLow, 0.7), airRight(Filter::Kind::kLow, 0.7);
  airLeft.Tune(kRate, 500.0);
  airRight.Tune(kRate, 500.0);
  // Soft paper, not foil: nothing much above 7 kHz.
  Filter softLeft(Filter::Kind::kLow, 0.7), softRight(Filter::Kind::kLow, 0.7);
  softLeft.Tune(kRate, 7000.0);
  softRight.Tune(kRate, 7000.0);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double swell = Swell(t);
    left.Tune(kRate, 1200.0 + 3200.0 * swell);
    right.Tune(kRate, 1200.0 + 3200.0 * swell);
    // The sound follows where the page is, which moves as the fourth power of time.
    const double toLeft = 0.45 + 0.4 * std::pow(std::min(t, kGone) / kGone, 4.0);
    const double paper = swell * crackle[i];
    const double l =
        paper * left.Process(random.Bipolar()) + swell * airLeft.Process(random.Bipolar());
    const double r =
        paper * right.Process(random.Bipolar()) + swell * airRight.Process(random.Bipolar());
    sound.left[i] = softLeft.Process(static_cast<float>(l * toLeft));
    sound.right[i] = softRight.Process(static_cast<float>(r * (1.0 - toLeft)));
  }
  sound.Mix(Drum(kRate, {95.0, 0.12, 0.1, 0.4, 600.0}, random), kGone, 0.12, -0.4);
  AddReverb(sound, 0.2, 0.3, 0.5);
  FinishEffect(sound, 1.0, 0.1);
  return sound;
}

}  // namespace sounds
