// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Game.h"
#include "puzzle/Dict.h"
#include "puzzle/PageBoard.h"
#include "puzzle/QLMBoard.h"
#include "puzzle/QLMLetter.h"
#include "support/Book.h"

namespace {

Point At(int col, int row) {
  return Point{static_cast<int16_t>(row), static_cast<int16_t>(col)};
}

// A game on the board page, played with real input events through the controller and the book.
class BoardGame : public ::testing::Test {
 protected:
  std::unique_ptr<Book> game;

  void Start(bool fTimerMode, std::vector<std::pair<std::string, int>> settings = {}) {
    game = std::make_unique<Book>(settings);
    game->Pages().RandomizeBoard();
    game->Pages().SetTimerMode(fTimerMode);
    game->TurnTo(Universe::kPageBoard);
  }
  QLMBoard& Board() { return *game->Board().GetBoard(); }
  char Letter(int col, int row) {
    QLMLetter* tile = Board().GetLetter(col, row);
    return tile ? tile->GetChar() : '.';
  }
  std::string Run(Point first, Point last) {
    char word[QLMBoard::m_kMaxRows + 1];
    return Board().StringFromBoard(first, last, word) ? word : "";
  }
  void MakeWord(Point first, Point last) {
    Game::pGame->GetDict()->AddValid(Run(first, last).c_str());
  }
  void ClickCell(int col, int row) {
    int x, y;
    game->CellCentre(col, row, &x, &y);
    game->Click(x, y);
  }
  // A stroke through window points, 4 pixels at a time as a hand moves.
  void Stroke(const std::vector<std::pair<int, int>>& points) {
    game->MouseDown(points[0].first, points[0].second);
    for (size_t i = 1; i < points.size(); ++i) {
      auto [x0, y0] = points[i - 1];
      auto [x1, y1] = points[i];
      int steps = std::max(1, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 4);
      for (int s = 1; s <= steps; ++s)
        game->MouseMove(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps);
    }
    game->MouseUp(points.back().first, points.back().second);
  }
  std::pair<int, int> Centre(int col, int row) {
    int x, y;
    game->CellCentre(col, row, &x, &y);
    return {x, y};
  }
};

TEST_F(BoardGame, ClicksSelectDeselectAndSwapAtACostInARegularGame) {
  Start(false);
  Point selected;
  ClickCell(2, 3);
  ASSERT_TRUE(Board().IsLetterSelected(selected));
  EXPECT_TRUE(PointEquals(selected, At(2, 3)));
  ClickCell(2, 3);
  EXPECT_FALSE(Board().IsLetterSelected(selected));

  char a = Letter(2, 3), b = Letter(5, 9);
  ClickCell(2, 3);
  ClickCell(5, 9);
  EXPECT_EQ(Letter(2, 3), b);
  EXPECT_EQ(Letter(5, 9), a);
  EXPECT_FALSE(Board().IsLetterSelected(selected));
  EXPECT_EQ(game->Board().GetScore(), -10);
  ClickCell(0, 0);
  ClickCell(7, 10);
  EXPECT_EQ(game->Board().GetScore(), -20);
  EXPECT_EQ(Board().GetLettersRemaining(), 88);
}

TEST_F(BoardGame, SwapsAreFreeAgainstTheClock) {
  Start(true);
  char a = Letter(1, 1), b = Letter(6, 6);
  ClickCell(1, 1);
  ClickCell(6, 6);
  EXPECT_EQ(Letter(1, 1), b);
  EXPECT_EQ(Letter(6, 6), a);
  EXPECT_EQ(game->Board().GetScore(), 0);
}

TEST_F(BoardGame, StrokesStartAtTheFirstHotZoneAndAreJudgedByTheirMode) {
  Start(false);
  // From the dead strip at the top of cell (0, 10) down into (1, 10), then along to (3, 10).
  std::string row = Run(At(0, 10), At(7, 10));
  MakeWord(At(1, 10), At(3, 10));
  auto [x1, y1] = Centre(1, 10);
  auto [x3, y3] = Centre(3, 10);
  Stroke({{x1 - 28, y1 - 15}, {x1, y1}, {x3, y3}});
  EXPECT_EQ(Board().GetLettersRemaining(), 85);
  EXPECT_EQ(game->Board().GetScore(), 10);
  EXPECT_EQ(Letter(0, 10), row[0]);
  EXPECT_EQ(Letter(4, 10), row[4]);

  // Freeform: a stroke that goes right and then turns down removes nothing and drops the
  // selection.
  ClickCell(6, 2);
  MakeWord(At(0, 5), At(2, 5));
  auto [a, b] = Centre(0, 5);
  auto [c, d] = Centre(2, 5);
  auto [e, f] = Centre(2, 7);
  Stroke({{a, b}, {c, d}, {e, f}});
  EXPECT_EQ(Board().GetLettersRemaining(), 85);
  Point selected;
  EXPECT_FALSE(Board().IsLetterSelected(selected));

  // The same run crossed out backwards reads reversed and is refused, unless the reversed
  // letters happen to be a word of the list too.
  std::string word = Run(At(0, 5), At(2, 5));
  std::string reversed(word.rbegin(), word.rend());
  if (!Game::pGame->GetDict()->IsValid(reversed.c_str())) {
    Stroke({{c, d}, {a, b}});
    EXPECT_EQ(Board().GetLettersRemaining(), 85);
  }
  Stroke({{a, b}, {c, d}});
  EXPECT_EQ(Board().GetLettersRemaining(), 82);
}

TEST_F(BoardGame, AStraightLineStrokeMayWanderBetweenItsEnds) {
  Start(false, {{"FreeformWordCrossOut", 0}});
  MakeWord(At(0, 5), At(4, 5));
  auto [x0, y0] = Centre(0, 5);
  auto [x4, y4] = Centre(4, 5);
  Stroke({{x0, y0}, {x0 + 30, y0 - 40}, {x0 + 60, y0 + 45}, {x0 + 90, y0 - 20}, {x4, y4}});
  EXPECT_EQ(Board().GetLettersRemaining(), 83);
  EXPECT_EQ(game->Board().GetScore(), 50);
}

TEST_F(BoardGame, TheLastTilesEndTheGameOnce) {
  Start(false);
  for (int i = 0; i < 11; ++i) {
    MakeWord(At(0, 10), At(7, 10));
    auto [x0, y0] = Centre(0, 10);
    auto [x7, y7] = Centre(7, 10);
    Stroke({{x0, y0}, {x7, y7}});
  }
  EXPECT_EQ(Board().GetLettersRemaining(), 0);
  EXPECT_EQ(game->Board().GetScore(), 11 * 400);
  EXPECT_EQ(game->Board().GetBonus(), 2000);
  EXPECT_EQ(game->Pages().GetCurrentPage(), Universe::kPageGameMenu);
  game->Settle();
  EXPECT_EQ(game->Pages().GetPreviousPage(), Universe::kPageBoard);
}

TEST_F(BoardGame, TheCountdownRunsFromTheCompletedTurnAndEndsTheGameOnce) {
  game = std::make_unique<Book>(std::vector<std::pair<std::string, int>>{{"_TimePerWord", 12}});
  game->Pages().RandomizeBoard();
  game->Pages().SetTimerMode(true);
  game->Pages().TurnToPage(Universe::kPageBoard);
  EXPECT_DOUBLE_EQ(game->Board().GetCountdownLeft(), 12.0);
  for (int i = 0; i < 5; ++i) game->Frame(0.05);  // the turn is still under way
  EXPECT_FALSE(game->Board().IsCountdownRunning());
  EXPECT_DOUBLE_EQ(game->Board().GetCountdownLeft(), 12.0);
  game->Settle();
  ASSERT_TRUE(game->Board().IsCountdownRunning());
  double left = game->Board().GetCountdownLeft();
  game->Frame(1.0);
  EXPECT_NEAR(game->Board().GetCountdownLeft(), left - 1.0, 1e-9);

  MakeWord(At(0, 10), At(2, 10));
  Stroke({Centre(0, 10), Centre(2, 10)});
  EXPECT_DOUBLE_EQ(game->Board().GetCountdownLeft(), 12.0);

  // The pause key twice returns to the game; the countdown ran on in between.
  game->Key(SDLK_ESCAPE);
  EXPECT_TRUE(game->Board().IsGamePaused());
  game->Frame(2.0);
  game->Key(SDLK_ESCAPE);
  EXPECT_FALSE(game->Board().IsGamePaused());
  EXPECT_DOUBLE_EQ(game->Board().GetCountdownLeft(), 10.0);

  for (int i = 0; i < 11; ++i) game->Frame(1.0);
  EXPECT_EQ(game->Pages().GetCurrentPage(), Universe::kPageGameMenu);
  game->Settle();
  for (int i = 0; i < 20; ++i) game->Frame(1.0);
  EXPECT_EQ(game->Pages().GetPreviousPage(), Universe::kPageBoard);
}

TEST_F(BoardGame, ThePausedMenuAnswersWhereItIsDrawn) {
  Start(false);
  game->Key(SDLK_ESCAPE);
  ASSERT_TRUE(game->Board().IsGamePaused());
  game->Frame();  // the menu's items are measured when first drawn
  TQ3Vector3D page = game->Pages().GetPage(Universe::kPageBoard)->GetPos();
  // "Continue Game" is the paused menu's first item, at (204, 230) on the page.
  game->Click(static_cast<int>(page.x) + 214, static_cast<int>(page.y) + 238);
  EXPECT_FALSE(game->Board().IsGamePaused());
}

}  // namespace
