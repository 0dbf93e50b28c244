// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
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
  TempDir home;
  Dict dict{"no-such-list.txt"};
  std::unique_ptr<QLMBoard> board;

  void SetUp() override {
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    GameSettings::Initialize();
    srand(2024);
    board = std::make_unique<QLMBoard>(8, 11);
    board->AddDict(&dict);
  }

  std::string Read(Point first, Point last) {
    char word[QLMBoard::m_kMaxRows + 1];
    return board->StringFromBoard(first, last, word) ? std::string(word) : std::string("-");
  }

  // Makes the run a word and crosses it out.
  int CrossOut(Point first, Point last) {
    dict.AddValid(Read(first, last).c_str());
    int score = -1;
    EXPECT_TRUE(board->RemoveIfLegalWord(first, last, score));
    return score;
  }

  void Settle() {
    for (int i = 0; i < 1000; ++i) board->Tick(0.05);
  }

  const char* Column(int col) {
    static std::string text;
    text.clear();
    for (int r = 0; r < 11; ++r) {
      QLMLetter* tile = board->GetLetter(col, r);
      text += tile ? tile->GetChar() : '.';
    }
    return text.c_str();
  }
};

TEST_F(Board, AFreshDealAndTheHotZonesOfACell) {
  EXPECT_EQ(board->GetLettersRemaining(), 88);
  EXPECT_EQ(board->ComputeBonus(), 0);
  Point selected;
  EXPECT_FALSE(board->IsLetterSelected(selected));
  for (int c = 0; c < 8; ++c)
    for (int r = 0; r < 11; ++r) {
      ASSERT_NE(board->GetLetter(c, r), nullptr);
      char ch = board->GetLetter(c, r)->GetChar();
      EXPECT_TRUE(ch >= 'A' && ch <= 'Z');
    }
  EXPECT_EQ(board->GetLetter(8, 0), nullptr);
  int width, height;
  board->GetSize(width, height);
  EXPECT_EQ(width, 224);
  EXPECT_EQ(height, 308);

  // The cell of column 2, row 3 has its corner at h 56, v 84.
  auto outside = [&](int dh, int dv) {
    Point coord;
    bool fOutside = false;
    EXPECT_TRUE(board->PointToLetterCoord(
        Point{static_cast<int16_t>(84 + dv), static_cast<int16_t>(56 + dh)}, &coord, &fOutside));
    if (!fOutside) {
      EXPECT_TRUE(PointEquals(coord, At(2, 3)));
    }
    return fOutside;
  };
  EXPECT_TRUE(outside(1, 15));
  EXPECT_FALSE(outside(2, 15));
  EXPECT_FALSE(outside(19, 15));
  EXPECT_TRUE(outside(20, 15));
  EXPECT_TRUE(outside(10, 7));
  EXPECT_FALSE(outside(10, 8));
  EXPECT_FALSE(outside(10, 26));
  EXPECT_TRUE(outside(10, 27));

  // Left of and above the board, the division truncates to column and row 0, outside.
  Point coord;
  bool fOutside = false;
  board->PointToLetterCoord(Point{-5, -5}, &coord, &fOutside);
  EXPECT_TRUE(PointEquals(coord, At(0, 0)));
  EXPECT_TRUE(fOutside);
  board->PointToLetterCoord(Point{20, 300}, &coord, &fOutside);
  EXPECT_TRUE(fOutside);
}

TEST_F(Board, ScoresByLengthAndTheClearingBonusAsTheBoardEmpties) {
  const int scores[] = {0, 0, 0, 10, 30, 50, 100, 200, 400, 400, 400};
  for (int length = 0; length <= 10; ++length)
    EXPECT_EQ(QLMBoard::ComputeScore(length), scores[length]);

  // Crossing out runs of the bottom row, whose columns refill from above as letters fall. The
  // test's dictionary takes runs of any length, so that every count can be reached.
  auto removeTiles = [&](int count) {
    while (count > 0) {
      int start = 0;
      while (!board->GetLetter(start, 10)) ++start;
      int length = std::min(count, 8 - start);
      CrossOut(At(start, 10), At(start + length - 1, 10));
      count -= length;
    }
  };
  const std::pair<int, int> steps[] = {{88, 0},    {66, 7},   {44, 125}, {22, 632},
                                       {10, 1234}, {1, 1910}, {0, 2000}};
  for (auto [remaining, bonus] : steps) {
    removeTiles(board->GetLettersRemaining() - remaining);
    EXPECT_EQ(board->GetLettersRemaining(), remaining);
    EXPECT_EQ(board->ComputeBonus(), bonus) << remaining << " letters left";
  }
}

