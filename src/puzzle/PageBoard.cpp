// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/PageBoard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "core/GLError.h"
#include "core/Game.h"
#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "platform/BookScale.h"
#include "platform/GameMusic.h"
#include "platform/GameSound.h"
#include "platform/Localize.h"
#include "puzzle/QLMBoard.h"
#include "puzzle/StrokeJudge.h"
#include "scene/PageGameMenu.h"
#include "scene/Universe.h"
#include "ui/MenuNavigation.h"
#include "ui/Overlay.h"

namespace {

const int kCols = 8;
const int kRows = 11;

void SetNumber(Overlay* overlay, int value) {
  char text[32];
  snprintf(text, sizeof(text), "%5d", value);
  overlay->SetString(text);
}

Point MakePoint(int h, int v) {
  return Point{static_cast<int16_t>(v), static_cast<int16_t>(h)};
}

}  // namespace

PageBoard::PageBoard(const TQ3Vector3D& position, Dict* pDict)
    : QLMPage(position),
      m_pmenuPaused(nullptr),
      m_pmenuDone(nullptr),
      m_fPaused(false),
      m_pBoard(nullptr),
      m_pDict(pDict),
      m_ptBoardOrigin{0, 0},
      m_nScore(0),
      m_nBonus(0),
      m_fTimerMode(false),
      m_fCountdownRunning(false),
      m_dCountdownLeft(0.0),
      m_nTimePerWord(0),
      m_pQuadric(nullptr),
      m_fFreeform(true) {
  m_pmenuPaused = new MenuPaused();
  m_pmenuDone = new MenuDone();
  m_fFreeform = GameSettings::GetIntParam("FreeformWordCrossOut") != 0;

  int fontSize = GameSettings::GetIntParam("_ScoreFontSize");
  char fontName[64];
  GameSettings::GetStringParam("_ScoreFontName", fontName, sizeof(fontName));
  m_povScoreTitle = new Overlay(440, 30, fontSize, fontName);
  m_povScoreTitle->SetString(Localize("SCORE").c_str());
  m_povScore = new Overlay(440, 60, fontSize, fontName);
  m_povScore->SetTextColor(0.0f, 1.0f, 0.5f, 1.0f);
  m_povBonusTitle = new Overlay(385, 90, fontSize - 6, fontName);
  m_povBonusTitle->SetString(Localize("CLEARING BONUS").c_str());
  m_povBonus = new Overlay(460, 105, fontSize - 6, fontName);
  m_povBonus->SetTextColor(0.0f, 1.0f, 0.5f, 1.0f);
  m_povTimer = new Overlay(440, 145, 20, fontName);
  m_povTimer->SetTextColor(0.0f, 1.0f, 0.5f, 1.0f);

  RandomizeBoard();
  m_nTimePerWord = GameSettings::GetIntParam("_TimePerWord");
  SetTimerMode(false);
  m_pQuadric = gluNewQuadric();

  m_psndScore = new GameSound("Score.AIFF");
  m_psndNoScore = new GameSound("NoScore.AIFF");
  m_psndSwap = new GameSound("Swap.AIFF");
  m_psndFanfare = new GameSound("Fanfare.AIFF");
  m_psndFanfare->Play();
  m_nScore = 0;
  m_nBonus = 0;
}

PageBoard::~PageBoard() {
  delete m_pmenuPaused;
  delete m_pmenuDone;
  delete m_pBoard;
  delete m_povScore;
  delete m_povScoreTitle;
  delete m_povBonus;
  delete m_povBonusTitle;
  delete m_povTimer;
  delete m_psndScore;
  delete m_psndNoScore;
  delete m_psndSwap;
  delete m_psndFanfare;
  if (m_pQuadric) gluDeleteQuadric(m_pQuadric);
}

void PageBoard::RandomizeBoard() {
  delete m_pBoard;
  m_pBoard = new QLMBoard(kCols, kRows);
  m_pBoard->AddDict(m_pDict);
  ClearScore();
  ResetCountdown();
  m_fFreeform = GameSettings::GetIntParam("FreeformWordCrossOut") != 0;
  ComputeBoardOrigin();
}

void PageBoard::SetTimerMode(bool fTimerMode) {
  m_fTimerMode = fTimerMode;
  m_fCountdownRunning = false;
  ResetCountdown();
}

