// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "core/GameSettings.h"
#include "puzzle/Dict.h"
#include "puzzle/QLMBoard.h"
#include "puzzle/QLMLetter.h"
#include "support/TestSupport.h"

namespace {

Point At(int col, int row) {
  return Point{static_cast<int16_t>(row), static_cast<int16_t>(col)};
}

// A real board dealt from a fixed seed, with a dictionary that the test fills with runs it
// reads from the board itself.
class Board : public ::testing::Test {
 protected:
  void SetUp() override { board.AddDict(&dict); }
  std::string Read(Point first, Point last) {
    char word[QLMBoard::m_kMaxRows + 1];
    return board.StringFromBoard(first, last, word) ? std::string(word) : std::string("-");
  }
  // Makes the run a word and crosses it out; its score.
  int CrossOut(Point first, Point last) {
    dict.AddValid(Read(first, last).c_str());
    int score = -1;
    EXPECT_TRUE(board.RemoveIfLegalWord(first, last, score));
    return score;
  }
  // A column's letters from the top, "." for an empty slot.
  std::string Column(int col) {
    std::string text;
    for (int r = 0; r < 11; ++r)
      text += board.GetLetter(col, r) ? board.GetLetter(col, r)->GetChar() : '.';
    return text;
  }
  void Settle() {
    for (int i = 0; i < 1000; ++i) board.Tick(0.05);
  }
  TempDir home;
  const bool fresh = [this] {
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    GameSettings::Initialize();
    srand(2024);
    return true;
  }();
  Dict dict{"no-such-list.txt"};
  QLMBoard board{8, 11};
};

// 88 letters on a board of 224 x 308 points. A cell takes a stroke inside its hot zone, 2 points
// in from the left, 9 from the right, 8 from the top and 2 from the bottom; off the board, the
// division truncates to column or row 0, outside.
TEST_F(Board, AFreshDealAndTheHotZoneOfACell) {
  EXPECT_EQ(board.GetLettersRemaining(), 88);
  for (int c = 0; c < 8; ++c)
    EXPECT_EQ(Column(c).find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
  int width, height;
  board.GetSize(width, height);
  EXPECT_EQ(width, 224);
  EXPECT_EQ(height, 308);
  // Points around the cell of column 2, row 3, whose corner lies at h 56, v 84.
  const struct {
    int h, v;
    bool outside;
  } points[] = {{57, 99, true}, {58, 99, false}, {75, 99, false},  {76, 99, true},
                {66, 91, true}, {66, 92, false}, {66, 110, false}, {66, 111, true},
                {-5, -5, true}, {300, 20, true}};
  for (auto p : points) {
    Point coord;
    bool fOutside = false;
    board.PointToLetterCoord(Point{int16_t(p.v), int16_t(p.h)}, &coord, &fOutside);
    EXPECT_EQ(fOutside, p.outside) << p.h << ", " << p.v;
    EXPECT_TRUE(fOutside || PointEquals(coord, At(2, 3))) << p.h << ", " << p.v;
  }
}

// A word scores by its length; the clearing bonus grows toward 2000 as the board empties.
TEST_F(Board, ScoresByLengthAndTheClearingBonusAsTheBoardEmpties) {
  const int scores[] = {0, 0, 0, 10, 30, 50, 100, 200, 400, 400, 400};
  for (int length = 0; length <= 10; ++length)
    EXPECT_EQ(QLMBoard::ComputeScore(length), scores[length]);
  EXPECT_EQ(board.ComputeBonus(), 0);
  // Runs of the bottom row, whose columns refill from above as letters fall.
  for (auto [remaining, bonus] :
       {std::pair{66, 7}, {44, 125}, {22, 632}, {10, 1234}, {1, 1910}, {0, 2000}}) {
    while (board.GetLettersRemaining() > remaining) {
      int start = 0;
      while (!board.GetLetter(start, 10)) ++start;
      const int length = std::min(board.GetLettersRemaining() - remaining, 8 - start);
      CrossOut(At(start, 10), At(start + length - 1, 10));
    }
    EXPECT_EQ(board.ComputeBonus(), bonus) << remaining << " letters left";
  }
}

// Across the top row nothing falls. Down a column every tile above falls into the gap and
// glides there; along a diagonal each column above it drops one row.
TEST_F(Board, WordsInEveryDirectionAndTheLettersAbove) {
  EXPECT_EQ(CrossOut(At(0, 0), At(2, 0)), 10);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Column(c)[0], '.');
  for (int c = 0; c < 8; ++c)
    for (int r = 1; r < 11; ++r) EXPECT_FALSE(board.GetLetter(c, r)->IsMoving());

  const std::string column = Column(5);
  EXPECT_EQ(CrossOut(At(5, 8), At(5, 10)), 10);
  EXPECT_EQ(Column(5), "..." + column.substr(0, 8));
  for (int r = 3; r < 11; ++r) EXPECT_TRUE(board.GetLetter(5, r)->IsMoving());
  Settle();
  for (int r = 3; r < 11; ++r) {
    EXPECT_FLOAT_EQ(board.GetLetter(5, r)->GetPos().x, 5 * 28.0f);
    EXPECT_FLOAT_EQ(board.GetLetter(5, r)->GetPos().y, r * 28.0f);
  }

  std::string before[4];
  for (int c = 0; c < 4; ++c) before[c] = Column(c);
  EXPECT_EQ(CrossOut(At(0, 4), At(3, 7)), 30);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(Column(c), ("." + before[c]).erase(5 + c, 1)) << c;
  EXPECT_EQ(board.GetLettersRemaining(), 78);
}

// A run read backwards is the reversed word, refused unless that is a word too; cells on no
// common line are no word, whatever the run through them would spell.
TEST_F(Board, BackwardsAndOffTheLine) {
  const std::string forward = Read(At(0, 10), At(4, 10));
  EXPECT_EQ(Read(At(4, 10), At(0, 10)), std::string(forward.rbegin(), forward.rend()));
  dict.AddValid(forward.c_str());
  dict.AddValid(Read(At(0, 0), At(3, 3)).c_str());
  int score = 0;
  EXPECT_TRUE(forward == Read(At(4, 10), At(0, 10)) ||
              !board.RemoveIfLegalWord(At(4, 10), At(0, 10), score));
  EXPECT_EQ(Read(At(0, 0), At(3, 1)), "-");
  EXPECT_FALSE(board.RemoveIfLegalWord(At(0, 0), At(3, 1), score));
  EXPECT_EQ(board.GetLettersRemaining(), 88);
}

}  // namespace
