// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Milliseconds since this process started, as the kernel counts it: the time a player waits
// from launching the program.
inline double ProcessAgeMs() {
  FILE* f = fopen("/proc/self/stat", "r");
  if (!f) return -1.0;
  char buf[2048];
  size_t n = fread(buf, 1, sizeof(buf) - 1, f);
  fclose(f);
  buf[n] = '\0';
  char* p = strrchr(buf, ')');
  if (!p) return -1.0;
  p += 2;
  char* save = nullptr;
  char* field = strtok_r(p, " ", &save);
  // Field 22 of the stat line is the start time in clock ticks after boot.
  for (int i = 3; field && i < 22; ++i) field = strtok_r(nullptr, " ", &save);
  if (!field) return -1.0;
  double startMs = atof(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  timespec now;
  clock_gettime(CLOCK_BOOTTIME, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6 - startMs;
}
