// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the game mixes, captured through SDL's disk audio driver (44.1 kHz, 16-bit stereo).

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>

#include "support/TestSupport.h"

namespace audiotest {

// The audio output is opened once per process, so the first test that asks decides its kind:
// captured to a file, or none at all. True when this process's output is of the asked kind.
inline bool Use(bool capture) {
  static TempDir dir;
  static const bool decided = [&] {
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    setenv("SDL_AUDIODRIVER", capture ? "disk" : "no-such-audio-driver", 1);
    setenv("SDL_DISKAUDIOFILE", dir.File("capture.raw").c_str(), 1);
    return capture;
  }();
  return decided == capture;
}

// What is heard over the given seconds after the action, as mono samples in [-1, 1]. The output
// runs at about real time, but a loaded machine may slow it down, so this waits for frames.
inline std::vector<float> Heard(
    double seconds, const std::function<void()>& action = [] {}) {
  auto frames = [] {
    struct stat st;
    return stat(getenv("SDL_DISKAUDIOFILE"), &st) == 0 ? static_cast<size_t>(st.st_size) / 4 : 0;
  };
  const size_t mark = frames();
  action();
  for (int i = 0; i < 3000 && frames() < mark + static_cast<size_t>(seconds * 44100); ++i)
    usleep(10000);
  std::ifstream in(getenv("SDL_DISKAUDIOFILE"), std::ios::binary);
  in.seekg(static_cast<std::streamoff>(mark * 4));
  std::vector<float> out;
  int16_t frame[2];
  while (in.read(reinterpret_cast<char*>(frame), sizeof(frame)))
    out.push_back((frame[0] + frame[1]) / 65536.0f);
  return out;
}

inline float Peak(const std::vector<float>& v, size_t from = 0, size_t count = SIZE_MAX) {
  float peak = 0;
  for (size_t i = from; i < v.size() && i - from < count; ++i)
    peak = std::max(peak, std::fabs(v[i]));
  return peak;
}

}  // namespace audiotest
