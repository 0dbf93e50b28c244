// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/Vector3D.h"

class Dict;
class GameEvent;
class GameSound;
class Overlay;
class QLMPage;

enum GameSignalID {
  kSignalContinueGame = 0,
  kSignalGameOver = 1,
  kSignalNewPuzzle = 4,
  kSignalTogglePause = 6,
};

// The book: seven pages stacked with a small offset, the one lying open on top, the page turns
// that slide pages off to the left and back, and each frame's drawing. Ticks, events, signals
// and pause requests go to the pages; pages learn when a turn has come to rest.
class Universe {
 public:
  enum PageID {
    kPageTitle = 0,
    kPageGameMenu = 1,
    kPageBoard = 2,
    kPageScores = 3,
    kPageOptions = 4,
    kPageInstructions = 5,
    kPageCredits = 6,
  };
  static constexpr int kNumPages = 7;

  explicit Universe(Dict* pDict);
  ~Universe();
  Universe(const Universe&) = delete;
  Universe& operator=(const Universe&) = delete;

  void Tick(double dt);
  void Resize(int width, int height);
  void Render(int width, int height);
  void Pause();
  void Unpause();
  QLMPage* GetPage(PageID id) const { return m_apPage[id]; }
  // Puts another page in the book at that place, which owns it from now on; for tools and tests
  // that watch what the book tells its pages.
  void ReplacePage(PageID id, QLMPage* page);
  void HandleEvent(const GameEvent* event);
  void TurnToPage(PageID page);
  void Signal(GameSignalID signal);
  void RandomizeBoard();
  void SetTimerMode(bool fTimerMode);
  static void CalcPagePosWhenVisible(TQ3Vector3D& pos, int width, int height, int page);
  // Starts decoding the images of the first frame (the paper, the title page), before the book
  // is built.
  static void PreloadPageImages();
  // Starts decoding the images of the pages beneath, which they take as soon as each is ready;
  // a turn of the book takes them at once.
  void PreloadHiddenPageImages();

  bool IsPaused() const { return m_fPaused; }
  // Whether the next frame can differ from the last one without any input; when it cannot, the
  // window need not be drawn again.
  bool IsAnimating() const;
  float GetFrameRate() const { return m_fltFrameRate; }
  PageID GetCurrentPage() const { return m_pageCurrent; }
  int GetPreviousPage() const { return m_pagePrevious; }

 private:
  Overlay* m_povFPS;
  float m_fltFrameRate;
  bool m_fPaused;
  GameSound* m_psndPageTurn;
  GameSound* m_psndPageTurnBack;
  float m_fltFogStart;
  float m_fltFogEndLow;
  float m_fltFogEndHigh;
  PageID m_pageCurrent;
  int m_pagePrevious;
  QLMPage* m_apPage[kNumPages];
  // Whether the images of the pages beneath the title are being decoded: the pages take them in
  // the ticks after.
  bool m_fImagesRequested = false;
};
