// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

// Every tunable value, the player's options and both best-score lists, read by key from the
// user's preference store. There is no cached copy: every get asks the store.
//
// A stored number outside the range in which the game stays usable (a page speed of 0, a font
// size of a million, a volume above 1) reads as the nearer edge of that range, and a text too
// long for its reader reads as the key's default; each such key is logged once a run. Values
// inside their range read exactly as stored; nothing is written back.
class GameSettings {
 public:
  // Registers the default of every key; the defaults themselves are never written.
  static void Initialize();

  static int GetIntParam(const char* key);
  static void SetIntParam(const char* key, int value);
  static float GetFloatParam(const char* key);
  static void SetFloatParam(const char* key, float value);
  // Copies the text into out, cut to outSize - 1 bytes and always terminated.
  static void GetStringParam(const char* key, char* out, size_t outSize);
  static void SetStringParam(const char* key, const char* value);
  static unsigned short GetUniCharParam(const char* key);
  static void SetUniCharParam(const char* key, unsigned short ch);
  // Fills exactly count elements; places the store does not hold read as 0.
  static void GetIntArrayParam(const char* key, int* out, int count);
  static void SetIntArrayParam(const char* key, const int* values, int count);
  // Reads the list's count entries as stored now, lets change alter them and writes them back,
  // in one step that no other running copy of the game can come between. change returns false
  // to leave the list as it is.
  static void UpdateIntArrayParam(const char* key, int count,
                                  const std::function<bool(int* values)>& change);
};
