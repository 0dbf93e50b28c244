// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "instruments.h"

namespace synth {

// A hand drum: the head's tone drops quickly to its pitch after the blow, with a second,
// inharmonic head mode above it, and the slap of the hand as a short burst of filtered noise.
Mono Drum(int rate, const DrumTone& tone, Random& random) {
  Mono voice = Silence(rate, 1.2 * tone.t60);
  Mono hand = Noise(rate, 0.05, random);
  ApplyFilter(hand, rate, Filter::Kind::kBand, tone.noiseHz, 0.9);
  Release(hand, rate, 0.0, 0.025);
  const double decay = std::pow(0.001, 1.0 / (tone.t60 * rate));
  double phase = 0.0, level = 1.0;
  for (size_t i = 0; i < voice.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    phase += 2.0 * kPi * tone.hz * (1.0 + tone.bend * std::exp(-t / 0.015)) / rate;
    const double head = std::sin(phase) + 0.3 * level * std::sin(1.59 * phase);
    voice[i] = static_cast<float>(level * head);
    if (i < hand.size()) voice[i] += static_cast<float>(tone.noise * hand[i]);
    level *= decay;
  }
  Attack(voice, rate, 0.001);
  return voice;
}

// Two hardwood sticks: one high, clear, short mode.
Mono Clave(int rate) {
  Mono voice = Modal(rate, 2500.0, {{1.0, 1.0, 0.12}, {2.32, 0.1, 0.03}}, 0.15);
  Attack(voice, rate, 0.0005);
  return voice;
}

// Two square-ish tones a little over a fifth apart, as a struck bell of sheet metal sounds.
Mono Cowbell(int rate) {
  Mono voice = Modal(rate, 560.0,
                     {{1.0, 1.0, 0.35},
                      {1.48, 0.8, 0.3},
                      {3.0, 0.3, 0.12},
                      {4.44, 0.25, 0.1},
                      {5.0, 0.12, 0.06},
                      {7.4, 0.1, 0.05}},
                     0.4);
  Attack(voice, rate, 0.001);
  return voice;
}

// Seeds rattling in a gourd: a hiss that swells for a moment and stops.
Mono Shaker(int rate, Random& random) {
  Mono voice = Noise(rate, 0.12, random);
  ApplyFilter(voice, rate, Filter::Kind::kHigh, 5500.0, 0.7);
  Attack(voice, rate, 0.012);
  Release(voice, rate, 0.012, 0.08);
  return voice;
}

}  // namespace synth
