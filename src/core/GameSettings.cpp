// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GameSettings.h"

#include <cstring>
#include <string>

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

}  // namespace

void GameSettings::Initialize() {
  PreferenceStore::User().RegisterDefaults({
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
  });
}

int GameSettings::GetIntParam(const char* key) {
  return PreferenceStore::User().GetInt(key);
}

void GameSettings::SetIntParam(const char* key, int value) {
  PreferenceStore::User().SetInt(key, value);
}

float GameSettings::GetFloatParam(const char* key) {
  return PreferenceStore::User().GetFloat(key);
}

void GameSettings::SetFloatParam(const char* key, float value) {
  PreferenceStore::User().SetFloat(key, value);
}

void GameSettings::GetStringParam(const char* key, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  std::string text = PreferenceStore::User().GetString(key);
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
