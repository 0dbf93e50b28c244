// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/Game.h"
#include "puzzle/PageBoard.h"
#include "puzzle/QLMBoard.h"
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

}  // namespace
