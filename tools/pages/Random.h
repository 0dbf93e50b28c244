// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The pages must come out byte for byte the same at every build, so every random choice comes
// from this generator with a fixed seed rather than from rand() or the clock.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(Mix(seed)) {}

  // xorshift64*
  uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }

  // In [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

  // splitmix64: spreads nearby seeds (and lattice coordinates) over the whole state space, and
  // never yields the all-zero state that xorshift cannot leave.
  static uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x != 0 ? x : 1;
  }

 private:
  uint64_t state_;
};
