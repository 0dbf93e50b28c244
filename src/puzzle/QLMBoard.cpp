// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/QLMBoard.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/GameSettings.h"
#include "platform/BookScale.h"
#include "puzzle/Dict.h"
#include "puzzle/QLMLetter.h"
#include "puzzle/Scribble.h"

namespace {

// English letter frequencies, A to Z.
const float fltLetterFrequency[26] = {
    0.084966f, 0.020720f, 0.045388f, 0.033844f, 0.111607f, 0.018121f, 0.024705f,
    0.030034f, 0.075448f, 0.001965f, 0.011016f, 0.054893f, 0.030129f, 0.066544f,
    0.071635f, 0.031671f, 0.001962f, 0.075809f, 0.057351f, 0.069509f, 0.036308f,
    0.010074f, 0.012899f, 0.002902f, 0.017779f, 0.002722f,
};

const int adPointValues[9] = {0, 0, 0, 10, 30, 50, 100, 200, 400};

int Sign(int x) {
  return (x > 0) - (x < 0);
}

struct Run {
  int stepH;
  int stepV;
  int length;
};

Run RunBetween(Point first, Point last) {
  int dh = last.h - first.h;
  int dv = last.v - first.v;
  return Run{Sign(dh), Sign(dv), std::max(std::abs(dh), std::abs(dv)) + 1};
}

float MoveSpeed(const char* key) {
  return GameSettings::GetFloatParam(key) * GameSettings::GetFloatParam("TransitionSpeed");
}

}  // namespace

QLMBoard::QLMBoard(int nCols, int nRows)
    : m_nCols(0),
      m_nRows(0),
      m_ptPos{0, 0},
      m_apLetter{},
      m_pDict(nullptr),
      m_nLettersRemaining(0),
      m_ptSelected{-1, -1} {
  Randomize(nCols, nRows);
  ClearSelection();
}

QLMBoard::~QLMBoard() {
  for (auto& column : m_apLetter)
    for (QLMLetter*& slot : column) {
      delete slot;
      slot = nullptr;
    }
}

void QLMBoard::Randomize(int nCols, int nRows) {
  m_nCols = std::clamp(nCols, 0, m_kMaxCols);
  m_nRows = std::clamp(nRows, 0, m_kMaxRows);
  m_nLettersRemaining = m_nCols * m_nRows;
  for (int c = 0; c < m_kMaxCols; ++c) {
    for (int r = 0; r < m_kMaxRows; ++r) {
      delete m_apLetter[c][r];
      m_apLetter[c][r] = nullptr;
      if (InUsedArea(c, r))
        m_apLetter[c][r] = new QLMLetter(RandChar(), m_kHPosIncr * c, m_kVPosIncr * r);
    }
  }
}

char QLMBoard::RandChar() {
  float r = Rand();
  for (int i = 0; i < 26; ++i) {
    r -= fltLetterFrequency[i];
    if (r <= 0.0f) return static_cast<char>('A' + i);
  }
  return 'Z';
}

void QLMBoard::Tick(double dt) {
  for (int c = 0; c < m_nCols; ++c)
    for (int r = 0; r < m_nRows; ++r)
      if (m_apLetter[c][r]) m_apLetter[c][r]->Tick(dt);
}

bool QLMBoard::IsAnyTileMoving() const {
  for (int c = 0; c < m_kMaxCols; ++c)
    for (int r = 0; r < m_kMaxRows; ++r)
      if (m_apLetter[c][r] && m_apLetter[c][r]->IsMoving()) return true;
  return false;
}

void QLMBoard::Render(int width, int height) {
  for (int c = 0; c < m_nCols; ++c)
    for (int r = 0; r < m_nRows; ++r)
      if (m_apLetter[c][r]) m_apLetter[c][r]->Render(width, height);
  Point selected;
  Point at;
  if (IsLetterSelected(selected) && LetterCoordToPoint(selected, &at)) {
    glColor4f(0.7f, 0.0f, 0.0f, 1.0f);
    glLineWidth(bookscale::LineWidth(3.0f));
    Scribble::Render(Scribble::kScribbleCircle, at);
  }
}

bool QLMBoard::InUsedArea(int col, int row) const {
  return col >= 0 && col < m_nCols && row >= 0 && row < m_nRows;
}

bool QLMBoard::IsLegalCoord(Point coord) const {
  return InUsedArea(coord.h, coord.v) && m_apLetter[coord.h][coord.v] != nullptr;
}

QLMLetter* QLMBoard::GetLetter(int col, int row) const {
  return InUsedArea(col, row) ? m_apLetter[col][row] : nullptr;
}

bool QLMBoard::PointToLetterCoord(Point pt, Point* pCoord, bool* pfOutside) const {
  *pfOutside = false;
  int col = (pt.h - m_ptPos.h) / m_kHPosIncr;
  int row = (pt.v - m_ptPos.v) / m_kVPosIncr;
  *pCoord = Point{static_cast<int16_t>(row), static_cast<int16_t>(col)};
  Point cell;
  if (!LetterCoordToPoint(*pCoord, &cell)) {
    *pfOutside = true;
    return true;
  }
  int dh = pt.h - cell.h;
  int dv = pt.v - cell.v;
  bool inside = dh >= m_kLeftMarginSize && m_kHPosIncr - dh >= m_kRightMarginSize &&
                dv >= m_kTopMarginSize && m_kVPosIncr - dv >= m_kBottomMarginSize;
  if (!inside) *pfOutside = true;
  return true;
}