TEST_F(Board, HorizontalVerticalAndDiagonalWordsAndTheLettersAbove) {
  // A horizontal word in the top row leaves its columns' top slots empty and moves nothing.
  EXPECT_EQ(CrossOut(At(0, 0), At(2, 0)), 10);
  EXPECT_EQ(board->GetLettersRemaining(), 85);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(board->GetLetter(c, 0), nullptr);
  for (int c = 0; c < 8; ++c)
    for (int r = 1; r < 11; ++r) EXPECT_FALSE(board->GetLetter(c, r)->IsMoving());

  // A vertical word of 3 ending in row 10 brings every tile above down by 3 rows.
  QLMLetter* above[8];
  for (int r = 0; r < 8; ++r) above[r] = board->GetLetter(5, r);
  EXPECT_EQ(CrossOut(At(5, 8), At(5, 10)), 10);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(board->GetLetter(5, r), nullptr);
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(board->GetLetter(5, r + 3), above[r]);
    EXPECT_TRUE(above[r]->IsMoving());
  }
  Settle();
  for (int r = 3; r < 11; ++r) {
    EXPECT_FLOAT_EQ(board->GetLetter(5, r)->GetPos().x, 5 * 28.0f);
    EXPECT_FLOAT_EQ(board->GetLetter(5, r)->GetPos().y, r * 28.0f);
  }

  // A diagonal word takes one tile from each column; each column above it drops one row.
  std::string before[4];
  for (int c = 0; c < 4; ++c) before[c] = Column(c);
  EXPECT_EQ(CrossOut(At(0, 4), At(3, 7)), 30);
  for (int c = 0; c < 4; ++c) {
    std::string expected = "." + before[c];
    expected.erase(static_cast<size_t>(4 + c + 1), 1);
    EXPECT_EQ(Column(c), expected) << "column " << c;
  }
  EXPECT_EQ(board->GetLettersRemaining(), 78);
}

TEST_F(Board, BackwardsReadingFarSwapsAndRunsOffTheLine) {
  std::string forward = Read(At(0, 10), At(4, 10));
  std::string backward = Read(At(4, 10), At(0, 10));
  EXPECT_EQ(backward, std::string(forward.rbegin(), forward.rend()));
  dict.AddValid(forward.c_str());
  int score = 0;
  if (forward != backward) {
    EXPECT_FALSE(board->RemoveIfLegalWord(At(4, 10), At(0, 10), score));
  }

  // Two tiles far apart swap places and glide to each other's cells.
  QLMLetter* a = board->GetLetter(0, 0);
  QLMLetter* b = board->GetLetter(7, 10);
  board->DoSelect(At(0, 0));
  EXPECT_TRUE(board->DoSwapMove(At(0, 0), At(7, 10)));
  EXPECT_EQ(board->GetLetter(0, 0), b);
  EXPECT_EQ(board->GetLetter(7, 10), a);
  Point selected;
  EXPECT_FALSE(board->IsLetterSelected(selected));
  Settle();
  EXPECT_FLOAT_EQ(a->GetPos().x, 7 * 28.0f);
  EXPECT_FLOAT_EQ(a->GetPos().y, 10 * 28.0f);
  EXPECT_FALSE(board->DoSwapMove(At(0, 0), At(8, 0)));

  // Cells on no common line are no word, whatever the run through them would spell.
  std::string offLine;
  for (int i = 0; i < 4; ++i) offLine += board->GetLetter(i, i)->GetChar();
  dict.AddValid(offLine.c_str());
  EXPECT_EQ(Read(At(0, 0), At(3, 1)), "-");
  EXPECT_FALSE(board->RemoveIfLegalWord(At(0, 0), At(3, 1), score));
  EXPECT_EQ(board->GetLettersRemaining(), 88);
  EXPECT_EQ(Read(At(0, 0), At(3, 3)), offLine);  // the real diagonal still reads
  // A run that leaves the board is no word either.
  EXPECT_EQ(Read(At(3, 1), At(0, 0)), "-");
}

TEST_F(Board, SelectionAndLetterClamp) {
  board->DoSelect(At(3, 4));
  Point selected;
  ASSERT_TRUE(board->IsLetterSelected(selected));
  EXPECT_TRUE(PointEquals(selected, At(3, 4)));
  board->DoSelect(At(9, 4));
  EXPECT_FALSE(board->IsLetterSelected(selected));

  QLMLetter tile('A', 0, 0);
  for (auto [in, out] :
       std::map<char, char>{{'A', 'A'}, {'Z', 'Z'}, {64, 'A'}, {91, 'Z'}, {'a', 'Z'}, {'M', 'M'}}) {
    tile.SetChar(in);
    EXPECT_EQ(tile.GetChar(), out) << static_cast<int>(in);
  }
}

TEST_F(Board, LettersFollowTheirWeightsOverManyDeals) {
  const double weights[26] = {0.084966, 0.020720, 0.045388, 0.033844, 0.111607, 0.018121, 0.024705,
                              0.030034, 0.075448, 0.001965, 0.011016, 0.054893, 0.030129, 0.066544,
                              0.071635, 0.031671, 0.001962, 0.075809, 0.057351, 0.069509, 0.036308,
                              0.010074, 0.012899, 0.002902, 0.017779, 0.002722};
  srand(77);
  int counts[26] = {};
  const int deals = 120;
  for (int d = 0; d < deals; ++d) {
    board->Randomize(8, 11);
    for (int c = 0; c < 8; ++c)
      for (int r = 0; r < 11; ++r) ++counts[board->GetLetter(c, r)->GetChar() - 'A'];
  }
  double total = deals * 88.0;
  double chiSquare = 0.0;
  for (int i = 0; i < 26; ++i) {
    double expected = total * weights[i];
    chiSquare += (counts[i] - expected) * (counts[i] - expected) / expected;
  }
  // 25 degrees of freedom: 52.6 is the 0.999 quantile.
  EXPECT_LT(chiSquare, 52.6);
}

}  // namespace
