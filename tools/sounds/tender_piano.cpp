// SPDX-License-Identifier: GPL-3.0-or-later
// "Tender Piano", the music of the regular game: a slow, gentle piece in F major, a singing
// melody over flowing left-hand arpeggios, the pedal down through each chord.
#include <cmath>

#include "instruments.h"
#include "reverb.h"
#include "score.h"
#include "sounds.h"

namespace sounds {
using namespace synth;

namespace {

constexpr int kRate = 22050;
constexpr double kBeat = 60.0 / 70.0;  // 18900 frames, so the loop is a whole number of frames
constexpr double kBeatsPerBar = 4.0;
constexpr int kBars = 16;

// Eight bars that end on the dominant, then eight that climb to the high B flat and fall back,
// ending on the dominant again so that the loop leads home to its first bar.
constexpr const char* kChords =
    "F:4 C/E:4 Dm:4 Bb:4 | F/A:4 Bb:4 Gm7:4 C7sus4:2 C7:2 | "
    "Dm:4 Am7:4 Bb:4 F/A:4 | Gm7:4 Am7:4 Bb:4 C7sus4:2 C7:2";

constexpr const char* kMelody =
    "A4:1 C5:1 F5:1.5 E5:0.5 | D5:1 C5:1 G4:2 | A4:1 D5:1 F5:1.5 E5:0.5 | D5:2 C5:1 Bb4:1 | "
    "A4:1.5 C5:0.5 F5:1 E5:1 | F5:1.5 E5:0.5 D5:2 | Bb4:1 D5:1 F5:1 E5:0.5 D5:0.5 | "
    "G5:1 F5:1 E5:1 C5:1 | "
    "D5:1 F5:1 A5:2 | G5:1 E5:1 C5:1.5 D5:0.5 | D5:1 F5:1 Bb5:2 | A5:1.5 G5:0.5 F5:2 | "
    "D5:1 F5:1 G5:1.5 F5:0.5 | E5:1.5 D5:0.5 C5:2 | Bb4:1 D5:1 F5:1 D5:1 | F5:2 E5:1 G4:1 |";

// How loudly each bar is played: two phrases that swell and settle, the second one fuller.
constexpr double kDynamics[kBars] = {0.48, 0.5,  0.53, 0.5,  0.5,  0.54, 0.56, 0.5,
                                     0.55, 0.58, 0.63, 0.64, 0.58, 0.55, 0.52, 0.47};

double Dynamics(double beat) {
  return kDynamics[static_cast<int>(beat / kBeatsPerBar) % kBars];
}

// Root, fifth, octave (or seventh), tenth, twelfth and back down, from a bass note in the
// piano's warm low octave.
std::vector<int> Arpeggio(const score::Chord& chord) {
  const int bass = score::Above(chord.bass, 36);
  const int fifth = score::Above(chord.root + 7, bass + 3);
  const int octave = score::Above(chord.root + chord.seventh, fifth + 1);
  const int tenth = score::Above(chord.root + chord.third, octave + 1);
  const int twelfth = score::Above(chord.root + 7, tenth + 1);
  return {bass, fifth, octave, tenth, twelfth, tenth, octave, fifth};
}

std::vector<score::Played> Perform() {
  Random human(21);
  // A player's hands are never exactly on the grid nor exactly even.
  auto play = [&](double beat, double held, int midi, double velocity) {
    return score::Played{beat * kBeat + 0.006 * human.Bipolar(), held, midi,
                         velocity * (1.0 + 0.06 * human.Bipolar())};
  };
  std::vector<score::Played> notes;
  for (const score::Chord& chord : score::Chords(kChords)) {
    const std::vector<int> arpeggio = Arpeggio(chord);
    for (int i = 0; i < 2 * chord.beats; ++i) {
      const double beat = chord.beat + 0.5 * i;
      const double held = (chord.beat + chord.beats - beat) * kBeat + 0.05;
      const double accent = i == 0 ? 0.65 : 0.48 + 0.04 * (i % 8 == 4);
      notes.push_back(play(beat, held, arpeggio[i % 8], accent * Dynamics(beat)));
    }
  }
  for (const score::Note& note : score::Line(kMelody, kBeatsPerBar)) {
    notes.push_back(
        play(note.beat, note.beats * kBeat + 0.15, note.midi, 1.1 * Dynamics(note.beat)));
  }
  score::DampRestruck(notes);
  return notes;
}

}  // namespace

Sound TenderPiano() {
  Sound sound(kRate, kBars * kBeatsPerBar * kBeat, true);
  for (const score::Played& note : Perform()) {
    // Heard from the bench: the bass to the left, the treble to the right.
    const double pan = (note.midi - 62) / 90.0;
    sound.Mix(Piano(kRate, MidiToHz(note.midi), note.held, note.velocity), note.start, 1.0, pan);
  }
  AddReverb(sound, 0.7, 0.8, 0.5);
  // The first touch of a loud high note stands far above the rest; rounding it off a little
  // lets the whole piece sit at a fuller level.
  Normalise(sound, 1.15);
  SoftLimit(sound, 0.75);
  Normalise(sound, kMusicPeak);
  return sound;
}

}  // namespace sounds
