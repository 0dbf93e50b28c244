// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/Scribble.h"
#include "scene/QLMPage.h"

class Dict;
class GameSound;
class MenuDone;
class MenuPaused;
class Overlay;
class QLMBoard;
struct GLUquadric;

// The page on which a game is played: turns clicks and strokes into moves on the letter board,
// keeps and shows the score and the clearing bonus, runs the "Beat the Clock" countdown and its
// dial, plays the game's sounds and music, shows the paused menu, and hands the result on when
// the game ends.
class PageBoard : public QLMPage {
 public:
  PageBoard(const TQ3Vector3D& position, Dict* pDict);
  ~PageBoard() override;

  void RandomizeBoard();
  void SetTimerMode(bool fTimerMode);
  void ResetCountdown();

  void RenderContents(int width, int height) override;
  void BecomeForemost() override;
  void LeaveForemost() override;
  void PageTurnCompleted(bool fNotForemost) override;
  void HandleEvent(const GameEvent* event) override;
  void Signal(GameSignalID signal) override;
  void Tick(double dt) override;
  void Pause() override;
  void Unpause() override;
  bool IsAnimating() const override;

  // Stroke input in board points.
  void DragStart(int h, int v);
  void Drag(int h, int v);
  void DragEnd(int h, int v);

  int GetScore() const { return m_nScore; }
  int GetBonus() const { return m_nBonus; }
  void ClearScore();
  void IncrementScore(int delta);
  void UpdateBonus();

  QLMBoard* GetBoard() const { return m_pBoard; }
  Point GetBoardOrigin() const { return m_ptBoardOrigin; }
  bool IsTimerMode() const { return m_fTimerMode; }
  bool IsGamePaused() const { return m_fPaused; }
  bool IsCountdownRunning() const { return m_fCountdownRunning; }
  double GetCountdownLeft() const { return m_dCountdownLeft; }
  const Scribble& GetStroke() const { return m_scribble; }
  Overlay* GetTimerOverlay() const { return m_povTimer; }
  MenuPaused* GetPausedMenu() const { return m_pmenuPaused; }
  MenuDone* GetDoneMenu() const { return m_pmenuDone; }

 private:
  void ComputeBoardOrigin();
  void DrawDial();
  void DrawStroke();

  MenuPaused* m_pmenuPaused;
  MenuDone* m_pmenuDone;
  bool m_fPaused;
  Scribble m_scribble;
  QLMBoard* m_pBoard;
  Dict* m_pDict;
  Point m_ptBoardOrigin;
  int m_nScore;
  int m_nBonus;
  Overlay* m_povScore;
  Overlay* m_povScoreTitle;
  Overlay* m_povBonus;
  Overlay* m_povBonusTitle;
  Overlay* m_povTimer;
  GameSound* m_psndScore;
  GameSound* m_psndNoScore;
  GameSound* m_psndSwap;
  GameSound* m_psndFanfare;
  bool m_fTimerMode;
  bool m_fCountdownRunning;
  double m_dCountdownLeft;
  int m_nTimePerWord;
  GLUquadric* m_pQuadric;
  bool m_fFreeform;
};