void PageBoard::ResetCountdown() {
  if (m_fTimerMode) {
    m_dCountdownLeft = m_nTimePerWord;
    m_povTimer->SetStringTimer(m_nTimePerWord);
  } else {
    m_dCountdownLeft = 0.0;
  }
}

void PageBoard::ClearScore() {
  m_nScore = 0;
  m_nBonus = 0;
  SetNumber(m_povScore, m_nScore);
  SetNumber(m_povBonus, m_nBonus);
}

void PageBoard::IncrementScore(int delta) {
  m_nScore += delta;
  SetNumber(m_povScore, m_nScore);
  UpdateBonus();
}

void PageBoard::UpdateBonus() {
  m_nBonus = m_pBoard ? m_pBoard->ComputeBonus() : 0;
  SetNumber(m_povBonus, m_nBonus);
}

void PageBoard::ComputeBoardOrigin() {
  if (!m_pBoard) return;
  int width, height;
  m_pBoard->GetSize(width, height);
  m_ptBoardOrigin = MakePoint((m_kdWidth - width) / 2, (m_kdHeight - height) / 2);
}

void PageBoard::HandleEvent(const GameEvent* event) {
  // The paused menu is drawn in page coordinates like every other menu, so its events are
  // offset by the page's place too.
  OffsetEvent(event);
  if (m_fPaused) {
    m_pmenuPaused->HandleEvent(event);
    return;
  }
  int dh, dv, x, y;
  auto toBoard = [&](int px, int py, int& h, int& v) {
    h = px - m_ptBoardOrigin.h;
    v = m_iWindowHeight - (py + m_ptBoardOrigin.v);
  };
  int h, v;
  if (event->IsMouseMove(dh, dv, x, y)) {
    toBoard(x, y, h, v);
    Drag(h, v);
  } else if (event->IsMouseDown(x, y)) {
    toBoard(x, y, h, v);
    DragStart(h, v);
  } else if (event->IsMouseUp(x, y)) {
    toBoard(x, y, h, v);
    DragEnd(h, v);
  }
  if (!m_fTimerMode) m_pmenuDone->HandleEvent(event);
}

void PageBoard::DragStart(int h, int v) {
  m_scribble.Clear();
  m_scribble.AddPoint(MakePoint(h, v));
}

void PageBoard::Drag(int h, int v) {
  if (m_scribble.Size() == 0) return;
  Point pt = MakePoint(h, v);
  if (Dist(pt, m_scribble.GetPoint(m_scribble.Size() - 1)) > 3.0f) m_scribble.AddPoint(pt);
}

void PageBoard::DragEnd(int, int) {
  const StrokeCells cells =
      m_pBoard ? JudgeStroke(*m_pBoard, m_scribble, m_fFreeform) : StrokeCells{};
  m_scribble.Clear();
  if (!cells.fFound) return;
  Point selected;
  if (!cells.fStraight) {
    m_pBoard->ClearSelection();
  } else if (PointNotEquals(cells.first, cells.last)) {
    int score = 0;
    if (m_pBoard->RemoveIfLegalWord(cells.first, cells.last, score)) {
      IncrementScore(score);
      if (m_pBoard->GetLettersRemaining() == 0) {
        m_psndFanfare->Play();
        Signal(kSignalGameOver);
      } else {
        m_psndScore->Play();
        ResetCountdown();
      }
    }
    m_pBoard->ClearSelection();
  } else if (!m_pBoard->IsLetterSelected(selected)) {
    m_pBoard->DoSelect(cells.first);
  } else if (PointEquals(selected, cells.first)) {
    m_pBoard->ClearSelection();
  } else {
    if (!m_fTimerMode) IncrementScore(-10);
    m_psndSwap->Play();
    m_pBoard->DoSwapMove(selected, cells.first);
  }
}

void PageBoard::Signal(GameSignalID signal) {
  switch (signal) {
    case kSignalContinueGame:
      m_fPaused = false;
      break;
    case kSignalGameOver: {
      Universe* book = Game::pGame ? Game::pGame->GetUniverse() : nullptr;
      if (!book) break;
      static_cast<PageGameMenu*>(book->GetPage(Universe::kPageGameMenu))
          ->SetupScoreMenu(m_nScore, m_nBonus, m_fTimerMode);
      book->TurnToPage(Universe::kPageGameMenu);
      break;
    }
    case kSignalNewPuzzle:
      RandomizeBoard();
      m_fPaused = false;
      break;
    case kSignalTogglePause:
      m_fPaused = !m_fPaused;
      break;
  }
}

