// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

class Dict;
class GameEvent;
class GameSound;
class Universe;

// The one top-level object: owns the dictionary, the book and the frame clock, and routes input
// (d switches the log on, the pause key pauses the game in play, the rest goes to the book).
class Game {
 public:
  static void Init(int width, int height);
  static Game* pGame;

  Game(int width, int height);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Starts decoding the image the first frame shows (the title page) on another core while the
  // GL context and the book are made; the page then takes it instead of reading the file itself.
  // Also registers the settings' defaults.
  static void Preload();
  // Ends what Preload started, on every way out of the program: what nothing took is cancelled
  // and dropped, and the game's word list is waited for, so that no file is still being read
  // while the exit handlers free what the readers use.
  static void EndPreload();
  void InitDict();
  // Called once the first frame is on screen: only now the word list and the images of the
  // pages beneath the title start loading, on other cores, so that they do not slow the first
  // frame down. Whatever asks for them sooner waits for them.
  void FirstFrameShown();
  Dict* GetDict() const { return m_pDict; }
  Universe* GetUniverse() { return m_pUniverse; }

  void Tick();
  // Whether frames must keep coming without input (see Universe::IsAnimating).
  bool IsAnimating() const;
  // After the loop has rested, the next tick measures one ordinary frame, not the rest: nothing
  // moved while it rested, and nothing may jump or lose time for it.
  void ResumeAfterRest();
  void Render(int width, int height);
  float GetFPS() const { return static_cast<float>(1.0 / m_dTimeElapsed); }
  double GetTimeElapsed() const { return m_dTimeElapsed; }
  void Pause();
  void Unpause();
  void HandleEvent(const GameEvent* event);

  // The platform clock's interval count: negated microseconds below 2,147 seconds, milliseconds
  // above, as the frame clock's conversion expects.
  static int DurationCount(std::chrono::steady_clock::duration interval);
  static double DurationToSeconds(int count);

 private:
  Universe* m_pUniverse;
  Dict* m_pDict;
  std::chrono::steady_clock::time_point m_timeLastTick;
  double m_dTimeElapsed;
  GameSound* m_psndFanfare;
  GameSound* m_psndStarter;
  GameSound* m_psndControls;
  GameSound* m_psndHiScore;
  unsigned short m_chPauseKey;
  int m_iLastWidth;
  int m_iLastHeight;
};
