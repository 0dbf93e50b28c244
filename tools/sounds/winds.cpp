// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "instruments.h"

namespace synth {
namespace {

// Adds sin(phase), sin(2 phase), ... weighted by levels[0], levels[1], ..., using the recurrence
// sin((k+1)x) = 2 cos(x) sin(kx) - sin((k-1)x): one sine and one cosine a sample whatever the
// number of harmonics.
double Harmonics(double phase, const double* levels, int count) {
  const double c = 2.0 * std::cos(phase);
  double previous = 0.0, current = std::sin(phase), sum = 0.0;
  for (int k = 0; k < count; ++k) {
    sum += levels[k] * current;
    const double next = c * current - previous;
    previous = current;
    current = next;
  }
  return sum;
}

// Rises smoothly over `attack`, holds, and after `held` falls to exactly nothing in `release`.
double Swell(double t, double attack, double held, double release) {
  double level = t < attack ? std::sin(0.5 * kPi * t / attack) : 1.0;
  if (t > held) level *= 0.5 + 0.5 * std::cos(kPi * std::min(1.0, (t - held) / release));
  return level;
}

// Vibrato that waits a little and then grows, as a player's does on a held note.
double Vibrato(double t, double rate, double depth) {
  const double grow = std::clamp((t - 0.15) / 0.3, 0.0, 1.0);
  return 1.0 + depth * grow * std::sin(2.0 * kPi * rate * t);
}

}  // namespace

Mono Brass(int rate, double hz, double held, double velocity) {
  constexpr int kMost = 16;
  const int count = std::clamp(static_cast<int>(0.45 * rate / hz), 1, kMost);
  const double release = 0.12;
  Mono voice = Silence(rate, held + release);
  double phase = 0.0;
  double levels[kMost];
  for (size_t i = 0; i < voice.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double loud = Swell(t, 0.05, held, release);
    // A brass tone brightens as it gets louder: the player's lips buzz harder.
    const double dark = 1.7 - 1.2 * loud * velocity;
    for (int k = 0; k < count; ++k) levels[k] = std::exp(-dark * k) / (k + 1);
    // The note starts a shade flat and settles, as a lip slur does.
    const double pitch = (1.0 - 0.012 * std::exp(-t / 0.03)) * Vibrato(t, 5.5, 0.004);
    phase += 2.0 * kPi * hz * pitch / rate;
    voice[i] = static_cast<float>(loud * Harmonics(phase, levels, count));
  }
  return voice;
}

Mono Flute(int rate, double hz, double held, double velocity, Random& random) {
  const double release = 0.06;
  Mono voice = Silence(rate, held + release);
  Mono breath = Noise(rate, held + release, random);
  ApplyFilter(breath, rate, Filter::Kind::kBand, std::min(2.0 * hz, 0.4 * rate), 1.2);
  const double levels[] = {1.0, 0.22 + 0.15 * velocity, 0.07, 0.03};
  const int count = std::clamp(static_cast<int>(0.45 * rate / hz), 1, 4);
  double phase = 0.0;
  for (size_t i = 0; i < voice.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double loud = Swell(t, 0.045, held, release);
    const double vibrato = Vibrato(t, 5.0, 0.005);
    phase += 2.0 * kPi * hz * vibrato / rate;
    // The breath is loudest in the chiff that starts the note.
    const double air = 0.05 + 0.25 * std::exp(-t / 0.03);
    const double tone = Harmonics(phase, levels, count) * (0.9 + 0.1 * vibrato);
    voice[i] = static_cast<float>(loud * (tone + air * breath[i]));
  }
  for (float& v : voice) v *= static_cast<float>(0.5 + 0.5 * velocity);
  return voice;
}

}  // namespace synth
