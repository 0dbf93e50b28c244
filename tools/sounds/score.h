// SPDX-License-Identifier: GPL-3.0-or-later
// A small written notation for the music, so that the tunes read as tunes in the source.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace score {

// A written note: where it starts and how long it lasts, in beats from the start of the piece.
struct Note {
  double beat, beats;
  int midi;
};

// "C4" is middle C (MIDI 60); flats and sharps are written "Bb3", "F#5".
int Pitch(std::string_view name);

// A line of "pitch:beats" tokens; "r:beats" is a rest and "|" a bar line, which is only read
// as a check that the bar before it is full: "A4:1 C5:1 F5:1.5 E5:0.5 | D5:1 ...".
std::vector<Note> Line(std::string_view text, double beatsPerBar);

// A chord symbol and the beats it lasts: "F:4", "Dm:4", "C7:2", "Gm7:4", "Bbmaj7:4", "Csus4:2",
// "C7sus4:2", "C/E:4" (C over E in the bass).
struct Chord {
  double beat, beats;
  int root, bass;  // pitch classes, 0 = C
  int third;       // above the root in semitones: 4, 3, or 5 for a suspended fourth
  int seventh;     // 10, 11, or 0 for none
  bool Has(int pitchClass) const;
};
std::vector<Chord> Chords(std::string_view text);

// The lowest MIDI note of a pitch class at or above `floor`.
int Above(int pitchClass, int floor);

// A note as it is played: its start and how long the key is held, in seconds.
struct Played {
  double start, held;
  int midi;
  double velocity;
};

// A string struck again is damped first: each note is let go where its key is played again.
void DampRestruck(std::vector<Played>& notes);

// `text` written `times` times over.
std::string Repeat(std::string_view text, int times);

}  // namespace score
