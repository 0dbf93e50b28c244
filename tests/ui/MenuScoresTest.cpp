// SPDX-License-Identifier: GPL-3.0-or-later
// The menus that show and change stored values, on a real preference file in a fresh folder:
// the result of a game and its entry into the best scores, the best-score columns, the options.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "core/GameSettings.h"
#include "platform/GameSound.h"
#include "support/TestSupport.h"
#include "ui/MenuOptions.h"
#include "ui/MenuScores.h"

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

// The total (score and bonus, held at the edge of int) enters its mode's list below equal totals
// and in the first empty place above lower ones, and the menu says which place; a total of no
// more than 0, or one that a full list does not take, enters nothing.
TEST_F(StoredValues, TheResultOfAGameEntersItsModesBestScores) {
  const std::vector<int> full{900, 800, 700, 600, 500, 400, 300, 200, 150, 100};
  const struct {
    std::vector<int> before;
    int score, bonus;
    bool timer;
    const char* total;  // as the result shows it
    int place;          // 0: none
    std::vector<int> after;
  } games[] = {
      // clang-format off
      {{500, 300, 200}, 250, 50, false, "300", 3, {500, 300, 300, 200}},
      {{},              40, 2, true, "42", 1, {42}},
      {{500, 0, 300},   100, 0, false, "100", 2, {500, 100, 0, 300}},
      {{500, 300, 200}, 0, 0, false, "0", 0, {500, 300, 200}},
      {{500, 300, 200}, -50, 20, false, "-30", 0, {500, 300, 200}},
      {full,            60, 40, false, "100", 0, full},
      {full, 101, 0, false, "101", 10, {900, 800, 700, 600, 500, 400, 300, 200, 150, 101}},
      {full, 450, 50, false, "500", 6, {900, 800, 700, 600, 500, 500, 400, 300, 200, 150}},
      {{},              2147483000, 2000, true, "2147483647", 1, {2147483647}},
      // clang-format on
  };
  for (const auto& g : games) {
    SetList(g.timer ? "HighScores" : "HighScoresBTC", {7});
    SetList(g.timer ? "HighScoresBTC" : "HighScores", g.before);
    const MenuEndGame menu(g.score, g.bonus, g.timer);
    const std::string total = menu.GetItemText(2);
    EXPECT_EQ(total.substr(total.find_first_not_of(' ', 12)), g.total);
    const std::string place =
        "You've placed #" + std::to_string(g.place) + " on the high score list!";
    EXPECT_EQ(menu.GetItemText(4), g.place ? place : "") << g.total;
    std::vector<int> after = g.after;
    after.resize(10);
    EXPECT_EQ(List(g.timer ? "HighScoresBTC" : "HighScores"), after) << g.total;
    EXPECT_EQ(List(g.timer ? "HighScores" : "HighScoresBTC")[0], 7) << "the other list";
  }
  const MenuEndGame menu(250, 50, false);
  EXPECT_EQ(menu.GetItemText(0), "Total Score:       250");
  EXPECT_EQ(menu.GetItemText(1), "Clearing Bonus:    50");

  // The best scores: rank and score in lined-up columns, a bare rank for an empty place.
  SetList("HighScores", {12345, 500, 0, 7, 0, 0, 0, 0, 0, 77});
  MenuHighScores left;
  const char* const lines[10] = {"1.  12345", "2.    500", "3.", "4.      7", "5.",
                                 "6.",        "7.",        "8.", "9.",        "10.    77"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(left.GetItemText(i), lines[i]);
  SetList("HighScoresBTC", {999});
  EXPECT_EQ(MenuHighScores2().GetItemText(0), "1.    999");
}

// Values stored by hand read as the nearest choice and cycle on from there; a click on the
// sound option switches the effects at once.
TEST_F(StoredValues, OddStoredOptionsReadAsTheNearestChoice) {
  const struct {
    const char* key;
    float stored;
    const char* shown;
    float next;
  } odd[] = {{"FreeformWordCrossOut", 2, "Word Selection: FREEFORM", 0},
             {"TransitionSpeed", 0.5f, "Transitions:  FAST", 1},
             {"SoundVolume", 0.25f, "Sound Volume:  ON", 0},
             {"MusicVolume", 0.3f, "Music Volume:  SOFT", 0.5f}};
  for (const auto& o : odd) GameSettings::SetFloatParam(o.key, o.stored);
  GameSound::SetVolume(true);
  MenuOptions menu;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(menu.GetItemText(i), odd[i].shown);
    EXPECT_TRUE(menu.MouseUp(i));
    EXPECT_FLOAT_EQ(GameSettings::GetFloatParam(odd[i].key), odd[i].next) << odd[i].key;
  }
  EXPECT_FALSE(GameSound::fSoundOn);
  EXPECT_EQ(menu.GetItemText(2), "Sound Volume:  OFF");
  GameSound::SetVolume(true);
}

}  // namespace
