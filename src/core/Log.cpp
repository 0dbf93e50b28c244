// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Log.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

bool fLogging = false;

const char* ProgramName() {
  static std::string name = [] {
    char path[1024];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return std::string("quillmere");
    path[n] = '\0';
    const char* slash = strrchr(path, '/');
    return std::string(slash ? slash + 1 : path);
  }();
  return name.c_str();
}

// One entry: "2026-12-06 18:57:26.123 quillmere[4242] text", ending in exactly one line feed.
void WriteEntry(const char* text) {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t secs = system_clock::to_time_t(now);
  int millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&secs, &local);
  char stamp[32];
  strftime(stamp, sizeof(stamp), "%Y-%m-%d %H:%M:%S", &local);

  std::string line;
  line.reserve(64 + strlen(text));
  char head[96];
  snprintf(head, sizeof(head), "%s.%03d %s[%d] ", stamp, millis, ProgramName(),
           static_cast<int>(getpid()));
  line += head;
  line += text;
  if (line.empty() || line.back() != '\n') line += '\n';
  // One write per entry so that lines from two processes never interleave.
  fwrite(line.data(), 1, line.size(), stderr);
  fflush(stderr);
}

}  // namespace

void EnableLogging() {
  fLogging = true;
}

bool IsLogging() {
  return fLogging;
}

void LogString(const char* text) {
  if (fLogging) WriteEntry(text ? text : "");
}

void LogError(const char* text) {
  WriteEntry(text ? text : "");
}

float Rand() {
  return static_cast<float>(rand() * 4.656612873077393e-10);
}

float Dist(Point a, Point b) {
  // 64-bit sums give the same result wherever 32 bits suffice and never overflow.
  int64_t dh = static_cast<int64_t>(a.h) - b.h;
  int64_t dv = static_cast<int64_t>(a.v) - b.v;
  int64_t sum = dh * dh + dv * dv;
  return static_cast<float>(std::sqrt(static_cast<double>(static_cast<float>(sum))));
}

bool PointEquals(Point a, Point b) {
  return a.v == b.v && a.h == b.h;
}

bool PointNotEquals(Point a, Point b) {
  return !PointEquals(a, b);
}
