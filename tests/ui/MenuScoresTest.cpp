// SPDX-License-Identifier: GPL-3.0-or-later
// The menus that show and change stored values, on a real preference file in a fresh folder:
// the end-of-game result and its entry into the best scores, the best-score columns, and the
// options.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "core/GameSettings.h"
#include "platform/GameSound.h"
#include "support/GLContext.h"
#include "support/MenuInput.h"
#include "support/TestSupport.h"
#include "ui/MenuOptions.h"
#include "ui/MenuScores.h"
#include "ui/Overlay.h"

namespace {

class StoredValues : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
    GameSettings::Initialize();
  }

  static std::vector<int> List(const char* key) {
    std::vector<int> scores(10);
    GameSettings::GetIntArrayParam(key, scores.data(), 10);
    return scores;
  }
  static void SetList(const char* key, std::vector<int> scores) {
    scores.resize(10);
    GameSettings::SetIntArrayParam(key, scores.data(), 10);
  }

  TempDir m_home;
};

using EndGame = StoredValues;

TEST_F(EndGame, TheTotalEntersItsModesListBelowEqualScores) {
  SetList("HighScores", {500, 300, 200});
  {
    MenuEndGame menu(250, 50, false);
    EXPECT_EQ(menu.GetItemText(0), "Total Score:       250");
    EXPECT_EQ(menu.GetItemText(1), "Clearing Bonus:    50");
    EXPECT_EQ(menu.GetItemText(2), "Total Score:       300");
    EXPECT_EQ(menu.GetItemText(4), "You've placed #3 on the high score list!");
    EXPECT_EQ(menu.GetItemText(6), "Play a New Puzzle");
    EXPECT_EQ(menu.GetItemText(7), "Back to Table of Contents");
  }
  EXPECT_EQ(List("HighScores"), (std::vector<int>{500, 300, 300, 200, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(List("HighScoresBTC"), std::vector<int>(10, 0)) << "a regular game";

  // A timer game goes into its own list, where the first positive total is first.
  MenuEndGame timer(40, 2, true);
  EXPECT_EQ(timer.GetItemText(4), "You've placed #1 on the high score list!");
  EXPECT_EQ(List("HighScoresBTC"), (std::vector<int>{42, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(List("HighScores"), (std::vector<int>{500, 300, 300, 200, 0, 0, 0, 0, 0, 0}));

  // A 0 between scores is an empty place and the next total takes it.
  SetList("HighScores", {500, 0, 300});
  MenuEndGame intoGap(100, 0, false);
  EXPECT_EQ(intoGap.GetItemText(4), "You've placed #2 on the high score list!");
  EXPECT_EQ(List("HighScores"), (std::vector<int>{500, 100, 0, 300, 0, 0, 0, 0, 0, 0}));
}

TEST_F(EndGame, NothingEntersWithoutAPlace) {
  SetList("HighScores", {500, 300, 200});
  for (auto [score, bonus] : {std::pair{0, 0}, std::pair{-30, 0}, std::pair{-50, 20}}) {
    MenuEndGame menu(score, bonus, false);
    EXPECT_EQ(menu.GetItemText(4), "") << score << " + " << bonus;
  }
  MenuEndGame negative(-30, 0, false);
  EXPECT_EQ(negative.GetItemText(0), "Total Score:       -30");
  EXPECT_EQ(List("HighScores"), (std::vector<int>{500, 300, 200, 0, 0, 0, 0, 0, 0, 0}));

  // A full list whose last entry is not beaten stays as it is.
  const std::vector<int> full{900, 800, 700, 600, 500, 400, 300, 200, 150, 100};
  SetList("HighScores", full);
  MenuEndGame notEnough(60, 40, false);
  EXPECT_EQ(notEnough.GetItemText(4), "");
  EXPECT_EQ(List("HighScores"), full);

  // One more point takes the last place; equal to the fifth is sixth, and the tenth is lost.
  MenuEndGame last(101, 0, false);
  EXPECT_EQ(last.GetItemText(4), "You've placed #10 on the high score list!");
  EXPECT_EQ(List("HighScores"),
            (std::vector<int>{900, 800, 700, 600, 500, 400, 300, 200, 150, 101}));
  MenuEndGame fifth(450, 50, false);
  EXPECT_EQ(fifth.GetItemText(4), "You've placed #6 on the high score list!");
  EXPECT_EQ(List("HighScores"),
            (std::vector<int>{900, 800, 700, 600, 500, 500, 400, 300, 200, 150}));

  // Totals beyond the range of int are held at its edge.
  MenuEndGame huge(2147483000, 2000, true);
  EXPECT_EQ(huge.GetItemText(2), "Total Score:     2147483647");
  EXPECT_EQ(List("HighScoresBTC")[0], 2147483647);
}

TEST_F(EndGame, OnlyTheTwoWaysOnAnswer) {
  MenuEndGame menu(10, 0, false);
  for (int i = -1; i < 8; ++i) EXPECT_EQ(menu.DoesItemReactToMouse(i), i > 5) << i;
  // Without a book to turn, no item does anything.
  for (int i = -1; i < 9; ++i) EXPECT_FALSE(menu.MouseUp(i)) << i;
}

using BestScores = StoredValues;

TEST_F(BestScores, LinesShowRankAndScoreInLinedUpColumns) {
  SetList("HighScores", {12345, 500, 0, 7, 0, 0, 0, 0, 0, 77});
  SetList("HighScoresBTC", {999});
  MenuHighScores left;
  MenuHighScores2 right;
  const char* const expected[10] = {"1.  12345", "2.    500", "3.", "4.      7", "5.",
                                    "6.",        "7.",        "8.", "9.",        "10.    77"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(left.GetItemText(i), expected[i]) << i;
  EXPECT_EQ(left.GetItemText(10), "");
  EXPECT_EQ(left.GetItemText(11), "Clear Scores");
  EXPECT_EQ(left.GetItemText(12), "Table of Contents");
  EXPECT_EQ(right.GetItemText(0), "1.    999");
  for (int i = 1; i < 9; ++i) EXPECT_EQ(right.GetItemText(i), std::to_string(i + 1) + ".");
  EXPECT_EQ(right.GetItemText(9), "10.");

  // In Courier the rank-10 line is as wide as the others, so the score fields line up; the
  // columns sit where the page prints their headings.
  GLContext gl(640, 640);
  MenuInput input(gl);
  input.Draw(left);
  input.Draw(right);
  int x0, y0, w0, h0, x9, y9, w9, h9;
  left.GetItem(0)->GetDimensions(&x0, &y0, &w0, &h0);
  left.GetItem(9)->GetDimensions(&x9, &y9, &w9, &h9);
  EXPECT_EQ(x0, 63);
  EXPECT_EQ(y0, 63);
  EXPECT_EQ(y9, 63 + 2 * 9 * 14);
  EXPECT_GT(w0, 50);
  EXPECT_EQ(w9, w0);
  right.GetItem(0)->GetDimensions(&x0, &y0, nullptr, nullptr);
  EXPECT_EQ(x0, 301);
  EXPECT_EQ(y0, 63);

  for (int i = -1; i < 14; ++i) {
    EXPECT_EQ(left.DoesItemReactToMouse(i), i > 10) << i;
    EXPECT_FALSE(right.DoesItemReactToMouse(i)) << i;
    EXPECT_FALSE(right.MouseUp(i)) << i;
  }
  EXPECT_FALSE(left.MouseUp(10));
  EXPECT_FALSE(left.MouseUp(-1));
}

TEST_F(BestScores, ClearScoresEmptiesTheRegularListOnly) {
  SetList("HighScores", {800, 600});
  SetList("HighScoresBTC", {999, 10});
  MenuHighScores left;
  EXPECT_TRUE(left.MouseUp(11));
  EXPECT_EQ(List("HighScores"), std::vector<int>(10, 0));
  EXPECT_EQ(List("HighScoresBTC"), (std::vector<int>{999, 10, 0, 0, 0, 0, 0, 0, 0, 0}));
  MenuHighScores cleared;
  MenuHighScores2 kept;
  EXPECT_EQ(cleared.GetItemText(0), "1.");
  EXPECT_EQ(cleared.GetItemText(9), "10.");
  EXPECT_EQ(kept.GetItemText(1), "2.     10");
}

using Options = StoredValues;

TEST_F(Options, EachClickStoresTheNextValueAndShowsIt) {
  MenuOptions menu;
  EXPECT_EQ(menu.GetItemText(0), "Word Selection: FREEFORM");
  EXPECT_EQ(menu.GetItemText(1), "Transitions:  NORMAL");
  EXPECT_EQ(menu.GetItemText(2), "Sound Volume:  ON");
  EXPECT_EQ(menu.GetItemText(3), "Music Volume:  MEDIUM");
  EXPECT_EQ(menu.GetItemText(4), "");
  EXPECT_EQ(menu.GetItemText(5), "Back to Table of Contents");

  // From the default 0.5 the music volume goes loud, off, soft and back to medium.
  const float volumes[] = {1.0f, 0.0f, 0.2f, 0.5f};
  const char* const texts[] = {"LOUD", "OFF", "SOFT", "MEDIUM"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(menu.MouseUp(3));
    EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), volumes[i]);
    EXPECT_EQ(menu.GetItemText(3), std::string("Music Volume:  ") + texts[i]);
  }

  EXPECT_TRUE(menu.MouseUp(0));
  EXPECT_EQ(GameSettings::GetIntParam("FreeformWordCrossOut"), 0);
  EXPECT_EQ(menu.GetItemText(0), "Word Selection: STRAIGHT LINE");
  EXPECT_TRUE(menu.MouseUp(0));
  EXPECT_EQ(GameSettings::GetIntParam("FreeformWordCrossOut"), 1);

  EXPECT_TRUE(menu.MouseUp(1));
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("TransitionSpeed"), 2.0f);
  EXPECT_EQ(menu.GetItemText(1), "Transitions:  FAST");
  EXPECT_TRUE(menu.MouseUp(1));
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("TransitionSpeed"), 1.0f);

  // Sound effects are switched at once, not only stored.
  GameSound::SetVolume(true);
  EXPECT_TRUE(menu.MouseUp(2));
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("SoundVolume"), 0.0f);
  EXPECT_FALSE(GameSound::fSoundOn);
  EXPECT_EQ(menu.GetItemText(2), "Sound Volume:  OFF");
  EXPECT_TRUE(menu.MouseUp(2));
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("SoundVolume"), 1.0f);
  EXPECT_TRUE(GameSound::fSoundOn);

  // The empty line and anything off the items do nothing; without a book the way back neither.
  for (int i : {-1, 4, 5, 6}) EXPECT_FALSE(menu.MouseUp(i)) << i;

  // Another options page reads what was stored.
  GameSettings::SetFloatParam("MusicVolume", 0.0f);
  MenuOptions again;
  EXPECT_EQ(again.GetItemText(3), "Music Volume:  OFF");
}

TEST_F(Options, UnexpectedStoredValuesAreShownAndCycledSensibly) {
  GameSettings::SetFloatParam("MusicVolume", 0.3f);
  GameSettings::SetFloatParam("TransitionSpeed", 0.5f);
  GameSettings::SetFloatParam("SoundVolume", 0.25f);
  GameSettings::SetIntParam("FreeformWordCrossOut", 2);
  MenuOptions menu;
  EXPECT_EQ(menu.GetItemText(3), "Music Volume:  SOFT");
  EXPECT_EQ(menu.GetItemText(1), "Transitions:  FAST");
  EXPECT_EQ(menu.GetItemText(2), "Sound Volume:  ON");
  // The board crosses out freeform for any value but 0; the page shows what the board does.
  EXPECT_EQ(menu.GetItemText(0), "Word Selection: FREEFORM");

  menu.MouseUp(3);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), 0.5f);
  menu.MouseUp(1);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("TransitionSpeed"), 1.0f);
  menu.MouseUp(2);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("SoundVolume"), 0.0f);
  menu.MouseUp(0);
  EXPECT_EQ(GameSettings::GetIntParam("FreeformWordCrossOut"), 0);
  GameSettings::SetFloatParam("MusicVolume", 7.0f);
  menu.SetStringForItem(3);
  EXPECT_EQ(menu.GetItemText(3), "Music Volume:  LOUD");
  menu.MouseUp(3);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), 0.0f);
  GameSound::SetVolume(true);
}

}  // namespace
