// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct Mix_Chunk;

// The player behind one sound effect: the whole sound decoded in memory. Without an audio
// output, or when the file is missing or unreadable, it holds nothing and every call does
// nothing (IsPlaying answers false).
class GameSoundChunk {
 public:
  // name: a file in the resource folder "Sounds", with its extension.
  explicit GameSoundChunk(const char* name);
  ~GameSoundChunk();
  GameSoundChunk(const GameSoundChunk&) = delete;
  GameSoundChunk& operator=(const GameSoundChunk&) = delete;

  // A sound that is still playing is not started a second time over itself.
  void Play();
  void Stop();
  bool IsPlaying() const;

 private:
  Mix_Chunk* m_pChunk = nullptr;
  int m_iChannel = -1;  // the mixer channel of the last Play, -1 before it
};
