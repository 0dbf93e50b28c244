// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "core/Game.h"
#include "puzzle/PageBoard.h"
#include "puzzle/QLMBoard.h"
#include "puzzle/QLMLetter.h"
#include "support/Book.h"

namespace {

// The board page as a player sees it in "Beat the Clock": tiles on the paper, the score panel,
// the dial, a selected tile and a stroke being drawn. Saved for the README and for looking at.
TEST(BoardScreenshot, TheBoardPageInPlay) {
  Book game({{"_TimePerWord", 12}});
  game.Pages().RandomizeBoard();
  game.Pages().SetTimerMode(true);
  game.TurnTo(Universe::kPageBoard);
  for (int i = 0; i < 40; ++i) game.Frame(0.1);  // a third of the time per word is used

  int x, y, x2, y2;
  game.CellCentre(6, 1, &x, &y);
  game.Click(x, y);
  game.CellCentre(1, 4, &x, &y);
  game.CellCentre(4, 7, &x2, &y2);
  game.MouseDown(x, y);
  for (int i = 1; i <= 10; ++i) game.MouseMove(x + (x2 - x) * i / 10, y + (y2 - y) * i / 10);
  game.Frame(0.0);
  PixelImage shot = game.GL().ReadPixels();
  ASSERT_TRUE(shot.SavePng(QM_BINARY_DIR "/board-shot.png"));

  TQ3Vector3D page = game.Pages().GetPage(Universe::kPageBoard)->GetPos();
  auto dark = [](const PixelImage::Pixel& p) { return p.r + p.g + p.b < 200; };
  // Letters: dark ink inside the cells of the board.
  Point origin = game.Board().GetBoardOrigin();
  int inked = 0;
  for (int yy = 0; yy < 308; ++yy)
    for (int xx = 0; xx < 224; ++xx)
      inked += dark(shot.At(static_cast<int>(page.x) + origin.h + xx,
                            static_cast<int>(page.y) + origin.v + yy));
  EXPECT_GT(inked, 2000);
  // The stroke: dark red along its middle.
  const auto& mid = shot.At((x + x2) / 2, (y + y2) / 2);
  EXPECT_GT(mid.r, 80);
  EXPECT_LT(mid.g, 60);
  // The dial: green where the time left is drawn, left of its centre at (424, 165).
  const auto& dial = shot.At(static_cast<int>(page.x) + 424 - 12, static_cast<int>(page.y) + 165);
  EXPECT_GT(dial.g, 120);
  EXPECT_LT(dial.r, 60);
}

// Every letter's ink is centred in the mark that circles a selected tile, the point (8, 13.5)
// from the cell's corner, so that the mark, the hot zone and a stroke all meet the letter.
TEST(BoardScreenshot, EveryLetterSitsInTheMiddleOfItsMark) {
  Book game;
  game.Pages().RandomizeBoard();
  game.TurnTo(Universe::kPageBoard);
  QLMBoard& board = *game.Board().GetBoard();
  for (int i = 0; i < 26; ++i) board.GetLetter(i % 8, i / 8)->SetChar(static_cast<char>('A' + i));
  game.Frame(0.0);
  PixelImage shot = game.GL().ReadPixels();

  TQ3Vector3D page = game.Pages().GetPage(Universe::kPageBoard)->GetPos();
  Point origin = game.Board().GetBoardOrigin();
  for (int i = 0; i < 26; ++i) {
    SCOPED_TRACE(std::string(1, static_cast<char>('A' + i)));
    const int left = static_cast<int>(page.x) + origin.h + (i % 8) * QLMBoard::m_kHPosIncr;
    const int top = static_cast<int>(page.y) + origin.v + (i / 8) * QLMBoard::m_kVPosIncr;
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    for (int y = top - 4; y < top + QLMBoard::m_kVPosIncr + 4; ++y)
      for (int x = left - 4; x < left + QLMBoard::m_kHPosIncr; ++x) {
        const auto& p = shot.At(x, y);
        if (p.r + p.g + p.b >= 384) continue;
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
    ASSERT_GE(x1, 0) << "no ink";
    EXPECT_LE(std::fabs((x0 + x1 + 1) / 2.0 - left - 8.0), 1.5) << x0 - left << ".." << x1 - left;
    EXPECT_LE(std::fabs((y0 + y1 + 1) / 2.0 - top - 13.5), 1.5) << y0 - top << ".." << y1 - top;
  }
}

}  // namespace
