// SPDX-License-Identifier: GPL-3.0-or-later
// A second program over the preference store, for tests of what one run leaves to the next and
// of running copies side by side. One run carries out one or more commands, joined by "--":
//   get-int KEY | get-float KEY | get-string KEY | get-array KEY N
//   set-int KEY V | set-float KEY V | set-string KEY V | set-array KEY V...
//   add-totals KEY N T...   enters each total into the best-first list of N entries, one update
//                           each, as the end of a game does
// It registers the defaults first, as the game does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/GameSettings.h"

namespace {

// The end-of-game rule for a list of any length: before the first entry below the total.
bool Enter(int* scores, int count, int total) {
  if (total <= 0) return false;
  int place = 0;
  while (place < count && scores[place] >= total) ++place;
  if (place == count) return false;
  for (int i = count - 1; i > place; --i) scores[i] = scores[i - 1];
  scores[place] = total;
  return true;
}

bool Run(int argc, char** argv) {
  if (argc < 2) return false;
  const char* op = argv[0];
  const char* key = argv[1];
  if (!strcmp(op, "get-int")) {
    printf("%d\n", GameSettings::GetIntParam(key));
  } else if (!strcmp(op, "get-float")) {
    printf("%g\n", GameSettings::GetFloatParam(key));
  } else if (!strcmp(op, "get-string")) {
    char buf[256];
    GameSettings::GetStringParam(key, buf, sizeof(buf));
    printf("%s\n", buf);
  } else if (!strcmp(op, "get-array") && argc >= 3) {
    int n = atoi(argv[2]);
    std::vector<int> values(n > 0 ? n : 0);
    GameSettings::GetIntArrayParam(key, values.data(), n);
    for (int v : values) printf("%d ", v);
    printf("\n");
  } else if (!strcmp(op, "set-int") && argc >= 3) {
    GameSettings::SetIntParam(key, atoi(argv[2]));
  } else if (!strcmp(op, "set-float") && argc >= 3) {
    GameSettings::SetFloatParam(key, static_cast<float>(atof(argv[2])));
  } else if (!strcmp(op, "set-string") && argc >= 3) {
    GameSettings::SetStringParam(key, argv[2]);
  } else if (!strcmp(op, "set-array")) {
    std::vector<int> values;
    for (int i = 2; i < argc; ++i) values.push_back(atoi(argv[i]));
    GameSettings::SetIntArrayParam(key, values.data(), static_cast<int>(values.size()));
  } else if (!strcmp(op, "add-totals") && argc >= 3) {
    const int count = atoi(argv[2]);
    for (int i = 3; i < argc; ++i) {
      const int total = atoi(argv[i]);
      GameSettings::UpdateIntArrayParam(key, count,
                                        [&](int* scores) { return Enter(scores, count, total); });
    }
  } else {
    return false;
  }
  fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  GameSettings::Initialize();
  int start = 1;
  for (int i = 1; i <= argc; ++i) {
    if (i < argc && strcmp(argv[i], "--") != 0) continue;
    if (!Run(i - start, argv + start)) return 2;
    start = i + 1;
  }
  return 0;
}
