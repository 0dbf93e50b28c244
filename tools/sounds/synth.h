// SPDX-License-Identifier: GPL-3.0-or-later
// The building blocks of the game's sounds: a seeded noise source, a stereo buffer that notes are
// mixed into, simple filters and the finishing steps (level, fades, AIFF output).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;

// One voice before it is placed in the stereo field.
using Mono = std::vector<float>;

// SplitMix64: every sound owns one with a fixed seed, so that the files come out byte for byte
// the same on every build and a change to one sound does not alter the others.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed) {}
  uint64_t Next();
  double Uniform();  // [0, 1)
  double Bipolar();  // [-1, 1)

 private:
  uint64_t m_state;
};

// A stereo sound being built. A looping sound is a circle: whatever is mixed past its end comes
// back in at its start, so that a note ringing over the loop point is heard when the loop
// starts again and the last sample joins the first.
struct Sound {
  Sound(int rate, double seconds, bool looping);

  size_t Frames() const { return left.size(); }
  long Frame(double seconds) const;

  // pan runs from -1 (left) to 1 (right), with equal power across the field.
  void Mix(const Mono& voice, double startSeconds, double gain, double pan = 0.0);

  int rate;
  bool looping;
  std::vector<float> left, right;
};

double MidiToHz(double midi);
Mono Silence(int rate, double seconds);
Mono Noise(int rate, double seconds, Random& random);

// Chamberlin-style state-variable filter in its trapezoidal (zero-delay) form, which stays stable
// while its cutoff sweeps.
class Filter {
 public:
  enum class Kind { kLow, kBand, kHigh };
  Filter(Kind kind, double q) : m_kind(kind), m_k(1.0 / q) {}
  void Tune(int rate, double hz);
  float Process(float in);

 private:
  Kind m_kind;
  double m_k;
  double m_a1 = 0, m_a2 = 0, m_a3 = 0, m_s1 = 0, m_s2 = 0;
};
void ApplyFilter(Mono& voice, int rate, Filter::Kind kind, double hz, double q);

// Envelope helpers on a finished voice.
void Attack(Mono& voice, int rate, double seconds);
void Release(Mono& voice, int rate, double atSeconds, double t60);

// Finishing: level, soft limiting, fades to exact silence, and the AIFF file.
double Peak(const Sound& sound);
void Normalise(Sound& sound, double peak);
void SoftLimit(Sound& sound, double knee);
void FadeEdges(Sound& sound, double inSeconds, double outSeconds);
bool WriteAiff(const Sound& sound, const std::string& path);

}  // namespace synth
