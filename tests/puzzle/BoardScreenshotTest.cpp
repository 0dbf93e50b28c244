// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
  const PixelImage shot = game.GL().ReadPixels();
  ASSERT_TRUE(shot.SavePng(QM_BINARY_DIR "/board-shot.png"));

  const TQ3Vector3D page = game.Pages().GetPage(Universe::kPageBoard)->GetPos();
  const Point origin = game.Board().GetBoardOrigin();
  const int left = static_cast<int>(page.x) + origin.h, top = static_cast<int>(page.y) + origin.v;
  const auto dark = [](const PixelImage::Pixel& p) { return p.Sum() < 200; };
  EXPECT_GT(Count(shot, {left, top, 224, 308}, dark), 2000) << "the letters";
  const auto& stroke = shot.At((x + x2) / 2, (y + y2) / 2);
  EXPECT_TRUE(stroke.r > 80 && stroke.g < 60) << "dark red along the stroke";
  // Green where the time left is drawn, left of the dial's centre at (424, 165).
  const auto& dial = shot.At(static_cast<int>(page.x) + 424 - 12, static_cast<int>(page.y) + 165);
  EXPECT_TRUE(dial.g > 120 && dial.r < 60) << "the dial";
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
  const PixelImage shot = game.GL().ReadPixels();

  const TQ3Vector3D page = game.Pages().GetPage(Universe::kPageBoard)->GetPos();
  const Point origin = game.Board().GetBoardOrigin();
  for (int i = 0; i < 26; ++i) {
    SCOPED_TRACE(std::string(1, static_cast<char>('A' + i)));
    const int left = static_cast<int>(page.x) + origin.h + (i % 8) * QLMBoard::m_kHPosIncr;
    const int top = static_cast<int>(page.y) + origin.v + (i / 8) * QLMBoard::m_kVPosIncr;
    const Box ink = InkBounds(shot, {left - 4, top - 4, 4 + QLMBoard::m_kHPosIncr, 8 + 28});
    ASSERT_GT(ink.width, 0) << "no ink";
    EXPECT_LE(std::fabs(ink.x + ink.width / 2.0 - left - 8.0), 1.5)
        << ink.x - left << "+" << ink.width;
    EXPECT_LE(std::fabs(ink.y + ink.height / 2.0 - top - 13.5), 1.5)
        << ink.y - top << "+" << ink.height;
  }
}

}  // namespace
