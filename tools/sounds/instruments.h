// SPDX-License-Identifier: GPL-3.0-or-later
// The instruments of the game's sounds and music. Each returns one mono note, from its first
// sample to the end of its ring, for the caller to place in a Sound.
#pragma once

#include <vector>

#include "synth.h"

namespace synth {

// One vibrating mode of a struck body: its frequency as a multiple of the note's, its level, and
// the time in which it dies away by 60 dB.
struct Mode {
  double ratio, level, t60;
};

// Struck and plucked: sums of decaying sines. `held` is how long the key or string is held
// before the damper falls; `velocity` runs from 0 (softest) to 1.
Mono Modal(int rate, double hz, const std::vector<Mode>& modes, double seconds);
Mono Piano(int rate, double hz, double held, double velocity);
Mono Glockenspiel(int rate, double hz, double seconds);
Mono Marimba(int rate, double hz, double velocity);
Mono Vibraphone(int rate, double hz, double seconds);
Mono Bass(int rate, double hz, double held, double velocity);
Mono Pluck(int rate, double hz, double seconds, Random& random);

// Blown: sustained tones whose colour follows their loudness.
Mono Brass(int rate, double hz, double held, double velocity);
Mono Flute(int rate, double hz, double held, double velocity, Random& random);

// Hand percussion for the latin groove.
struct DrumTone {
  double hz, t60, bend, noise, noiseHz;
};
Mono Drum(int rate, const DrumTone& tone, Random& random);
Mono Clave(int rate);
Mono Cowbell(int rate);
Mono Shaker(int rate, Random& random);

}  // namespace synth
