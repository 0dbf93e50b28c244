// SPDX-License-Identifier: GPL-3.0-or-later
// A second program over the preference store, for tests of what one run leaves to the next:
//   prefs_probe get-int KEY | get-float KEY | get-string KEY | get-char KEY | get-array KEY N
//   prefs_probe set-int KEY V | set-float KEY V | set-string KEY V | set-array KEY V...
// It registers the defaults first, as the game does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/GameSettings.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  GameSettings::Initialize();
  const char* op = argv[1];
  const char* key = argv[2];
  if (!strcmp(op, "get-int")) {
    printf("%d\n", GameSettings::GetIntParam(key));
  } else if (!strcmp(op, "get-float")) {
    printf("%g\n", GameSettings::GetFloatParam(key));
  } else if (!strcmp(op, "get-string")) {
    char buf[256];
    GameSettings::GetStringParam(key, buf, sizeof(buf));
    printf("%s\n", buf);
  } else if (!strcmp(op, "get-char")) {
    printf("%u\n", GameSettings::GetUniCharParam(key));
  } else if (!strcmp(op, "get-array") && argc >= 4) {
    int n = atoi(argv[3]);
    std::vector<int> values(n > 0 ? n : 0);
    GameSettings::GetIntArrayParam(key, values.data(), n);
    for (int v : values) printf("%d ", v);
    printf("\n");
  } else if (!strcmp(op, "set-int") && argc >= 4) {
    GameSettings::SetIntParam(key, atoi(argv[3]));
  } else if (!strcmp(op, "set-float") && argc >= 4) {
    GameSettings::SetFloatParam(key, static_cast<float>(atof(argv[3])));
  } else if (!strcmp(op, "set-string") && argc >= 4) {
    GameSettings::SetStringParam(key, argv[3]);
  } else if (!strcmp(op, "set-array")) {
    std::vector<int> values;
    for (int i = 3; i < argc; ++i) values.push_back(atoi(argv[i]));
    GameSettings::SetIntArrayParam(key, values.data(), static_cast<int>(values.size()));
  } else {
    return 2;
  }
  return 0;
}
