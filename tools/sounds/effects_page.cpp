// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds of the book's pages: one sheet of paper, heard as it slides out of the book when the
// book turns forward and as it slides back in when the book turns back.
#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.h"
#include "reverb.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {
constexpr int kRate = 44100;

// The page's slide out of the book at the normal speed of transitions: it starts at rest and
// speeds up with the fourth power of time, so that it shows its first movement only after about
// half a second and has left a window of the usual size at about kGone.
constexpr double kGone = 1.55;

// The page's slide back in: from its place out on the left, at a steady speed, it comes into view
// at about kInView and rests at kHome, back where it was (in a window of the usual size).
constexpr double kInView = 0.07;
constexpr double kHome = 0.775;

// How much of the page is heard at a time: a soft rustle as soon as the hand takes it, then the air
// past the sheet, growing with its speed (as the square root of it, so that the first visible
// movement is already heard) and falling away as it leaves.
double Swell(double t) {
  const double lift = 0.4 * std::min(1.0, t / 0.01) * std::exp(-t / 0.15);
  const double moving = std::pow(std::min(t, kGone) / kGone, 1.5);
  const double leaving = std::clamp((t - (kGone - 0.2)) / 0.3, 0.0, 1.0);
  return lift + moving * (0.5 + 0.5 * std::cos(kPi * leaving));
}

// The same sheet coming back: a lighter touch as the hand takes it out of sight, then from the
// moment it comes into view the air of a steady speed, about half the top speed of the slide out
// (so its band opens less far), a little fuller as it crosses the middle, and quiet as it rests.
double BackSwell(double t) {
  const double touch = 0.25 * std::min(1.0, t / 0.01) * std::exp(-t / 0.05);
  const double entering = std::clamp((t - (kInView - 0.04)) / 0.1, 0.0, 1.0);
  const double resting = std::clamp((t - (kHome - 0.03)) / 0.06, 0.0, 1.0);
  const double crossing = 0.9 + 0.1 * std::sin(kPi * std::min(t, kHome) / kHome);
  return touch + 0.75 * crossing * entering * entering * (3.0 - 2.0 * entering) *
                     (0.5 + 0.5 * std::cos(kPi * resting));
}

// The share of the sound on the left for a page that has gone `out` of the way from its place in
// the book (0) to its place out on the left (1): it is heard where it is.
double ToLeft(double out) {
  return 0.45 + 0.4 * out;
}

// Where a sheet flexes it crackles: short random grains over the even rustle of its surface.
std::vector<double> Surface(size_t frames) {
  return std::vector<double>(frames, 0.35);
}

void Grain(std::vector<double>& crackle, double centre, Random& random) {
  const size_t width = static_cast<size_t>((0.003 + 0.012 * random.Uniform()) * kRate);
  const size_t start = static_cast<size_t>(centre * kRate);
  const double level = 0.3 + 0.9 * random.Uniform();
  for (size_t i = 0; i < width && start + i < crackle.size(); ++i) {
    crackle[start + i] += level * std::sin(kPi * i / width);
  }
}

// Paper: hiss in a band that opens as the page gathers speed, crackling where the sheet flexes,
// over the low rush of the air it pushes, placed where the page is. Soft paper, not foil: nothing
// much above 7 kHz.
void Rustle(Sound& sound, const std::vector<double>& crackle, Random& random,
            double (*swellAt)(double), double (*toLeftAt)(double)) {
  Filter left(Filter::Kind::kBand, 0.9), right(Filter::Kind::kBand, 0.9);
  Filter airLeft(Filter::Kind::kLow, 0.7), airRight(Filter::Kind::kLow, 0.7);
  airLeft.Tune(kRate, 500.0);
  airRight.Tune(kRate, 500.0);
  Filter softLeft(Filter::Kind::kLow, 0.7), softRight(Filter::Kind::kLow, 0.7);
  softLeft.Tune(kRate, 7000.0);
  softRight.Tune(kRate, 7000.0);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double swell = swellAt(t);
    left.Tune(kRate, 1200.0 + 3200.0 * swell);
    right.Tune(kRate, 1200.0 + 3200.0 * swell);
    const double toLeft = toLeftAt(t);
    const double paper = swell * crackle[i];
    const double l =
        paper * left.Process(random.Bipolar()) + swell * airLeft.Process(random.Bipolar());
    const double r =
        paper * right.Process(random.Bipolar()) + swell * airRight.Process(random.Bipolar());
    sound.left[i] = softLeft.Process(static_cast<float>(l * toLeft));
    sound.right[i] = softRight.Process(static_cast<float>(r * (1.0 - toLeft)));
  }
}

}  // namespace

// The page moves from the middle of the book to the left, as the fourth power of time, with a few
// grains as it is lifted and ever more as it flies, and lands softly on the left as it goes over.
Sound PageTurn() {
  Sound sound(kRate, kGone + 0.35, false);
  Random random(7);
  std::vector<double> crackle = Surface(sound.Frames());
  Grain(crackle, 0.005, random);
  for (int i = 0; i < 9; ++i) Grain(crackle, 0.4 * std::pow(random.Uniform(), 2.0), random);
  for (int i = 0; i < 110; ++i) Grain(crackle, kGone * std::pow(random.Uniform(), 0.6), random);
  Rustle(sound, crackle, random, Swell,
         [](double t) { return ToLeft(std::pow(std::min(t, kGone) / kGone, 4.0)); });
  sound.Mix(Drum(kRate, {95.0, 0.12, 0.1, 0.4, 600.0}, random), kGone, 0.12, -0.4);
  AddReverb(sound, 0.2, 0.3, 0.5);
  FinishEffect(sound, 1.0, 0.1);
  return sound;
}

// The page moves back from the left to the middle of the book at a steady pace, flexing as evenly
// as it moves, and settles softly onto the book in the middle.
Sound PageTurnBack() {
  Sound sound(kRate, kHome + 0.35, false);
  Random random(17);
  std::vector<double> crackle = Surface(sound.Frames());
  Grain(crackle, 0.005, random);
  for (int i = 0; i < 3; ++i) Grain(crackle, kInView * random.Uniform(), random);
  for (int i = 0; i < 72; ++i)
    Grain(crackle, kInView + (kHome - kInView) * random.Uniform(), random);
  Rustle(sound, crackle, random, BackSwell,
         [](double t) { return ToLeft(1.0 - std::min(t, kHome) / kHome); });
  sound.Mix(Drum(kRate, {105.0, 0.1, 0.1, 0.4, 700.0}, random), kHome, 0.1, 0.1);
  AddReverb(sound, 0.2, 0.3, 0.5);
  // Its steady body is heard for longer than the peak of the slide out: a little lower, it is
  // about as loud at its loudest.
  FinishEffect(sound, 0.9, 0.1);
  return sound;
}

}  // namespace sounds
