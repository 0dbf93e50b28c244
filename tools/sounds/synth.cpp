// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace synth {

uint64_t Random::Next() {
  uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Random::Uniform() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double Random::Bipolar() {
  return 2.0 * Uniform() - 1.0;
}

Sound::Sound(int rate_, double seconds, bool looping_)
    : rate(rate_),
      looping(looping_),
      left(static_cast<size_t>(std::lround(seconds * rate_)), 0.0f),
      right(left.size(), 0.0f) {}

long Sound::Frame(double seconds) const {
  return std::lround(seconds * rate);
}

void Sound::Mix(const Mono& voice, double startSeconds, double gain, double pan) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
  const float gl = static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0));
  const float gr = static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0));
  const long n = static_cast<long>(Frames());
  long at = Frame(startSeconds);
  if (looping) at = ((at % n) + n) % n;
  for (size_t i = 0; i < voice.size(); ++i, ++at) {
    if (at >= n) {
      if (!looping) break;
      at = 0;
    }
    if (at < 0) continue;
    left[at] += voice[i] * gl;
    right[at] += voice[i] * gr;
  }
}

double MidiToHz(double midi) {
  return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

Mono Silence(int rate, double seconds) {
  return Mono(static_cast<size_t>(std::lround(seconds * rate)), 0.0f);
}

Mono Noise(int rate, double seconds, Random& random) {
  Mono voice = Silence(rate, seconds);
  for (float& v : voice) v = static_cast<float>(random.Bipolar());
  return voice;
}

void Filter::Tune(int rate, double hz) {
  const double g = std::tan(kPi * std::clamp(hz, 10.0, 0.49 * rate) / rate);
  m_a1 = 1.0 / (1.0 + g * (g + m_k));
  m_a2 = g * m_a1;
  m_a3 = g * m_a2;
}

float Filter::Process(float in) {
  const double v3 = in - m_s2;
  const double v1 = m_a1 * m_s1 + m_a2 * v3;
  const double v2 = m_s2 + m_a2 * m_s1 + m_a3 * v3;
  m_s1 = 2.0 * v1 - m_s1;
  m_s2 = 2.0 * v2 - m_s2;
  switch (m_kind) {
    case Kind::kLow:
      return static_cast<float>(v2);
    case Kind::kBand:
      return static_cast<float>(v1);
    case Kind::kHigh:
      break;
  }
  return static_cast<float>(in - m_k * v1 - v2);
}

void ApplyFilter(Mono& voice, int rate, Filter::Kind kind, double hz, double q) {
  Filter filter(kind, q);
  filter.Tune(rate, hz);
  for (float& v : voice) v = filter.Process(v);
}

void Attack(Mono& voice, int rate, double seconds) {
  const size_t n = std::min(voice.size(), static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < n; ++i) {
    voice[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / n));
  }
}

void Release(Mono& voice, int rate, double atSeconds, double t60) {
  const double step = std::pow(0.001, 1.0 / (t60 * rate));
  double gain = 1.0;
  for (size_t i = static_cast<size_t>(std::max(0.0, atSeconds * rate)); i < voice.size(); ++i) {
    voice[i] *= static_cast<float>(gain);
    gain *= step;
  }
}

double Peak(const Sound& sound) {
  float peak = 0.0f;
  for (size_t i = 0; i < sound.Frames(); ++i) {
    peak = std::max({peak, std::fabs(sound.left[i]), std::fabs(sound.right[i])});
  }
  return peak;
}

void Normalise(Sound& sound, double peak) {
  const double now = Peak(sound);
  if (now <= 0.0) return;
  const float gain = static_cast<float>(peak / now);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sound.left[i] *= gain;
    sound.right[i] *= gain;
  }
}

// Above the knee the curve bends smoothly toward 1, so the odd loud coincidence of hits is
// rounded off instead of lowering the level of the whole piece.
void SoftLimit(Sound& sound, double knee) {
  auto limit = [knee](float& v) {
    const double a = std::fabs(v);
    if (a <= knee) return;
    const double over = (a - knee) / (1.0 - knee);
    v = static_cast<float>(std::copysign(knee + (1.0 - knee) * std::tanh(over), v));
  };
  for (size_t i = 0; i < sound.Frames(); ++i) {
    limit(sound.left[i]);
    limit(sound.right[i]);
  }
}

// Raised-cosine ramps that reach exactly zero on the first and the last frame.
void FadeEdges(Sound& sound, double inSeconds, double outSeconds) {
  const size_t n = sound.Frames();
  if (n < 2) return;
  const size_t in = std::min(n, static_cast<size_t>(inSeconds * sound.rate) + 1);
  const size_t out = std::min(n, static_cast<size_t>(outSeconds * sound.rate) + 1);
  for (size_t i = 0; i < in; ++i) {
    const float g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / (in - 1)));
    sound.left[i] *= g;
    sound.right[i] *= g;
  }
  for (size_t i = 0; i < out; ++i) {
    const float g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / (out - 1)));
    sound.left[n - 1 - i] *= g;
    sound.right[n - 1 - i] *= g;
  }
}

bool WriteAiff(const Sound& sound, const std::string& path) {
  SF_INFO info{};
  info.samplerate = sound.rate;
  info.channels = 2;
  info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  // Our own rounding, so that the bytes do not depend on the library's float conversion.
  std::vector<short> frames(2 * sound.Frames());
  auto quantise = [](float v) {
    return static_cast<short>(std::lround(std::clamp(v * 32767.0f, -32767.0f, 32767.0f)));
  };
  for (size_t i = 0; i < sound.Frames(); ++i) {
    frames[2 * i] = quantise(sound.left[i]);
    frames[2 * i + 1] = quantise(sound.right[i]);
  }
  const sf_count_t written = sf_writef_short(file, frames.data(), sound.Frames());
  return sf_close(file) == 0 && written == static_cast<sf_count_t>(sound.Frames());
}

}  // namespace synth
