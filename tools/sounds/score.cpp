// SPDX-License-Identifier: GPL-3.0-or-later
#include "score.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace score {
namespace {

std::vector<std::string> Tokens(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

// Splits "name:beats".
std::pair<std::string, double> Timed(const std::string& token) {
  const size_t colon = token.find(':');
  if (colon == std::string::npos) throw std::invalid_argument("no length in '" + token + "'");
  return {token.substr(0, colon), std::stod(token.substr(colon + 1))};
}

// Reads a note name ("C", "Bb", "F#") at the front of `text` and removes it.
int PitchClass(std::string_view& text) {
  static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (text.empty() || text[0] < 'A' || text[0] > 'G') {
    throw std::invalid_argument("no note name in '" + std::string(text) + "'");
  }
  int pc = kNatural[text[0] - 'A'];
  text.remove_prefix(1);
  if (!text.empty() && (text[0] == 'b' || text[0] == '#')) {
    pc += text[0] == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  return (pc + 12) % 12;
}

}  // namespace

int Pitch(std::string_view name) {
  const std::string_view whole = name;
  const int pc = PitchClass(name);
  // The octave belongs to the letter: B#3 is C4 and Cb4 is B3.
  const int letter = whole[0] == 'C' && pc == 11 ? -1 : (whole[0] == 'B' && pc == 0 ? 1 : 0);
  if (name.empty()) throw std::invalid_argument("no octave in '" + std::string(whole) + "'");
  return 12 * (std::stoi(std::string(name)) + 1 + letter) + pc;
}

std::vector<Note> Line(std::string_view text, double beatsPerBar) {
  std::vector<Note> notes;
  double beat = 0.0;
  for (const std::string& token : Tokens(text)) {
    if (token == "|") {
      if (std::fmod(beat, beatsPerBar) > 1e-9) {
        throw std::invalid_argument("bar ending at beat " + std::to_string(beat) + " is not full");
      }
      continue;
    }
    const auto [name, beats] = Timed(token);
    if (name != "r") notes.push_back({beat, beats, Pitch(name)});
    beat += beats;
  }
  return notes;
}

bool Chord::Has(int pitchClass) const {
  const int interval = ((pitchClass - root) % 12 + 12) % 12;
  return interval == 0 || interval == third || interval == 7 || (seventh && interval == seventh);
}

std::vector<Chord> Chords(std::string_view text) {
  std::vector<Chord> chords;
  double beat = 0.0;
  for (const std::string& token : Tokens(text)) {
    if (token == "|") continue;
    const auto [symbol, beats] = Timed(token);
    std::string_view rest = symbol;
    Chord chord{beat, beats, PitchClass(rest), 0, 4, 0};
    chord.bass = chord.root;
    const size_t slash = rest.find('/');
    std::string_view kind = rest.substr(0, slash);
    if (slash != std::string_view::npos) {
      std::string_view bass = rest.substr(slash + 1);
      chord.bass = PitchClass(bass);
    }
    if (kind.starts_with("maj7")) {
      chord.seventh = 11;
      kind.remove_prefix(4);
    } else if (kind.starts_with("m")) {
      chord.third = 3;
      kind.remove_prefix(1);
    }
    if (kind.starts_with("7")) {
      chord.seventh = 10;
      kind.remove_prefix(1);
    }
    if (kind == "sus4") {
      chord.third = 5;
    } else if (!kind.empty()) {
      throw std::invalid_argument("unknown chord '" + symbol + "'");
    }
    chords.push_back(chord);
    beat += beats;
  }
  return chords;
}

int Above(int pitchClass, int floor) {
  return floor + ((pitchClass - floor) % 12 + 12) % 12;
}

void DampRestruck(std::vector<Played>& notes) {
  for (Played& note : notes) {
    for (const Played& later : notes) {
      if (later.midi == note.midi && later.start > note.start) {
        note.held = std::min(note.held, later.start - note.start);
      }
    }
  }
}

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) (out += text) += ' ';
  return out;
}

}  // namespace score
