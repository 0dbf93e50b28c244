// SPDX-License-Identifier: GPL-3.0-or-later
#include "reverb.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace synth {
namespace {

// Freeverb's delay lengths at 44.1 kHz: mutually prime so that the echoes do not pile up into
// a metallic ring.
constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllpasses = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;

class Delay {
 public:
  explicit Delay(size_t length) : m_buffer(std::max<size_t>(1, length), 0.0f) {}
  float Read() const { return m_buffer[m_at]; }
  void Write(float v) {
    m_buffer[m_at] = v;
    if (++m_at == m_buffer.size()) m_at = 0;
  }

 private:
  std::vector<float> m_buffer;
  size_t m_at = 0;
};

class Channel {
 public:
  Channel(int rate, int spread, float feedback, float damping)
      : m_feedback(feedback), m_damping(damping) {
    const double scale = rate / 44100.0;
    for (int length : kCombs) m_combs.emplace_back(std::lround((length + spread) * scale));
    for (int length : kAllpasses) m_allpasses.emplace_back(std::lround((length + spread) * scale));
    m_lowpass.assign(m_combs.size(), 0.0f);
  }

  float Process(float in) {
    float out = 0.0f;
    for (size_t c = 0; c < m_combs.size(); ++c) {
      const float echo = m_combs[c].Read();
      m_lowpass[c] = echo * (1.0f - m_damping) + m_lowpass[c] * m_damping;
      m_combs[c].Write(in + m_lowpass[c] * m_feedback);
      out += echo;
    }
    for (Delay& allpass : m_allpasses) {
      const float echo = allpass.Read();
      allpass.Write(out + echo * 0.5f);
      out = echo - out;
    }
    return out;
  }

 private:
  float m_feedback, m_damping;
  std::vector<Delay> m_combs, m_allpasses;
  std::vector<float> m_lowpass;
};

}  // namespace

void AddReverb(Sound& sound, double wet, double roomSize, double damping) {
  const float feedback = static_cast<float>(0.7 + 0.28 * roomSize);
  const float damp = static_cast<float>(0.4 * damping);
  Channel left(sound.rate, 0, feedback, damp);
  Channel right(sound.rate, kStereoSpread, feedback, damp);
  // Eight combs in parallel add up: at wet 1 this makes a room a little quieter than its input.
  const float gain = static_cast<float>(0.015 * wet);
  if (sound.looping) {
    for (size_t i = 0; i < sound.Frames(); ++i) {
      const float in = (sound.left[i] + sound.right[i]) * gain;
      left.Process(in);
      right.Process(in);
    }
  }
  for (size_t i = 0; i < sound.Frames(); ++i) {
    const float in = (sound.left[i] + sound.right[i]) * gain;
    sound.left[i] += left.Process(in);
    sound.right[i] += right.Process(in);
  }
}

}  // namespace synth
