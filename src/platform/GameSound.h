// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
  bool IsPlaying() const;

  // Switches all effects on or off (the options menu stores the choice as "SoundVolume").
  static void SetVolume(bool on);

  // Effects are on. The first sound created takes it from the setting "SoundVolume" (0 is off),
  // unless SetVolume has already decided it.
  static bool fSoundOn;

 private:
  static bool fSwitchSettled;

  GameSoundChunk* m_pPlayer;
};
