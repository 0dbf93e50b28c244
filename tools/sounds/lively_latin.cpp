// SPDX-License-Identifier: GPL-3.0-or-later
// "Lively Latin", the music of the race against the clock: an upbeat son montuno in G major.
// Clave, congas, shaker and cowbell; a bass that anticipates each chord; a syncopated piano
// montuno; and a flute that sings the tune.
#include <cmath>
#include <cstdlib>
#include <map>

#include "instruments.h"
#include "reverb.h"
#include "score.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {

constexpr int kRate = 22050;
constexpr double kBeat = 60.0 / 126.0;  // 10500 frames, so the loop is a whole number of frames
constexpr double kStep = kBeat / 4.0;   // the sixteenth note, the grid of the percussion
constexpr double kBeatsPerBar = 4.0;
constexpr int kBars = 28;
constexpr int kCowbellFrom = 12;  // the bell joins when the tune reaches its second part

// Four bars of groove, the tune over I-IV-V-IV, a middle part in the relative minor, the tune
// again; then the groove leads back to the start.
const std::string kChords = score::Repeat("G:4 C:4 D7:4 C:4", 3) +
                            "Em:4 Am:4 D7:4 G:4 Em:4 Am:4 D7:4 D7:4 " +
                            score::Repeat("G:4 C:4 D7:4 C:4", 2);

constexpr const char* kTuneStart =
    "D5:0.5 G5:0.5 B5:1 A5:0.5 G5:0.5 r:1 | r:0.5 E5:0.5 G5:0.5 C6:1 B5:0.5 A5:1 | "
    "F#5:1 A5:0.5 C6:1 B5:0.5 A5:1 | G5:1.5 E5:0.5 G5:2 | "
    "D5:0.5 G5:0.5 B5:1 D6:0.5 B5:0.5 r:1 | r:0.5 C6:0.5 E6:1 D6:0.5 C6:0.5 A5:1 | "
    "B5:0.5 A5:0.5 F#5:1 A5:0.5 D5:0.5 F#5:1 | ";
constexpr const char* kTuneOn = "A5:1.5 G5:0.5 E5:1 r:1 | ";
constexpr const char* kTuneEnd = "A5:0.5 G5:0.5 E5:0.5 D5:0.5 G5:1 r:1 | ";
constexpr const char* kMiddle =
    "B5:1.5 G5:0.5 E5:1 G5:1 | A5:0.5 C6:1 B5:0.5 A5:1 E5:1 | "
    "F#5:0.5 A5:0.5 D6:1 C6:0.5 A5:0.5 F#5:1 | G5:2 r:0.5 D5:0.5 G5:0.5 A5:0.5 | "
    "B5:1.5 G5:0.5 E6:1 D6:0.5 B5:0.5 | C6:1 A5:0.5 E5:0.5 A5:1 C6:1 | "
    "D6:0.5 C6:0.5 A5:1 F#5:0.5 A5:0.5 C6:1 | B5:0.5 A5:0.5 F#5:0.5 D5:0.5 F#5:1 A5:1 | ";
const std::string kMelody =
    std::string("r:16 | ") + kTuneStart + kTuneOn + kMiddle + kTuneStart + kTuneEnd;

// The percussion, one bar to a line in sixteenths, a pair of bars at a time. Clave: 2-3 son
// clave. Congas, the tumbao: h heel and t toe (muted), s slap, o open conga, O open tumba.
constexpr const char* kClave[2] = {"....x...x.......", "x.....x.....x..."};
constexpr const char* kCongas[2] = {"h.t.s.t.h.t.o.o.", "h.t.s.t.h.t.o.O."};
// The shaker plays every sixteenth, pushing the off-beats.
constexpr double kShaker[4] = {0.6, 0.35, 1.0, 0.35};

class Band {
 public:
  Band() : m_sound(kRate, kBars * kBeatsPerBar * kBeat, true), m_human(31) {}

  void Percussion();
  void Bass(const std::vector<score::Chord>& chords);
  void Montuno(const std::vector<score::Chord>& chords);
  void Flute();
  Sound Finish();

 private:
  // Places a hit on the grid of sixteenths, a hair early or late and a little louder or softer.
  void Hit(const Mono& voice, int step, double gain, double pan) {
    m_sound.Mix(voice, step * kStep + 0.003 * m_human.Bipolar(),
                gain * (1.0 + 0.1 * m_human.Bipolar()), pan);
  }

  Sound m_sound;
  Random m_human;
};

