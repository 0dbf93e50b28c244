// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Log.h"

class Dict;
class QLMLetter;

// The rules of the letter grid: dealing, the selected tile, swaps, crossing out a straight run
// that spells a word, the letters above falling into the gap, and the scores. Board points are
// pixels from the top-left cell's corner; letter coordinates are column h and row v.
class QLMBoard {
 public:
  static constexpr int m_kHPosIncr = 28;
  static constexpr int m_kVPosIncr = 28;
  static constexpr int m_kLeftMarginSize = 2;
  static constexpr int m_kRightMarginSize = 9;
  static constexpr int m_kTopMarginSize = 8;
  static constexpr int m_kBottomMarginSize = 2;
  static constexpr int m_kMaxCols = 10;
  static constexpr int m_kMaxRows = 20;

  QLMBoard(int nCols, int nRows);
  ~QLMBoard();
  QLMBoard(const QLMBoard&) = delete;
  QLMBoard& operator=(const QLMBoard&) = delete;

  void AddDict(Dict* pDict) { m_pDict = pDict; }
  void Randomize(int nCols, int nRows);
  static char RandChar();

  void Tick(double dt);
  // Whether any tile is still falling or changing places.
  bool IsAnyTileMoving() const;
  void Render(int width, int height);

  // Always true; pfOutside tells whether the point misses the cell's hot zone.
  bool PointToLetterCoord(Point pt, Point* pCoord, bool* pfOutside) const;
  bool LetterCoordToPoint(Point coord, Point* pPt) const;
  bool LetterCoordToPoint(int h, int v, Point* pPt) const;
  bool IsLegalCoord(Point coord) const;

  void ClearSelection() { m_ptSelected = Point{-1, -1}; }
  void DoSelect(Point coord);
  bool IsLetterSelected(Point& coord) const;

  bool DoSwapMove(Point a, Point b);
  // Only runs along a row, a column or a 45-degree diagonal are words.
  bool RemoveIfLegalWord(Point first, Point last, int& score);
  void DoRemoveWord(Point first, Point last);
  // word must hold at least m_kMaxRows + 1 characters.
  bool StringFromBoard(Point first, Point last, char* word);

  void GetSize(int& width, int& height) const;
  void SetPos(int h, int v) { m_ptPos = Point{static_cast<int16_t>(v), static_cast<int16_t>(h)}; }
  static int ComputeScore(int length);
  int ComputeBonus() const;
  int GetLettersRemaining() const { return m_nLettersRemaining; }
  // The tile in a slot, or null; for the page and for tests that read the grid.
  QLMLetter* GetLetter(int col, int row) const;

 private:
  static bool IsStraightRun(Point first, Point last);
  bool InUsedArea(int col, int row) const;

  int m_nCols;
  int m_nRows;
  Point m_ptPos;
  QLMLetter* m_apLetter[m_kMaxCols][m_kMaxRows];
  Dict* m_pDict;
  int m_nLettersRemaining;
  Point m_ptSelected;
};
