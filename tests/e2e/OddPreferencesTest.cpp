// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/GameSession.h"

namespace {

enum Page { kTitle = 0, kGameMenu, kBoard, kScores, kOptions };

// Generous: a sanitizer build draws slowly.
const double kWait = 60.0;

// A menu item: its page, the column's corner, the font size and the line.
struct Item {
  int page;
  int x, y, fontSize, line;
};
const Item kPlay{kTitle, 204, 230, 18, 0};
const Item kOptionsItem{kTitle, 204, 230, 18, 2};
const Item kRegularGame{kGameMenu, 232, 232, 20, 0};
const Item kDone{kBoard, 290, 464, 18, 0};
const Item kEndGameBack{kGameMenu, 174, 174, 14, 7};
const Item kMusicVolume{kOptions, 174, 174, 20, 3};

class OddPreferences : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(game.Error(), ""); }

  void Where(const Item& item, int* x, int* y) {
    game.PagePos(item.page, x, y);
    *x += item.x + 12;
    *y += item.y + 2 * item.line * item.fontSize + item.fontSize / 2;
  }

  void Click(const Item& item) {
    int x, y;
    Where(item, &x, &y);
    ASSERT_TRUE(game.Click(x, y));
  }

  void Turn(int page) {
    PixelImage shot;
    EXPECT_TRUE(game.WaitForPage(page, kWait, &shot))
        << "page " << page << " did not come to the front\n"
        << game.GameStderr();
  }

  GameSession game;
};

// Every number out of its range at once, and names far too long: the book opens, turns, and a
// game is played to its end.
TEST_F(OddPreferences, OddValuesLeaveTheGamePlayable) {
  const std::string longName(10000, 'W');
  game.WritePrefs(
      "[Quillmere]\n_PageSpeed=1e30\n_LetterSwapSpeed=0\n_LetterFallSpeed=nan\n"
      "TransitionSpeed=-inf\n_FontSize=99999999999999999999999\n_ScoreFontSize=-20\n"
      "_FPSFontSize=0\n_TimePerWord=0\nSoundVolume=inf\n"
      "MusicVolume=loud\nHighScores=x;y;\n_FontName=" +
      longName + "\n_ScoreFontName=" + longName + "\n_FPSFontName=" + longName +
      "\n_DictPath=" + longName + "\n");
  ASSERT_TRUE(game.Start()) << game.Error();
  Click(kPlay);
  Turn(kGameMenu);
  Click(kRegularGame);
  Turn(kBoard);
  game.Keep(game.SteadyShot(), "odd-preferences-board");
  Click(kDone);
  Turn(kGameMenu);
  Click(kEndGameBack);
  Turn(kTitle);

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
  // What the player stored is read, not rewritten.
  std::string stored;
  EXPECT_TRUE(game.PrefValue("_PageSpeed", &stored) && stored == "1e30") << stored;
}

// A FIFO where the file belongs is neither waited on nor replaced.
TEST_F(OddPreferences, AFifoInPlaceOfTheFileNeitherBlocksNorIsReplaced) {
  ASSERT_EQ(mkfifo(game.PrefsPath().c_str(), 0600), 0);
  ASSERT_TRUE(game.Start()) << game.Error();
  Click(kOptionsItem);
  Turn(kOptions);
  // A change of option is a write.
  int x, y;
  Where(kMusicVolume, &x, &y);
  ASSERT_TRUE(game.MoveTo(x, y));
  PixelImage before = game.SteadyShot();
  ASSERT_TRUE(game.Click(x, y));
  bool changed = false;
  for (double waited = 0.0; waited < kWait && !changed; waited += 0.1) {
    changed = ChangedIn(before, game.Shot(), x - 20, y - 16, 320, 32) > 0;
    usleep(100000);
  }
  EXPECT_TRUE(changed) << "the music volume did not change";

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
  struct stat st;
  ASSERT_EQ(lstat(game.PrefsPath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  // Said once, however often the game read and wrote.
  const std::string err = game.GameStderr();
  const std::string line = "Unable to read preferences file " + game.PrefsPath();
  const size_t first = err.find(line);
  EXPECT_NE(first, std::string::npos) << err;
  EXPECT_EQ(err.find(line, first + 1), std::string::npos) << err;
}

}  // namespace