void Band::Percussion() {
  Random random(32);
  const Mono clave = Clave(kRate);
  const Mono cowbell = Cowbell(kRate);
  const Mono heel = Drum(kRate, {180.0, 0.05, 0.1, 0.3, 700.0}, random);
  const Mono toe = Drum(kRate, {220.0, 0.04, 0.05, 0.5, 1800.0}, random);
  const Mono slap = Drum(kRate, {330.0, 0.08, 0.1, 1.0, 2500.0}, random);
  const Mono conga = Drum(kRate, {200.0, 0.35, 0.15, 0.25, 1500.0}, random);
  const Mono tumba = Drum(kRate, {150.0, 0.4, 0.15, 0.2, 1200.0}, random);
  const Mono shakers[3] = {Shaker(kRate, random), Shaker(kRate, random), Shaker(kRate, random)};
  for (int bar = 0; bar < kBars; ++bar) {
    for (int s = 0; s < 16; ++s) {
      const int step = 16 * bar + s;
      if (kClave[bar % 2][s] == 'x') Hit(clave, step, 0.26, -0.35);
      switch (kCongas[bar % 2][s]) {
        case 'h':
          Hit(heel, step, 0.3, 0.3);
          break;
        case 't':
          Hit(toe, step, 0.22, 0.3);
          break;
        case 's':
          Hit(slap, step, 0.36, 0.3);
          break;
        case 'o':
          Hit(conga, step, 0.48, 0.3);
          break;
        case 'O':
          Hit(tumba, step, 0.54, 0.4);
          break;
      }
      Hit(shakers[m_human.Next() % 3], step, 0.08 * kShaker[s % 4], 0.55);
      if (bar >= kCowbellFrom && s % 4 == 0) Hit(cowbell, step, s % 8 ? 0.07 : 0.12, -0.2);
    }
  }
}

// The tumbao: nothing on the one; the fifth on the and of two, and on four the root of the
// chord to come, held over the bar line.
void Band::Bass(const std::vector<score::Chord>& chords) {
  for (size_t i = 0; i < chords.size(); ++i) {
    const score::Chord& now = chords[i];
    const score::Chord& next = chords[(i + 1) % chords.size()];
    const int fifth = score::Above(now.root + 7, 35);
    const int coming = score::Above(next.root, 35);
    const int bar = 16 * static_cast<int>(i);
    Hit(synth::Bass(kRate, MidiToHz(fifth), 1.4 * kBeat, 0.7), bar + 6, 0.32, 0.0);
    Hit(synth::Bass(kRate, MidiToHz(coming), 2.4 * kBeat, 0.9), bar + 12, 0.35, 0.0);
  }
}

// The tone of the chord, in the montuno's octave, nearest to `top`.
int Nearest(const score::Chord& chord, int top) {
  int best = -1;
  for (int midi = 64; midi <= 77; ++midi) {
    if (chord.Has(midi % 12) && (best < 0 || std::abs(midi - top) < std::abs(best - top))) {
      best = midi;
    }
  }
  return best;
}

// Octaves on the three-three-two of the bar, the chord between them, the last chord of each
// bar already the next bar's. The top voice moves as little as it can from chord to chord.
void Band::Montuno(const std::vector<score::Chord>& chords) {
  constexpr const char* kPattern = "oc.oc.oc";
  // The same few keys come back all the time, struck the same way: each is rendered once.
  std::map<std::pair<int, double>, Mono> keysDone;
  int top = 74;
  for (size_t i = 0; i < chords.size(); ++i) {
    for (int slot = 0; slot < 8; ++slot) {
      if (kPattern[slot] == '.') continue;
      const score::Chord& chord = chords[(i + (slot == 7)) % chords.size()];
      top = Nearest(chord, top);
      std::vector<int> keys = {top - 12, top};
      if (kPattern[slot] == 'c') {
        keys.clear();
        for (int midi = top - 11; midi < top; ++midi) {
          if (chord.Has(midi % 12)) keys.push_back(midi);
        }
      }
      const int step = 16 * static_cast<int>(i) + 2 * slot;
      const double held = kPattern[slot] == 'o' ? 0.22 : 0.16;
      for (int key : keys) {
        auto [it, isNew] = keysDone.try_emplace({key, held});
        if (isNew) it->second = Piano(kRate, MidiToHz(key), held, 0.72);
        Hit(it->second, step, 0.42, -0.25);
      }
    }
  }
}

void Band::Flute() {
  Random breath(33);
  for (const score::Note& note : score::Line(kMelody, kBeatsPerBar)) {
    const double held = note.beats * kBeat - 0.04;
    m_sound.Mix(synth::Flute(kRate, MidiToHz(note.midi), held, 0.75, breath), note.beat * kBeat,
                0.25, 0.1);
  }
}

Sound Band::Finish() {
  AddReverb(m_sound, 0.45, 0.5, 0.5);
  // Rounds off the rare pile-up of drum hits so that the band as a whole can be louder.
  Normalise(m_sound, 1.1);
  SoftLimit(m_sound, 0.7);
  Normalise(m_sound, kMusicPeak);
  return std::move(m_sound);
}

}  // namespace

Sound LivelyLatin() {
  const std::vector<score::Chord> chords = score::Chords(kChords);
  Band band;
  band.Percussion();
  band.Bass(chords);
  band.Montuno(chords);
  band.Flute();
  return band.Finish();
}

}  // namespace sounds
