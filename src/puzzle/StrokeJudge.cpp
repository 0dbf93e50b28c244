// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/StrokeJudge.h"

#include <cmath>

#include "puzzle/QLMBoard.h"
#include "puzzle/Scribble.h"

StrokeCells JudgeStroke(const QLMBoard& board, const Scribble& stroke, bool fFreeform) {
  StrokeCells cells;
  Point previous{0, 0};
  int dirH = 0, dirV = 0;
  const int count = stroke.Size();
  for (int i = 0; i < count; ++i) {
    Point cell;
    bool fOutside = false;
    board.PointToLetterCoord(stroke.GetPoint(i), &cell, &fOutside);
    if (fOutside) continue;
    if (!cells.fFound) {
      cells.first = cells.last = previous = cell;
      cells.fFound = true;
      continue;
    }
    cells.last = cell;
    if (!fFreeform && i != count - 1) continue;
    if (PointEquals(cell, previous)) continue;
    // The offset from the first cell scaled so that its horizontal part (or, in a column, its
    // vertical part) is one: every cell on one ray from the first cell gives the same step.
    float ch = static_cast<float>(cell.h - cells.first.h);
    float cv = static_cast<float>(cell.v - cells.first.v);
    const float scale = ch != 0.0f ? std::fabs(ch) : std::fabs(cv);
    if (scale != 0.0f) {
      ch /= scale;
      cv /= scale;
    }
    if (dirH == 0 && dirV == 0) {
      dirH = static_cast<int>(ch);
      dirV = static_cast<int>(cv);
    } else if (cells.fStraight) {
      cells.fStraight = ch == static_cast<float>(dirH) && cv == static_cast<float>(dirV);
    }
    previous = cell;
  }
  return cells;
}
