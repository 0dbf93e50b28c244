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

// A game on the board page, played with real input events through the controller and the book,
// with 12 seconds for each word.
class BoardGame : public ::testing::Test {
 protected:
  // The book turned to the board: settled, or with the turn still under way.
  void Start(bool fTimerMode, bool settle = true) {
    game.reset();  // one game at a time
    game = std::make_unique<Book>(std::vector<std::pair<std::string, int>>{{"_TimePerWord", 12}});
    game->Pages().RandomizeBoard();
    game->Pages().SetTimerMode(fTimerMode);
    game->Pages().TurnToPage(Universe::kPageBoard);
    if (settle) game->Settle();
  }
  PageBoard& Page() { return game->Board(); }
  QLMBoard& Board() { return *Page().GetBoard(); }
  char Letter(int col, int row) { return Board().GetLetter(col, row)->GetChar(); }
  bool Selected(Point* at = nullptr) {
    Point selected;
    const bool fSelected = Board().IsLetterSelected(selected);
    if (at) *at = selected;
    return fSelected;
  }
  // Makes the run from the first cell to the last a word of the list.
  void MakeWord(Point first, Point last) {
    char word[QLMBoard::m_kMaxRows + 1];
    ASSERT_TRUE(Board().StringFromBoard(first, last, word));
    Game::pGame->GetDict()->AddValid(word);
  }
  // A press on the first cell, moves through the cells 4 pixels at a time as a hand moves, and a
  // release on the last: a click when there is one cell.
  void Stroke(const std::vector<Point>& cells) {
    int x0, y0, x1, y1;
    game->CellCentre(cells[0].h, cells[0].v, &x0, &y0);
    game->MouseDown(x0, y0);
    for (Point cell : cells) {
      game->CellCentre(cell.h, cell.v, &x1, &y1);
      const int steps = std::max(1, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 4);
      for (int s = 1; s <= steps; ++s)
        game->MouseMove(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps);
      x0 = x1, y0 = y1;
    }
    game->MouseUp(x1, y1);
  }
  std::unique_ptr<Book> game;
};

// A click selects, a click on the same tile puts it back, a click on another tile swaps the
// two: 10 points in a regular game, free against the clock. A straight stroke over a word
// crosses it out; a stroke that turns crosses out nothing and drops the selection.
TEST_F(BoardGame, ClicksSelectAndSwapAndStrokesCrossOut) {
  for (bool timer : {false, true}) {
    SCOPED_TRACE(timer ? "Beat the Clock" : "Regular Game");
    Start(timer);
    Point selected;
    Stroke({At(2, 3)});
    EXPECT_TRUE(Selected(&selected) && PointEquals(selected, At(2, 3)));
    Stroke({At(2, 3)});
    EXPECT_FALSE(Selected());
    const char a = Letter(2, 3), b = Letter(5, 9);
    Stroke({At(2, 3)});
    Stroke({At(5, 9)});
    EXPECT_TRUE(Letter(2, 3) == b && Letter(5, 9) == a);
    EXPECT_FALSE(Selected());
    EXPECT_EQ(Page().GetScore(), timer ? 0 : -10);

    MakeWord(At(0, 5), At(2, 5));
    Stroke({At(6, 2)});
    Stroke({At(0, 5), At(2, 5), At(2, 7)});
    EXPECT_EQ(Board().GetLettersRemaining(), 88);
    EXPECT_FALSE(Selected());
    Stroke({At(6, 2)});
    Stroke({At(0, 5), At(2, 5)});
    EXPECT_EQ(Board().GetLettersRemaining(), 85);
    EXPECT_EQ(Page().GetScore(), timer ? 10 : 0);
    EXPECT_FALSE(Selected());
  }
}

// Crossing out the last tiles ends the game, once, with the full clearing bonus.
TEST_F(BoardGame, TheLastTilesEndTheGameOnce) {
  Start(false);
  for (int i = 0; i < 11; ++i) {
    MakeWord(At(0, 10), At(7, 10));
    Stroke({At(0, 10), At(7, 10)});
  }
  EXPECT_EQ(Board().GetLettersRemaining(), 0);
  EXPECT_EQ(Page().GetScore(), 11 * 400);
  EXPECT_EQ(Page().GetBonus(), 2000);
  EXPECT_EQ(game->Pages().GetCurrentPage(), Universe::kPageGameMenu);
  game->Settle();
  EXPECT_EQ(game->Pages().GetPreviousPage(), Universe::kPageBoard);
}

// The countdown starts when the turn to the board has ended, starts again with every word, runs
// on while the paused menu shows, and ends the game once.
TEST_F(BoardGame, TheCountdown) {
  Start(true, false);
  for (int i = 0; i < 5; ++i) game->Frame(0.05);
  EXPECT_FALSE(Page().IsCountdownRunning());
  EXPECT_DOUBLE_EQ(Page().GetCountdownLeft(), 12.0);
  game->Settle();
  const double left = Page().GetCountdownLeft();
  game->Frame(1.0);
  EXPECT_NEAR(Page().GetCountdownLeft(), left - 1.0, 1e-9);
  MakeWord(At(0, 10), At(2, 10));
  Stroke({At(0, 10), At(2, 10)});
  EXPECT_DOUBLE_EQ(Page().GetCountdownLeft(), 12.0);
  game->Key(SDLK_ESCAPE);
  EXPECT_TRUE(Page().IsGamePaused());
  game->Frame(2.0);
  game->Key(SDLK_ESCAPE);
  EXPECT_FALSE(Page().IsGamePaused());
  EXPECT_DOUBLE_EQ(Page().GetCountdownLeft(), 10.0);
  for (int i = 0; i < 11; ++i) game->Frame(1.0);
  EXPECT_EQ(game->Pages().GetCurrentPage(), Universe::kPageGameMenu);
  game->Settle();
  for (int i = 0; i < 20; ++i) game->Frame(1.0);
  EXPECT_EQ(game->Pages().GetPreviousPage(), Universe::kPageBoard);
}

}  // namespace
