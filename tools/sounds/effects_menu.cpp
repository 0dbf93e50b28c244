// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds of the menus and the book.
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
  FinishEffect(sound, 0.5, 0.01);
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
  FinishEffect(sound, 0.22, 0.02);
  return sound;
}

namespace {

// Where a sheet flexes it crackles: short random grains, thickest while the page is in the air.
std::vector<double> Crackle(size_t frames, Random& random) {
  std::vector<double> crackle(frames, 0.35);
  for (int grain = 0; grain < 70; ++grain) {
    const double centre = std::pow(random.Uniform(), 0.9);
    const size_t width = static_cast<size_t>((0.003 + 0.012 * random.Uniform()) * kRate);
    const size_t start = static_cast<size_t>(centre * frames);
    const double level = 0.3 + 0.9 * random.Uniform();
    for (size_t i = 0; i < width && start + i < frames; ++i) {
      crackle[start + i] += level * std::sin(kPi * i / width);
    }
  }
  return crackle;
}

}  // namespace

// Paper: hiss in a band that opens as the page lifts and closes as it settles, moving from the
// right to the left with the page, with a soft landing at the end.
Sound PageTurn() {
  const double length = 0.7;
  Sound sound(kRate, length, false);
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
    const double x = static_cast<double>(i) / sound.Frames();
    const double swell = std::pow(std::sin(kPi * std::pow(x, 0.8)), 1.5);
    left.Tune(kRate, 1200.0 + 3200.0 * swell);
    right.Tune(kRate, 1200.0 + 3200.0 * swell);
    const double toLeft = 0.5 - 0.35 * std::cos(kPi * x);
    const double paper = swell * crackle[i];
    const double l =
        paper * left.Process(random.Bipolar()) + swell * airLeft.Process(random.Bipolar());
    const double r =
        paper * right.Process(random.Bipolar()) + swell * airRight.Process(random.Bipolar());
    sound.left[i] = softLeft.Process(static_cast<float>(l * toLeft));
    sound.right[i] = softRight.Process(static_cast<float>(r * (1.0 - toLeft)));
  }
  sound.Mix(Drum(kRate, {95.0, 0.12, 0.1, 0.4, 600.0}, random), 0.56, 0.12, -0.4);
  AddReverb(sound, 0.2, 0.3, 0.5);
  FinishEffect(sound, 0.5, 0.08);
  return sound;
}

}  // namespace sounds
