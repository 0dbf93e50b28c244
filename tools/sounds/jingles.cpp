// SPDX-License-Identifier: GPL-3.0-or-later
// The short tunes of the game's moments: options, a new game, a best score.
#include "instruments.h"
#include "reverb.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {
constexpr int kRate = 44100;
}

// Marimba, up the chord and a friendly two-note close.
Sound Controls() {
  Sound sound(kRate, 0.95, false);
  const int tune[] = {76, 79, 84};
  for (int i = 0; i < 3; ++i) {
    sound.Mix(Marimba(kRate, MidiToHz(tune[i]), 0.8), 0.085 * i, 0.8, -0.3 + 0.3 * i);
  }
  sound.Mix(Marimba(kRate, MidiToHz(79), 0.6), 0.3, 0.6, -0.2);
  sound.Mix(Marimba(kRate, MidiToHz(84), 0.7), 0.3, 0.7, 0.2);
  AddReverb(sound, 0.25, 0.4, 0.4);
  FinishEffect(sound, 0.8125, 0.15);
  return sound;
}

// A harp sweeps up the pentatonic scale and lands on a bright top note: off we go.
Sound Starter() {
  Sound sound(kRate, 1.4, false);
  Random random(11);
  const int scale[] = {60, 62, 64, 67, 69, 72, 74, 76, 79, 81, 84};
  const double step = 0.035;
  // The strings ring on past the end, where the closing fade lets them go.
  for (int i = 0; i < 11; ++i) {
    sound.Mix(Pluck(kRate, MidiToHz(scale[i]), 1.4, random), step * i, 0.5, -0.6 + 0.12 * i);
  }
  sound.Mix(Glockenspiel(kRate, MidiToHz(96), 0.9), step * 10, 0.3, 0.5);
  AddReverb(sound, 0.35, 0.6, 0.3);
  FinishEffect(sound, 0.875, 0.25);
  return sound;
}

// Glockenspiel up the chord, then a shimmering vibraphone chord with a little twinkle on top.
Sound HiScore() {
  Sound sound(kRate, 1.6, false);
  const int arpeggio[] = {84, 88, 91, 96};
  for (int i = 0; i < 4; ++i) {
    sound.Mix(Glockenspiel(kRate, MidiToHz(arpeggio[i]), 0.7), 0.08 * i, 0.6, -0.4 + 0.25 * i);
  }
  const double chordAt = 0.32;
  const int chord[] = {60, 64, 67, 72, 76};
  for (int i = 0; i < 5; ++i) {
    sound.Mix(Vibraphone(kRate, MidiToHz(chord[i]), 1.2), chordAt, 0.35, -0.4 + 0.2 * i);
  }
  for (int i = 0; i < 6; ++i) {
    sound.Mix(Glockenspiel(kRate, MidiToHz(i % 2 ? 103 : 100), 0.4), chordAt + 0.06 * i,
              0.25 - 0.035 * i, 0.4);
  }
  AddReverb(sound, 0.35, 0.6, 0.3);
  FinishEffect(sound, 0.9375, 0.3);
  return sound;
}

}  // namespace sounds
