// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GameSettings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Log.h"
#include "platform/PreferenceStore.h"

namespace {

using Value = PreferenceStore::Value;

std::string EncodeUtf8(unsigned short ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

// The first character of a UTF-8 text as one 16-bit unit; 0 for an empty or broken text.
unsigned short DecodeFirstUtf8(const std::string& text) {
  if (text.empty()) return 0;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char b0 = byte(0);
  if (b0 < 0x80) return b0;
  auto cont = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
  if ((b0 & 0xE0) == 0xC0 && cont(1)) return ((b0 & 0x1F) << 6) | (byte(1) & 0x3F);
  if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2))
    return static_cast<unsigned short>(((b0 & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) |
                                       (byte(2) & 0x3F));
  return 0;
}

const std::vector<std::pair<std::string, Value>>& Defaults() {
  static const std::vector<std::pair<std::string, Value>> defaults = {
      {"Fullscreen", Value::Int(0)},
      {"_FontSize", Value::Int(20)},
      {"_FontName", Value::String("Courier")},
      {"_ScoreFontSize", Value::Int(20)},
      {"_ScoreFontName", Value::String("Courier")},
      {"_ShowFPS", Value::Int(0)},
      {"_FPSFontSize", Value::Int(12)},
      {"_FPSFontName", Value::String("Helvetica")},
      {"FogStart", Value::Float(0.0f)},
      {"FogEndLow", Value::Float(0.0f)},
      {"FogEndHigh", Value::Float(0.0f)},
      {"_PageSpeed", Value::Float(100.0f)},
      {"_LetterSwapSpeed", Value::Float(150.0f)},
      {"_LetterFallSpeed", Value::Float(100.0f)},
      {"KeyDefaultPause", Value::String(std::string(1, '\x1b'))},
      {"TransitionSpeed", Value::Float(1.0f)},
      {"SoundVolume", Value::Float(1.0f)},
      {"MusicVolume", Value::Float(0.5f)},
      {"MusicLastTrackIndex", Value::Int(-1)},
      {"_TimePerWord", Value::Int(12)},
      {"VSync", Value::Int(1)},
      {"FreeformWordCrossOut", Value::Int(1)},
      {"_DictPath", Value::String("enable1.txt")},
      {"HighScores", Value::IntArray({})},
      {"HighScoresBTC", Value::IntArray({})},
      // The book's size in percent; the window lowers it to what it holds.
      {"Zoom", Value::Int(100)},
  };
  return defaults;
}

// Where a stored number leaves the game usable. Speeds are pixels per second (the page and
// tile speeds are also multiplied by "TransitionSpeed"): at 0 nothing would ever arrive, and
// far above the defaults a page turn would be over before anyone saw it. Font sizes beyond these
// would draw nothing, or letters that cover their neighbours on the 28-pixel cells and texts that
// run off the page
// ("_ScoreFontSize" less 6 is the bonus line's size).
struct Range {
  const char* key;
  double lo;
  double hi;
};
const Range kRanges[] = {
    {"_PageSpeed", 50.0, 10000.0},
    {"_LetterSwapSpeed", 50.0, 10000.0},
    {"_LetterFallSpeed", 50.0, 10000.0},
    {"TransitionSpeed", 0.5, 10.0},
    {"_FontSize", 8.0, 32.0},
    {"_ScoreFontSize", 12.0, 32.0},
    {"_FPSFontSize", 8.0, 32.0},
    {"_TimePerWord", 3.0, 3600.0},
    {"SoundVolume", 0.0, 1.0},
    {"MusicVolume", 0.0, 1.0},
    {"Zoom", 100.0, 2500.0},
};

// The longest text each reader takes, terminator excluded: the size of its buffer less one.
struct TextLimit {
  const char* key;
  size_t maxBytes;
};
const TextLimit kTextLimits[] = {
    {"_FontName", 255},
    {"_ScoreFontName", 63},
    {"_FPSFontName", 63},
    {"_DictPath", 255},
};

const Range* RangeOf(const char* key) {
  for (const Range& r : kRanges)
    if (!strcmp(r.key, key)) return &r;
  return nullptr;
}

// Each odd key is told about once a run, however often it is read.
void LogOnce(const char* key, const std::string& what) {
  static std::set<std::string> logged;
  if (!logged.insert(key).second) return;
  LogError(("Preference " + std::string(key) + " " + what).c_str());
}

std::string Number(int i) {
  return std::to_string(i);
}

std::string Number(float f) {
  char text[32];
  snprintf(text, sizeof(text), "%g", static_cast<double>(f));
  return text;
}

template <typename T>
T Clamped(const char* key, T value, T lo, T hi) {
  if (value >= lo && value <= hi) return value;
  T edge = value < lo ? lo : hi;
  LogOnce(key, "holds " + Number(value) + ", outside " + Number(lo) + " to " + Number(hi) +
                   "; using " + Number(edge) + ".");
  return edge;
}

}  // namespace

