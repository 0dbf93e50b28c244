// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds of play on the board.
#include <cmath>

#include "instruments.h"
#include "reverb.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {
constexpr int kRate = 44100;
}

// A rising fifth on the glockenspiel, the upper note lit by its octave: "ding-ding!"
Sound Score() {
  Sound sound(kRate, 1.05, false);
  sound.Mix(Glockenspiel(kRate, MidiToHz(84), 0.9), 0.0, 0.7, -0.2);
  sound.Mix(Glockenspiel(kRate, MidiToHz(91), 0.9), 0.075, 1.0, 0.2);
  sound.Mix(Glockenspiel(kRate, MidiToHz(96), 0.5), 0.075, 0.25, 0.3);
  AddReverb(sound, 0.3, 0.5, 0.3);
  FinishEffect(sound, 0.875, 0.2);
  return sound;
}

// A soft, low, muffled note that sags a little: a gentle "no", not a buzzer.
Sound NoScore() {
  const double length = 0.5;
  Mono voice = Silence(kRate, length);
  double phase = 0.0;
  for (size_t i = 0; i < voice.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += 2.0 * kPi * 146.8 * (1.0 - 0.06 * std::min(1.0, t / 0.35)) / kRate;
    const double tone = std::sin(phase) + 0.5 * std::sin(2.0 * phase) +
                        0.25 * std::sin(3.0 * phase) + 0.1 * std::sin(4.0 * phase);
    voice[i] = static_cast<float>(tone * std::exp(-t / 0.12));
  }
  ApplyFilter(voice, kRate, Filter::Kind::kLow, 700.0, 0.7);
  Attack(voice, kRate, 0.01);
  Sound sound(kRate, length, false);
  sound.Mix(voice, 0.0, 1.0);
  FinishEffect(sound, 0.75, 0.1);
  return sound;
}

// Air past the tiles as they cross: a band of noise that rises and falls in pitch while it
// moves from one side to the other.
Sound Swap() {
  const double length = 0.24;
  Sound sound(kRate, length, false);
  Random random(3);
  Filter left(Filter::Kind::kBand, 1.6), right(Filter::Kind::kBand, 1.6);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    const double x = static_cast<double>(i) / sound.Frames();
    // Time runs a little faster early on, so the swish comes quickly and trails away.
    const double warped = std::pow(x, 0.7);
    const double swell = std::pow(std::sin(kPi * warped), 2.0);
    const double hz = 700.0 + 4500.0 * swell;
    left.Tune(kRate, hz);
    right.Tune(kRate, hz);
    const double pan = 0.5 + 0.4 * std::cos(kPi * warped);  // from the left to the right
    sound.left[i] = static_cast<float>(swell * pan * left.Process(random.Bipolar()));
    sound.right[i] = static_cast<float>(swell * (1.0 - pan) * right.Process(random.Bipolar()));
  }
  FinishEffect(sound, 0.625, 0.02);
  return sound;
}

// Brass: a quick call up the chord, then the full chord held over a timpani stroke.
Sound Fanfare() {
  struct Call {
    double at, held;
    int midi;
  };
  const Call calls[] = {
      {0.0, 0.08, 67}, {0.1, 0.08, 72}, {0.2, 0.08, 76}, {0.3, 0.16, 79}, {0.5, 0.07, 76},
  };
  const double chordAt = 0.6, chordHeld = 1.0;
  Sound sound(kRate, 2.0, false);
  for (const Call& call : calls) {
    sound.Mix(Brass(kRate, MidiToHz(call.midi), call.held, 0.85), call.at, 0.5, 0.1);
  }
  sound.Mix(Brass(kRate, MidiToHz(79), chordHeld, 0.95), chordAt, 0.55, 0.1);
  const int chord[] = {48, 55, 60, 64, 67, 72};
  for (int i = 0; i < 6; ++i) {
    sound.Mix(Brass(kRate, MidiToHz(chord[i]), chordHeld, 0.75), chordAt + 0.004 * i, 0.22,
              -0.5 + 0.2 * i);
  }
  Random random(4);
  sound.Mix(Drum(kRate, {65.4, 1.2, 0.08, 0.15, 400.0}, random), chordAt, 0.7, 0.0);
  AddReverb(sound, 0.35, 0.6, 0.4);
  FinishEffect(sound, 1.0, 0.35);
  return sound;
}

}  // namespace sounds
