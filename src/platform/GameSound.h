// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class GameSoundChunk;

// One short sound effect from the resource folder "Sounds", played on demand. One switch turns
// all effects on or off. A sound whose file is missing or broken, or that has no audio output,
// is silent and answers every call harmlessly.
class GameSound {
 public:
  // name: the file name with its extension, such as "Click.AIFF".
  explicit GameSound(const char* name);
  ~GameSound();
  GameSound(const GameSound&) = delete;
  GameSound& operator=(const GameSound&) = delete;

  // Plays the effect when effects are on; otherwise nothing.
  void Play();
  void Stop();
  // Also true for a sound asked to play while its loading waits.
  bool IsPlaying() const;

  // Switches all effects on or off (the options menu stores the choice as "SoundVolume").
  static void SetVolume(bool on);
  // While on, sounds made wait to be read, and the audio output to be opened, until it is
  // switched off again; a sound played meanwhile starts then. The window switches it on for
  // its first frame, which need not wait for either.
  static void DeferLoading(bool defer);

  // Effects are on. The first sound created takes it from the setting "SoundVolume" (0 is off),
  // unless SetVolume has already decided it.
  static bool fSoundOn;

 private:
  void Load();

  static bool fSwitchSettled;
  std::string m_strName;
  GameSoundChunk* m_pPlayer;
  bool m_fPlayWhenLoaded;
};
