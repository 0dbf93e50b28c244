// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A persistent per-user key-value store: one key file, a defaults layer kept in memory and never
// written, numbers converted between kinds on read. Every set is written at once, atomically and
// under a lock, after reloading the file, so that keys written by another running copy survive.
// A file that is there but cannot be read is never written over: the values set in this run
// then stay in memory. A file that is not a key file, or not all text, is set aside intact as
// <file>.corrupt before anything is written in its place.
class PreferenceStore {
 public:
  struct Value {
    enum Kind { kInt, kFloat, kString, kIntArray } kind = kInt;
    int i = 0;
    float f = 0.0f;
    std::string s;
    std::vector<int> a;

    static Value Int(int v) { return Value{kInt, v, 0.0f, {}, {}}; }
    static Value Float(float v) { return Value{kFloat, 0, v, {}, {}}; }
    static Value String(std::string v) { return Value{kString, 0, 0.0f, std::move(v), {}}; }
    static Value IntArray(std::vector<int> v) {
      return Value{kIntArray, 0, 0.0f, {}, std::move(v)};
    }
  };

  explicit PreferenceStore(std::string path);
  ~PreferenceStore();
  PreferenceStore(const PreferenceStore&) = delete;
  PreferenceStore& operator=(const PreferenceStore&) = delete;

  // The user's store: $XDG_CONFIG_HOME/quillmere/preferences.ini (~/.config when unset).
  static PreferenceStore& User();
  static std::string UserPath();

  void RegisterDefaults(std::vector<std::pair<std::string, Value>> defaults);

  int GetInt(const char* key);
  float GetFloat(const char* key);
  std::string GetString(const char* key);
  std::vector<int> GetIntArray(const char* key);

  void SetInt(const char* key, int value);
  void SetFloat(const char* key, float value);
  void SetString(const char* key, const char* value);
  void SetIntArray(const char* key, const int* values, int count);
  // Reads the list as the file holds it now (count entries, missing ones 0), lets change alter
  // it and writes it back, all in one step under the lock, so that a list changed by two
  // running copies at once keeps both changes. Nothing is written when change returns false.
  void UpdateIntArray(const char* key, int count,
                      const std::function<bool(std::vector<int>& values)>& change);

  const std::string& Path() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_pImpl;
};