void GameSettings::Initialize() {
  PreferenceStore::User().RegisterDefaults(Defaults());
}

int GameSettings::GetIntParam(const char* key) {
  int value = PreferenceStore::User().GetInt(key);
  const Range* r = RangeOf(key);
  if (!r) return value;
  return Clamped(key, value, static_cast<int>(std::ceil(r->lo)), static_cast<int>(r->hi));
}

void GameSettings::SetIntParam(const char* key, int value) {
  PreferenceStore::User().SetInt(key, value);
}

float GameSettings::GetFloatParam(const char* key) {
  float value = PreferenceStore::User().GetFloat(key);
  const Range* r = RangeOf(key);
  if (!r) return value;
  return Clamped(key, value, static_cast<float>(r->lo), static_cast<float>(r->hi));
}

void GameSettings::SetFloatParam(const char* key, float value) {
  PreferenceStore::User().SetFloat(key, value);
}

void GameSettings::GetStringParam(const char* key, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  std::string text = PreferenceStore::User().GetString(key);
  for (const TextLimit& limit : kTextLimits) {
    if (strcmp(limit.key, key) != 0 || text.size() <= limit.maxBytes) continue;
    // A name cut short names nothing: the default serves better.
    for (const auto& [name, value] : Defaults())
      if (name == key) {
        LogOnce(key, "is " + std::to_string(text.size()) + " bytes long, longer than " +
                         std::to_string(limit.maxBytes) + "; using \"" + value.s + "\".");
        text = value.s;
      }
  }
  size_t n = std::min(text.size(), outSize - 1);
  memcpy(out, text.data(), n);
  out[n] = '\0';
}

void GameSettings::SetStringParam(const char* key, const char* value) {
  PreferenceStore::User().SetString(key, value);
}

unsigned short GameSettings::GetUniCharParam(const char* key) {
  return DecodeFirstUtf8(PreferenceStore::User().GetString(key));
}

void GameSettings::SetUniCharParam(const char* key, unsigned short ch) {
  PreferenceStore::User().SetString(key, EncodeUtf8(ch).c_str());
}

void GameSettings::GetIntArrayParam(const char* key, int* out, int count) {
  if (!out || count <= 0) return;
  std::vector<int> stored = PreferenceStore::User().GetIntArray(key);
  for (int i = 0; i < count; ++i) out[i] = i < static_cast<int>(stored.size()) ? stored[i] : 0;
}

void GameSettings::SetIntArrayParam(const char* key, const int* values, int count) {
  if (count < 0) count = 0;
  PreferenceStore::User().SetIntArray(key, values, count);
}

void GameSettings::UpdateIntArrayParam(const char* key, int count,
                                       const std::function<bool(int* values)>& change) {
  if (count <= 0) return;
  PreferenceStore::User().UpdateIntArray(
      key, count, [&](std::vector<int>& values) { return change(values.data()); });
}