bool QLMBoard::LetterCoordToPoint(Point coord, Point* pPt) const {
  if (!IsLegalCoord(coord)) return false;
  pPt->h = static_cast<int16_t>(m_ptPos.h + m_kHPosIncr * coord.h);
  pPt->v = static_cast<int16_t>(m_ptPos.v + m_kVPosIncr * coord.v);
  return true;
}

bool QLMBoard::LetterCoordToPoint(int h, int v, Point* pPt) const {
  return LetterCoordToPoint(Point{static_cast<int16_t>(v), static_cast<int16_t>(h)}, pPt);
}

void QLMBoard::DoSelect(Point coord) {
  if (IsLegalCoord(coord))
    m_ptSelected = coord;
  else
    ClearSelection();
}

bool QLMBoard::IsLetterSelected(Point& coord) const {
  if (m_ptSelected.v < 0) return false;
  coord = m_ptSelected;
  return true;
}

bool QLMBoard::DoSwapMove(Point a, Point b) {
  Point ptA, ptB;
  if (!LetterCoordToPoint(a, &ptA) || !LetterCoordToPoint(b, &ptB)) return false;
  float speed = MoveSpeed("_LetterSwapSpeed");
  m_apLetter[a.h][a.v]->MoveTowards_Linear(ptB, speed);
  m_apLetter[b.h][b.v]->MoveTowards_Linear(ptA, speed);
  std::swap(m_apLetter[a.h][a.v], m_apLetter[b.h][b.v]);
  ClearSelection();
  return true;
}

bool QLMBoard::IsStraightRun(Point first, Point last) {
  int dh = std::abs(last.h - first.h);
  int dv = std::abs(last.v - first.v);
  return dh == 0 || dv == 0 || dh == dv;
}

bool QLMBoard::StringFromBoard(Point first, Point last, char* word) {
  // A pair on no common row, column or diagonal would read cells the stroke never touched.
  if (!IsStraightRun(first, last)) return false;
  Run run = RunBetween(first, last);
  for (int i = 0; i < run.length; ++i) {
    int c = first.h + i * run.stepH;
    int r = first.v + i * run.stepV;
    if (!InUsedArea(c, r) || !m_apLetter[c][r]) return false;
    word[i] = m_apLetter[c][r]->GetChar();
  }
  word[run.length] = '\0';
  return true;
}

bool QLMBoard::RemoveIfLegalWord(Point first, Point last, int& score) {
  if (!IsLegalCoord(first) || !IsLegalCoord(last)) return false;
  char word[m_kMaxRows + 1];
  if (!StringFromBoard(first, last, word)) return false;
  if (!m_pDict || !m_pDict->IsValid(word)) return false;
  DoRemoveWord(first, last);
  int length = static_cast<int>(strlen(word));
  score = ComputeScore(length);
  m_nLettersRemaining -= length;
  return true;
}

void QLMBoard::DoRemoveWord(Point first, Point last) {
  if (!IsStraightRun(first, last)) return;
  float speed = MoveSpeed("_LetterFallSpeed");
  Run run = RunBetween(first, last);
  Point dest;
  if (run.stepH != 0) {
    for (int i = 0; i < run.length; ++i) {
      int c = first.h + i * run.stepH;
      int r = first.v + i * run.stepV;
      if (!InUsedArea(c, r)) continue;
      QLMLetter* taken = m_apLetter[c][r];
      for (int k = r - 1; k >= 0; --k) {
        if (QLMLetter* tile = m_apLetter[c][k]) {
          dest = Point{static_cast<int16_t>(m_ptPos.v + m_kVPosIncr * (k + 1)),
                       static_cast<int16_t>(m_ptPos.h + m_kHPosIncr * c)};
          tile->MoveTowards_Linear(dest, speed);
        }
        m_apLetter[c][k + 1] = m_apLetter[c][k];
      }
      m_apLetter[c][0] = nullptr;
      delete taken;
    }
    return;
  }
  int c = first.h;
  if (!InUsedArea(c, 0)) return;
  int n = run.length;
  int bottom = std::min(std::max<int>(first.v, last.v), m_nRows - 1);
  for (int k = bottom; k >= 0; --k) {
    delete m_apLetter[c][k];
    m_apLetter[c][k] = nullptr;
    if (k - n >= 0) {
      m_apLetter[c][k] = m_apLetter[c][k - n];
      m_apLetter[c][k - n] = nullptr;
      if (QLMLetter* tile = m_apLetter[c][k]) {
        dest = Point{static_cast<int16_t>(m_ptPos.v + m_kVPosIncr * k),
                     static_cast<int16_t>(m_ptPos.h + m_kHPosIncr * c)};
        tile->MoveTowards_Linear(dest, speed);
      }
    }
  }
}

void QLMBoard::GetSize(int& width, int& height) const {
  width = m_nCols * m_kHPosIncr;
  height = m_nRows * m_kVPosIncr;
}

int QLMBoard::ComputeScore(int length) {
  if (length < 0) return 0;
  return adPointValues[std::min(length, 8)];
}

int QLMBoard::ComputeBonus() const {
  int cells = m_nCols * m_nRows;
  if (cells == 0) return 0;
  float f = static_cast<float>(m_nLettersRemaining) / static_cast<float>(cells);
  float x = f - 1.0f;
  return static_cast<int>(2000.0f * x * x * x * x);
}
