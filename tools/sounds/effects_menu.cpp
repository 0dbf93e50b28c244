// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds of the menus.
#include <algorithm>
#include <cmath>

#include "instruments.h"
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

}  // namespace sounds
