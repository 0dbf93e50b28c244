// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct _Mix_Music;

// The player behind one music track: streamed from its file and looped from the beginning at
// its end. The mixer plays one track at a time, so starting a track silences any other.
// Without an audio output, or when the file is missing or unreadable, it holds nothing and every
// call does nothing (IsPlaying answers false).
class GameMusicStream {
 public:
  // file: a file in the resource folder "Music", with its extension.
  explicit GameMusicStream(const char* file);
  ~GameMusicStream();
  GameMusicStream(const GameMusicStream&) = delete;
  GameMusicStream& operator=(const GameMusicStream&) = delete;

  // Starts the track from its beginning; a track that is playing goes on undisturbed.
  void Play();
  // Stops the track and rewinds it, so that the next Play starts from the beginning.
  void Stop();
  bool IsPlaying() const;
  // v from 0 to 1; applies at once while the track plays, otherwise at its next start.
  void SetVolume(float v);

 private:
  _Mix_Music* m_pMusic = nullptr;
  float m_fltVolume = 1.0f;
};
