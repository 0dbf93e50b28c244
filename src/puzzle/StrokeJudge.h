// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Log.h"

class QLMBoard;
class Scribble;

// What a stroke drawn over the board amounts to: the first and the last cell whose hot zone it
// touched, and whether it ran straight. In straight-line mode only the stroke's final point is
// weighed against its first cell, so the hand may wander between the ends; in freeform mode
// every cell it crosses must lie on the ray from the first cell along the stroke's first step.
struct StrokeCells {
  bool fFound = false;  // some point lay in a cell's hot zone
  bool fStraight = true;
  Point first{0, 0};
  Point last{0, 0};
};

StrokeCells JudgeStroke(const QLMBoard& board, const Scribble& stroke, bool fFreeform);
