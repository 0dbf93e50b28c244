// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/GameSettings.h"
#include "puzzle/QLMBoard.h"
#include "puzzle/Scribble.h"
#include "puzzle/StrokeJudge.h"
#include "support/TestSupport.h"

namespace {

struct Spot {
  int h, v;
};

// A point of a cell, in board points, from the middle of its hot zone.
Spot C(int col, int row, int dh = 0, int dv = 0) {
  return {28 * col + 10 + dh, 28 * row + 17 + dv};
}

// What a stroke came to, in words: "none", or its first and last cells (column, row) and
// whether it ran straight ("ok") or not ("bent").
std::string Verdict(const StrokeCells& c) {
  if (!c.fFound) return "none";
  return std::to_string(c.first.h) + "," + std::to_string(c.first.v) + " to " +
         std::to_string(c.last.h) + "," + std::to_string(c.last.v) +
         (c.fStraight ? " ok" : " bent");
}

// Cases differ only in the stroke, drawn through the spots and recorded as the page records it
// (a point every few pixels), and in what it comes to. In straight-line mode only the ends
// count; the board then reads the run between them.
TEST(JudgeStroke, FirstCellLastCellAndStraightnessInEitherMode) {
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  const QLMBoard board(8, 11);
  const std::vector<Spot> wander = {C(0, 5), C(1, 4, 2, -8), C(2, 6, 4, 5), C(3, 4, 6), C(4, 5)};
  const std::vector<Spot> bend = {C(0, 5), C(2, 5), C(2, 7)};
  const struct {
    const char* name;
    bool freeform;
    std::vector<Spot> spots;
    const char* verdict;
  } cases[] = {
      // clang-format off
      {"no point",            true,  {},                                     "none"},
      {"a click off a cell",  true,  {C(3, 4, 0, -13)},                      "none"},
      {"a click",             true,  {C(3, 4)},                              "3,4 to 3,4 ok"},
      {"a shaky click",       true,  {C(3, 4), C(3, 4, 6, 5), C(3, 4, -6)},  "3,4 to 3,4 ok"},
      {"from a dead strip",   true,  {C(0, 10, 0, -14), C(1, 10), C(3, 10)}, "1,10 to 3,10 ok"},
      {"backwards",           true,  {C(2, 5), C(0, 5)},                     "2,5 to 0,5 ok"},
      {"down a diagonal",     true,  {C(0, 0), C(3, 3)},                     "0,0 to 3,3 ok"},
      {"up a column",         true,  {C(6, 9), C(6, 2)},                     "6,9 to 6,2 ok"},
      {"back along itself",   true,  {C(1, 5), C(4, 5), C(2, 5)},            "1,5 to 2,5 ok"},
      {"back over its start", true,  {C(1, 5), C(3, 5), C(0, 5)},            "1,5 to 0,5 bent"},
      {"right, then down",    true,  bend,                                   "0,5 to 2,7 bent"},
      {"wandering",           true,  wander,                                 "0,5 to 4,5 bent"},
      {"a gentle slope",      true,  {C(0, 0), C(4, 2)},                     "0,0 to 4,2 bent"},
      {"bent, straight-line", false, bend,                                   "0,5 to 2,7 ok"},
      {"wandering, straight", false, wander,                                 "0,5 to 4,5 ok"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Scribble stroke;
    auto add = [&](int h, int v) { stroke.AddPoint(Point{int16_t(v), int16_t(h)}); };
    if (!c.spots.empty()) add(c.spots[0].h, c.spots[0].v);
    for (size_t i = 1; i < c.spots.size(); ++i) {
      const Spot a = c.spots[i - 1], b = c.spots[i];
      const int steps = std::max(1, std::max(std::abs(b.h - a.h), std::abs(b.v - a.v)) / 4);
      for (int s = 1; s <= steps; ++s)
        add(a.h + (b.h - a.h) * s / steps, a.v + (b.v - a.v) * s / steps);
    }
    EXPECT_EQ(Verdict(JudgeStroke(board, stroke, c.freeform)), c.verdict) << c.name;
  }
}

}  // namespace
