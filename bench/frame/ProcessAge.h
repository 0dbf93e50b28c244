// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

// The time a player waits from launching the program. The kernel keeps a process's start only
// in clock ticks (10 ms here, as much as a tenth of a first frame), so the benchmark notes the
// moment itself and starts again through exec: what it counts from there is what a launch
// costs, the loading of every library included.
namespace processage {

constexpr const char* kVariable = "QM_BENCH_LAUNCHED_NS";

inline long long NowNs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

inline long long& LaunchedNs() {
  static long long launched = 0;
  return launched;
}

}  // namespace processage

// Call first in main. Returns only in the run that is measured.
inline void MarkLaunch(char** argv) {
  using namespace processage;
  if (const char* launched = getenv(kVariable)) {
    LaunchedNs() = atoll(launched);
    unsetenv(kVariable);  // not handed on to anything this run starts
    return;
  }
  char value[32];
  snprintf(value, sizeof(value), "%lld", NowNs());
  setenv(kVariable, value, 1);
  execv("/proc/self/exe", argv);
  perror("exec /proc/self/exe");
  exit(1);
}

inline double ProcessAgeMs() {
  return (processage::NowNs() - processage::LaunchedNs()) / 1e6;
}
