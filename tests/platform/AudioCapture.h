// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the game mixes, captured through SDL's disk audio driver, and small real AIFF files for
// tests, written into the build's resource folders under names no other test uses.

#include <gtest/gtest.h>
#include <sndfile.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"

namespace audiotest {

// The output format the game opens: 44.1 kHz, interleaved signed 16-bit stereo.
constexpr int kRate = 44100;
constexpr size_t kBytesPerFrame = 4;

inline size_t Frames(double seconds) {
  return static_cast<size_t>(seconds * kRate);
}

// The audio and preference environment of this test process. The audio output is opened once
// per process, so the first test that asks decides how; a test that needs the other kind skips.
class Environment {
 public:
  enum Kind { kCapture, kNoOutput };

  // True when this process's audio is (or will be) of the asked kind.
  static bool Use(Kind kind) {
    static Environment env(kind);
    return env.m_kind == kind;
  }

  static std::string CaptureFile() { return Dir().File("capture.raw"); }

 private:
  explicit Environment(Kind kind) : m_kind(kind) {
    setenv("XDG_CONFIG_HOME", Dir().File("config").c_str(), 1);
    if (kind == kCapture) {
      setenv("SDL_AUDIODRIVER", "disk", 1);
      setenv("SDL_DISKAUDIOFILE", CaptureFile().c_str(), 1);
    } else {
      setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    }
  }
  static TempDir& Dir() {
    static TempDir dir;
    return dir;
  }
  Kind m_kind;
};

// Frames captured so far; a mark taken before an action.
inline size_t Mark() {
  struct stat st;
  if (stat(Environment::CaptureFile().c_str(), &st) != 0) return 0;
  return static_cast<size_t>(st.st_size) / kBytesPerFrame;
}

inline void Sleep(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Waits until count frames have been captured after mark. The output runs at about real time,
// but a loaded machine may slow it down, so this waits for frames, not for a time.
inline void WaitFrames(size_t mark, size_t count) {
  for (int i = 0; i < 3000 && Mark() < mark + count; ++i) Sleep(0.01);
}

// The captured frames [from, to) as mono samples in [-1, 1].
inline std::vector<float> Mono(size_t from, size_t to = SIZE_MAX) {
  std::ifstream in(Environment::CaptureFile(), std::ios::binary);
  std::vector<float> out;
  if (!in) return out;
  in.seekg(static_cast<std::streamoff>(from * kBytesPerFrame));
  int16_t frame[2];
  for (size_t i = from; i < to && in.read(reinterpret_cast<char*>(frame), sizeof(frame)); ++i)
    out.push_back((frame[0] + frame[1]) / 65536.0f);
  return out;
}

inline float Peak(const std::vector<float>& v, size_t from = 0, size_t to = SIZE_MAX) {
  float peak = 0;
  for (size_t i = from; i < v.size() && i < to; ++i) peak = std::max(peak, std::fabs(v[i]));
  return peak;
}

// The first sample whose magnitude reaches share of the peak: the same point of a sound played
// at two volumes. v.size() when there is none.
inline size_t Onset(const std::vector<float>& v, float share = 0.1f) {
  const float threshold = share * Peak(v);
  for (size_t i = 0; i < v.size(); ++i)
    if (threshold > 0 && std::fabs(v[i]) >= threshold) return i;
  return v.size();
}

// Normalised correlation of a[ia, ia + n) with b[ib, ib + n): 1 for the same shape at any
// volume; 0 when either part is silent or out of range.
inline double Correlation(const std::vector<float>& a, size_t ia, const std::vector<float>& b,
                          size_t ib, size_t n) {
  if (ia + n > a.size() || ib + n > b.size()) return 0;
  // Plain pointers: this runs millions of times, also in the unoptimised sanitizer build.
  const float* pa = a.data() + ia;
  const float* pb = b.data() + ib;
  double ab = 0, aa = 0, bb = 0;
  for (size_t i = 0; i < n; ++i) {
    ab += double(pa[i]) * pb[i];
    aa += double(pa[i]) * pa[i];
    bb += double(pb[i]) * pb[i];
  }
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// The frame count frames before at, or 0.
inline size_t Before(size_t at, size_t count) {
  return at - std::min(at, count);
}

struct Match {
  size_t at = 0;
  double correlation = 0;
};

// Where in b, from ib on within span frames, the part a[ia, ia + n) fits best.
inline Match BestMatch(const std::vector<float>& a, size_t ia, const std::vector<float>& b,
                       size_t ib, size_t span, size_t n) {
  Match best;
  for (size_t at = ib; at <= ib + span; ++at) {
    const double c = Correlation(a, ia, b, at, n);
    if (c > best.correlation) best = {at, c};
  }
  return best;
}

// Least-squares gain g with b ≈ g × a over the two parts.
inline double Gain(const std::vector<float>& a, size_t ia, const std::vector<float>& b, size_t ib,
                   size_t n) {
  double ab = 0, aa = 0;
  for (size_t i = 0; i < n && ia + i < a.size() && ib + i < b.size(); ++i) {
    ab += double(a[ia + i]) * b[ib + i];
    aa += double(a[ia + i]) * a[ia + i];
  }
  return aa > 0 ? ab / aa : 0;
}

// A file of this test's own in <resources>/<folder>, removed again when the object goes.
class Resource {
 public:
  Resource(const char* folder, const std::string& tag) {
    const std::filesystem::path dir = std::filesystem::path(QM_RESOURCE_DIR) / folder;
    std::filesystem::create_directories(dir);
    m_name = "qmtest-" + std::to_string(getpid()) + "-" + tag;
    m_path = (dir / m_name).string();
  }
  ~Resource() { unlink(m_path.c_str()); }
  Resource(const Resource&) = delete;
  Resource& operator=(const Resource&) = delete;

  const char* Name() const { return m_name.c_str(); }

  // Mono 16-bit AIFF through libsndfile, as the game's own sounds are written.
  void WriteAiff(const std::vector<float>& samples, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(m_path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
  }
  void WriteBytes(const std::string& bytes) { WriteFile(m_path, bytes); }

 private:
  std::string m_name;
  std::string m_path;
};

// The bytes of a literal that holds NULs, without its terminating one.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

inline std::vector<float> Tone(double hz, double seconds, float amplitude, int rate) {
  std::vector<float> v(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * hz * double(i) / rate));
  return v;
}

// A rising sweep: no stretch of it resembles another, so a match finds one place only.
inline std::vector<float> Sweep(double hzFrom, double hzTo, double seconds, float amplitude,
                                int rate) {
  std::vector<float> v(static_cast<size_t>(seconds * rate));
  double phase = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    const double hz = hzFrom + (hzTo - hzFrom) * double(i) / double(v.size());
    phase += 2 * std::numbers::pi * hz / rate;
    v[i] = amplitude * static_cast<float>(std::sin(phase));
  }
  return v;
}

}  // namespace audiotest