void PageBoard::Tick(double dt) {
  if (m_pBoard) m_pBoard->Tick(dt);
  QLMPage::Tick(dt);
  if (m_fTimerMode && m_fCountdownRunning && m_dCountdownLeft > 0.0) {
    m_dCountdownLeft -= dt;
    if (m_dCountdownLeft <= 0.0) Signal(kSignalGameOver);
    m_povTimer->SetStringTimer(static_cast<int>(m_dCountdownLeft + 0.2));
  }
}

void PageBoard::BecomeForemost() {
  m_fCountdownRunning = false;
  m_fPaused = false;
  ResetCountdown();
}

void PageBoard::PageTurnCompleted(bool fNotForemost) {
  if (fNotForemost) return;
  GameMusic::SetTrackVolume(GameSettings::GetFloatParam("MusicVolume"));
  GameMusic::StartTrack(m_fTimerMode ? GameMusic::kMusicTrackBeatTheClock
                                     : GameMusic::kMusicTrackRegular);
  m_fCountdownRunning = true;
}

// A game left for another page is over: its countdown must not end it later from wherever the
// player is reading, nor enter its total in the best scores.
void PageBoard::LeaveForemost() {
  GameMusic::StopTrack();
  m_fPaused = false;
  m_fCountdownRunning = false;
}

bool PageBoard::IsAnimating() const {
  if (QLMPage::IsAnimating()) return true;
  if (m_pBoard && m_pBoard->IsAnyTileMoving()) return true;
  return m_fTimerMode && m_fCountdownRunning && m_dCountdownLeft > 0.0;
}

void PageBoard::Pause() {
  if (GameMusic::IsPlaying()) GameMusic::StopTrack();
}

void PageBoard::Unpause() {
  if (!GameMusic::IsPlaying()) GameMusic::RestartTrack();
}

void PageBoard::RenderContents(int width, int height) {
  ComputeBoardOrigin();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  if (m_fPaused) {
    m_pmenuPaused->Render(width, height);
  } else if (m_pBoard) {
    m_povScore->RenderString();
    m_povScoreTitle->RenderString();
    m_povBonus->RenderString();
    m_povBonusTitle->RenderString();
    if (!m_fTimerMode) {
      m_pmenuDone->Render(width, height);
    } else {
      m_povTimer->RenderString();
      DrawDial();
    }
    glTranslatef(m_ptBoardOrigin.h, m_ptBoardOrigin.v, 0.0f);
    m_pBoard->Render(width, height);
    DrawStroke();
  }
  glPopMatrix();
}

void PageBoard::DrawDial() {
  glPushMatrix();
  glTranslatef(424.0f, 165.0f, 0.1f);
  glColor4f(0.2f, 0.2f, 0.2f, 1.0f);
  gluPartialDisk(m_pQuadric, 18.0, 22.0, 30, 1, 0.0, 360.0);
  if (m_dCountdownLeft > 0.0 && m_nTimePerWord > 0) {
    double used = 360.0 * (m_nTimePerWord - m_dCountdownLeft) / m_nTimePerWord;
    glColor4f(0.0f, 0.7f, 0.0f, 1.0f);
    gluPartialDisk(m_pQuadric, 4.0, 19.0, 30, 1, 180.0, 360.0 - used);
  }
  glReportError();
  glPopMatrix();
}

void PageBoard::DrawStroke() {
  glLineWidth(bookscale::LineWidth(3.0f));
  glColor4f(0.5f, 0.0f, 0.0f, 1.0f);
  if (m_fFreeform) {
    m_scribble.Render();
  } else if (m_scribble.Size() > 1) {
    Point a = m_scribble.GetPoint(0);
    Point b = m_scribble.GetPoint(m_scribble.Size() - 1);
    glBegin(GL_LINE_STRIP);
    glVertex3f(a.h, a.v, 1.0f);
    glVertex3f(b.h, b.v, 1.0f);
    glEnd();
  }
}
