// SPDX-License-Identifier: GPL-3.0-or-later
// The real program played as a person plays it (support/GameSession.h): every page of the
// contents, both kinds of game into their best-score lists, the options kept from one run to the
// next, full screen, the book zoomed, and preference files that would trip a careless game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "support/GameSession.h"

namespace {

enum Page { kTitle = 0, kGameMenu, kBoard, kScores, kOptions, kInstructions, kCredits };

// A menu item: its page, its column's corner, its font size and its line; lines lie two font
// sizes apart.
struct Item {
  int page, x, y, fontSize, line;
};
const Item kPlay{kTitle, 204, 230, 18, 0}, kBestScores{kTitle, 204, 230, 18, 1},
    kOptionsItem{kTitle, 204, 230, 18, 2}, kHowToPlay{kTitle, 204, 230, 18, 3},
    kCreditsItem{kTitle, 204, 230, 18, 4}, kQuit{kTitle, 204, 230, 18, 5},
    kRegularGame{kGameMenu, 232, 232, 20, 0}, kBeatTheClock{kGameMenu, 232, 232, 20, 1},
    kNewPuzzle{kGameMenu, 174, 174, 14, 6}, kEndGameBack{kGameMenu, 174, 174, 14, 7},
    kDone{kBoard, 290, 464, 18, 0}, kContinueGame{kBoard, 204, 230, 20, 0},
    kPausedBack{kBoard, 204, 230, 20, 1}, kClearScores{kScores, 63, 63, 14, 11},
    kScoresBack{kScores, 63, 63, 14, 12}, kWordSelection{kOptions, 174, 174, 20, 0},
    kMusicVolume{kOptions, 174, 174, 20, 3}, kOptionsBack{kOptions, 174, 174, 20, 5},
    kInstructionsBack{kInstructions, 174, 478, 14, 0}, kCreditsBack{kCredits, 58, 48, 13, 14};

// Where each page carries ink of its own (book pixels), and how much at least: the book's title,
// the two kinds of game or a result, the top rows of letters, the "Best Scores" heading, the
// first option lines, the "How to Play" heading, the first credit line.
const std::pair<Box, int> kMarks[] = {
    {{110, 65, 305, 80}, 1500}, {{174, 174, 230, 120}, 500},  {{144, 102, 224, 120}, 600},
    {{196, 8, 124, 25}, 200},   {{174, 174, 260, 100}, 1200}, {{178, 15, 162, 30}, 300},
    {{62, 48, 286, 14}, 300},
};
const Box kLetters = kMarks[kBoard].first, kContinueLine{204, 230, 130, 24},
          kResultLines{174, 174, 200, 130}, kPlacementLine{174, 286, 300, 20},
          kRegularFirst{63, 63, 200, 22}, kTimerFirst{301, 63, 200, 22},
          kWordSelectionLine{174, 170, 320, 32}, kMusicLine{174, 290, 320, 32},
          kBottomLeft{144, 102 + 10 * 28, 3 * 28, 28};
const int kFaint = 200;  // any ink, the thin strokes of the fixed-pitch score lines too
const std::string kTen = "10;0;0;0;0;0;0;0;0;0;";

// A word list of its own in the game's word folder: every three letters make a word, so that
// any three tiles in a row can be crossed out whatever the deal. Removed again at the end.
class AllTriples {
 public:
  AllTriples() {
    std::string words;
    for (char a = 'a'; a <= 'z'; ++a)
      for (char b = 'a'; b <= 'z'; ++b)
        for (char c = 'a'; c <= 'z'; ++c) words += std::string{a, b, c, '\n'};
    WriteFile(m_path, words);
  }
  ~AllTriples() { unlink(m_path.c_str()); }
  const std::string m_name = "test-e2e-" + std::to_string(getpid()) + ".txt";
  const std::string m_path = std::string(QM_RESOURCE_DIR) + "/Dict/" + m_name;
};

class GamePlay : public ::testing::Test {
 protected:
  explicit GamePlay(int screenWidth = 1024, int screenHeight = 768)
      : game(screenWidth, screenHeight) {}
  void SetUp() override { ASSERT_EQ(game.Error(), ""); }
  void TearDown() override {
    if (HasFailure())
      game.Keep(game.Shot(), std::string("failed-") +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  // A point of a page lying at rest, in window pixels.
  Box At(int page, int x, int y) { return game.OnPage(page, {x, y, 0, 0}); }
  // A little into the item's text, which every item's text covers.
  Box AtItem(const Item& i) {
    return At(i.page, i.x + 12, i.y + 2 * i.line * i.fontSize + i.fontSize / 2);
  }
  void ClickItem(const Item& item) { ASSERT_TRUE(game.Click(AtItem(item).x, AtItem(item).y)); }
  // The pointer to a bare spot of the paper, so that no item is highlighted.
  void PointerAway(int page) { ASSERT_TRUE(game.MoveTo(At(page, 30, 490).x, At(page, 30, 490).y)); }
  int InkOn(const PixelImage& shot, int page, Box box, int below = 100) {
    return Ink(shot, game.OnPage(page, box), below);
  }
  int ChangedOn(const PixelImage& a, const PixelImage& b, int page, Box box) {
    return Changed(a, b, game.OnPage(page, box));
  }
  // Waits for the page to lie in front after a turn and checks that it shows its own ink.
  PixelImage Turn(int page, const std::string& keepAs = "", bool ownInk = true) {
    PixelImage shot;
    EXPECT_TRUE(game.WaitForPage(page, 60.0, &shot)) << "page " << page << "\n"
                                                     << game.GameStderr();
    if (ownInk) {
      EXPECT_GE(InkOn(shot, page, kMarks[page].first), kMarks[page].second) << page;
    }
    if (!keepAs.empty()) game.Keep(shot, keepAs);
    return shot;
  }
  void Through(const std::vector<std::pair<Item, int>>& clicks) {
    for (auto [item, page] : clicks) {
      ClickItem(item);
      Turn(page);
    }
  }
  // The middle of a board cell's hot zone.
  Box Cell(int col, int row) { return At(kBoard, 144 + 28 * col + 10, 102 + 28 * row + 17); }
  // A stroke over the three tiles at the left end of the bottom row: the tiles above fall in.
  void CrossOutBottomLeft() {
    const PixelImage before = game.Shot();
    ASSERT_TRUE(game.Stroke(Cell(0, 10).x, Cell(0, 10).y, Cell(2, 10).x, Cell(2, 10).y));
    EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) {
      return ChangedOn(before, s, kBoard, kBottomLeft) > 50;
    })) << "the word was not crossed out";
  }
  // Escape: the paused menu in place of the letters.
  PixelImage PauseGame() {
    EXPECT_TRUE(game.Key("Escape"));
    PixelImage shot;
    EXPECT_TRUE(game.WaitFor(
        [&](const PixelImage& s) {
          return InkOn(s, kBoard, kContinueLine) > 200 && InkOn(s, kBoard, kLetters) < 50;
        },
        &shot))
        << "the paused menu did not replace the letters";
    return shot;
  }
  void CloseCleanly() {
    int status = -2;
    ASSERT_TRUE(game.Close(&status)) << "the game did not quit when its window closed";
    EXPECT_EQ(status, 0) << game.GameStderr();
  }

  GameSession game;
};

TEST_F(GamePlay, TheContentsARegularGameAndTheBestScores) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.m_name + "\nHighScoresBTC=777;\n");
  ASSERT_TRUE(game.Start()) << game.Error();
  EXPECT_EQ(InkOn(Turn(kTitle, "title"), kTitle, {206, 448, 100, 20}), 0) << "below Quit";
  // Every page of the contents opens and leads back; the best scores are empty at first.
  PixelImage empty;
  for (auto [there, back] : {std::pair{kBestScores, kScoresBack},
                             {kOptionsItem, kOptionsBack},
                             {kHowToPlay, kInstructionsBack},
                             {kCreditsItem, kCreditsBack}}) {
    ClickItem(there);
    Turn(back.page, "page-" + std::to_string(back.page));
    PointerAway(back.page);
    if (back.page == kScores) empty = game.SteadyShot();
    Through({{back, kTitle}});
  }

  // A regular game. A click on the top third of a letter, where it is drawn, selects the tile:
  // the red mark circles it. A second click puts it back.
  ClickItem(kPlay);
  Turn(kGameMenu, "game-menu");
  ClickItem(kRegularGame);
  const Box cell = Cell(3, 5),
            ink = InkBounds(Turn(kBoard, "board"), {cell.x - 14, cell.y - 21, 32, 32});
  ASSERT_GT(ink.width, 0);
  const int inkX = ink.x + (ink.width - 1) / 2, inkY = ink.y + (ink.height - 1) / 6;
  auto red = [&](const PixelImage& s) {
    return Count(s, {cell.x - 14, cell.y - 21, 34, 34},
                 [](const PixelImage::Pixel& p) { return p.r > 150 && p.g < 100 && p.b < 100; });
  };
  ASSERT_TRUE(game.Click(inkX, inkY));
  EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) { return red(s) > 20; })) << "not selected";
  ASSERT_TRUE(game.Click(inkX, inkY));
  EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) { return red(s) == 0; })) << "not put back";
  CrossOutBottomLeft();

  // Paused, the letters give way to the paused menu; "Continue Game" brings the same board back.
  PointerAway(kBoard);
  const PixelImage playing = game.SteadyShot();
  game.Keep(PauseGame(), "paused");
  ClickItem(kContinueGame);
  PointerAway(kBoard);
  EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) { return InkOn(s, kBoard, kLetters) > 600; }));
  EXPECT_EQ(ChangedOn(playing, game.SteadyShot(), kBoard, kLetters), 0) << "another board";

  // Done: the result, and the total in the regular list only. Three letters score 10; with 85
  // of 88 tiles left the clearing bonus is still 0. Another puzzle of the same kind, ended at
  // once, enters nothing.
  ClickItem(kDone);
  const PixelImage result = Turn(kGameMenu, "result-regular");
  EXPECT_GT(InkOn(result, kGameMenu, kResultLines), 300) << "no result is shown";
  EXPECT_GT(InkOn(result, kGameMenu, kPlacementLine), 100) << "no placement is shown";
  EXPECT_EQ(InkOn(result, kGameMenu, {318, 236, 36, 16}), 0) << "the choice of mode beneath";
  EXPECT_EQ(game.Pref("HighScores"), kTen);
  EXPECT_EQ(game.Pref("HighScoresBTC"), "777;") << "the other list was touched";
  ClickItem(kNewPuzzle);
  EXPECT_GT(InkOn(Turn(kBoard), kBoard, {290, 464, 150, 20}), 50) << "not a regular game again";
  Through({{kDone, kGameMenu}, {kEndGameBack, kTitle}, {kBestScores, kScores}});
  EXPECT_EQ(game.Pref("HighScores"), kTen);

  // The best scores show it; "Clear Scores" empties the regular column only.
  PointerAway(kScores);
  const PixelImage entered = game.SteadyShot();
  game.Keep(entered, "scores-after-game");
  EXPECT_GT(ChangedOn(empty, entered, kScores, kRegularFirst), 20) << "the score is not shown";
  EXPECT_GT(InkOn(entered, kScores, kRegularFirst, kFaint),
            InkOn(empty, kScores, kRegularFirst, kFaint) + 30);
  EXPECT_EQ(ChangedOn(empty, entered, kScores, kTimerFirst), 0);
  Through({{kClearScores, kTitle}, {kBestScores, kScores}});
  EXPECT_EQ(game.Pref("HighScores"), "0;0;0;0;0;0;0;0;0;0;");
  EXPECT_EQ(game.Pref("HighScoresBTC"), "777;") << "the other list was touched";
  PointerAway(kScores);
  const PixelImage cleared = game.SteadyShot();
  EXPECT_EQ(ChangedOn(empty, cleared, kScores, kRegularFirst), 0) << "the column was not emptied";
  EXPECT_EQ(ChangedOn(empty, cleared, kScores, kTimerFirst), 0) << "the other column changed";
  // "1." alone on the left, "1.    777" on the right.
  EXPECT_GT(InkOn(cleared, kScores, kTimerFirst, kFaint),
            InkOn(cleared, kScores, kRegularFirst, kFaint) + 30);

  // Once the book has rested elsewhere, the next game begins with the choice of mode again,
  // not with the old result; a game left through its paused menu leads back to the contents.
  Through({{kScoresBack, kTitle}, {kPlay, kGameMenu}});
  EXPECT_EQ(InkOn(Turn(kGameMenu), kGameMenu, {174, 174, 50, 20}), 0) << "the old result";
  Through({{kRegularGame, kBoard}});
  PauseGame();
  Through({{kPausedBack, kTitle}});
  ClickItem(kQuit);
  int status = -2;
  ASSERT_TRUE(game.WaitExit(60.0, &status)) << "\"Quit\" did not end the game";
  EXPECT_EQ(status, 0) << game.GameStderr();
}

TEST_F(GamePlay, OptionsOutliveTheRunAndBeatTheClockScoresInItsOwnList) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.m_name +
                  "\n_TimePerWord=10\nHighScores=555;\n");
  ASSERT_TRUE(game.Start()) << game.Error();
  Through({{kOptionsItem, kOptions}});
  PointerAway(kOptions);
  std::vector<PixelImage> shots{game.SteadyShot()};
  // From the default, MEDIUM (0.5): LOUD, OFF, SOFT and MEDIUM again, each stored and shown,
  // each shown differently; the fourth click brings back the first text exactly.
  for (const char* stored : {"1", "0", "0.2", "0.5"}) {
    ClickItem(kMusicVolume);
    EXPECT_TRUE(game.WaitForPref("MusicVolume", stored)) << game.Pref("MusicVolume");
    PointerAway(kOptions);
    EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) {
      return ChangedOn(shots.back(), s, kOptions, kMusicLine) > 0;
    })) << "the option's line did not change";
    shots.push_back(game.SteadyShot());
  }
  for (int i = 1; i < 4; ++i)
    for (int j = i + 1; j <= 4; ++j)
      EXPECT_GT(ChangedOn(shots[i], shots[j], kOptions, kMusicLine), 20) << i << " / " << j;
  EXPECT_EQ(ChangedOn(shots[0], shots[4], kOptions, kMusicLine), 0);

  // LOUD and straight-line crossing-out, as the next run shows and keeps them.
  ClickItem(kMusicVolume);
  EXPECT_TRUE(game.WaitForPref("MusicVolume", "1"));
  ClickItem(kWordSelection);
  EXPECT_TRUE(game.WaitForPref("FreeformWordCrossOut", "0"));
  CloseCleanly();
  ASSERT_TRUE(game.Start()) << game.Error();
  Through({{kOptionsItem, kOptions}});
  PointerAway(kOptions);
  const PixelImage again = game.SteadyShot();
  game.Keep(again, "options-after-restart");
  EXPECT_EQ(ChangedOn(shots[1], again, kOptions, kMusicLine), 0) << "LOUD is not shown";
  EXPECT_GT(ChangedOn(shots[0], again, kOptions, kWordSelectionLine), 20) << "nor straight line";
  EXPECT_EQ(game.Pref("MusicVolume"), "1");
  EXPECT_EQ(game.Pref("FreeformWordCrossOut"), "0");

  // A game left through the paused menu is over: its countdown neither turns the book later
  // nor enters its total.
  Through({{kOptionsBack, kTitle}, {kPlay, kGameMenu}, {kBeatTheClock, kBoard}});
  CrossOutBottomLeft();
  PauseGame();
  Through({{kPausedBack, kTitle}});
  const auto left = std::chrono::steady_clock::now();
  // Meanwhile, full screen and back, stored at once. Without a window manager nobody carries out
  // the request to cover the screen, so the X window may keep its size; either way the game
  // comes back to its 640 x 640 window with the book laid out for it.
  ASSERT_TRUE(game.Key("F11"));
  EXPECT_TRUE(game.WaitForPref("Fullscreen", "1"));
  PixelImage shot = game.SteadyShot();
  game.Keep(shot, "full-screen");
  EXPECT_TRUE((shot.width == 640 && shot.height == 640) ||
              (shot.width == game.ScreenWidth() && shot.height == game.ScreenHeight()));
  EXPECT_GT(Count(shot, {0, 0, shot.width, shot.height}, [](auto& p) { return p.Sum() > 450; }),
            50000)
      << "no page is drawn";
  ASSERT_TRUE(game.Key("F11"));
  EXPECT_TRUE(game.WaitForPref("Fullscreen", "0"));
  EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) {
    return s.width == 640 && s.height == 640 && game.ShowsPageInFront(s, kTitle);
  })) << "the book is not laid out for the window again";
  std::this_thread::sleep_until(left + std::chrono::seconds(12));
  EXPECT_TRUE(game.ShowsPageInFront(game.Shot(), kTitle)) << "the abandoned game turned the book";
  EXPECT_EQ(game.Pref("HighScoresBTC"), "(absent)") << "the abandoned game entered its total";

  // A word within the time winds the clock back; then the time runs out with no further word.
  Through({{kPlay, kGameMenu}, {kBeatTheClock, kBoard}});
  CrossOutBottomLeft();
  const PixelImage result = Turn(kGameMenu, "result-beat-the-clock");
  EXPECT_GT(InkOn(result, kGameMenu, kResultLines), 300) << "no result is shown";
  EXPECT_GT(InkOn(result, kGameMenu, kPlacementLine), 100) << "no placement is shown";
  EXPECT_EQ(game.Pref("HighScoresBTC"), kTen);
  EXPECT_EQ(game.Pref("HighScores"), "555;") << "the regular list was touched";
  CloseCleanly();
}

// At 200% the book is drawn twice as large, crisp, and every click and stroke lands where it is
// drawn; Ctrl+0 and Ctrl+Plus change what is drawn and what is stored.
class ZoomedGamePlay : public GamePlay {
 protected:
  ZoomedGamePlay() : GamePlay(1400, 1400) {}  // room for a window at twice its size

  // The width of the page in front, from its left outline to its right one, along its middle.
  int PageWidth(const PixelImage& shot) {
    const Box middle = At(kTitle, 8, 256);
    auto dark = [&](int x) { return shot.At(x, middle.y).Sum() < 400; };
    int left = middle.x, right = middle.x;
    while (left > 0 && !dark(left)) --left;
    while (right < shot.width - 1 && !dark(right)) ++right;
    return right - left;
  }
  // The antialiased edges of the glyphs of "Play": neither paper nor ink.
  int Edges(const PixelImage& shot) {
    return Count(shot, game.OnPage(kTitle, {204, 230, 46, 22}),
                 [](const PixelImage::Pixel& p) { return p.Sum() > 50 && p.Sum() < 500; });
  }
};

TEST_F(ZoomedGamePlay, TheBookAtTwiceItsSize) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.m_name + "\nZoom=200\n");
  game.SetZoom(2.0);
  ASSERT_TRUE(game.Start()) << game.Error();
  PointerAway(kTitle);
  const PixelImage title = Turn(kTitle, "title-200");
  EXPECT_EQ(title.width, 1280);
  EXPECT_EQ(title.height, 1280);
  EXPECT_NEAR(PageWidth(title), 1024, 2);
  const int edges200 = Edges(title);
  Through({{kPlay, kGameMenu}, {kRegularGame, kBoard}});
  CrossOutBottomLeft();
  PauseGame();
  Through({{kPausedBack, kTitle}});

  ASSERT_TRUE(game.Key("ctrl+0"));
  EXPECT_TRUE(game.WaitForPref("Zoom", "100"));
  game.SetZoom(1.0);
  PointerAway(kTitle);
  const PixelImage title100 = Turn(kTitle, "title-100-in-a-large-window");
  EXPECT_NEAR(PageWidth(title100), 512, 2);
  EXPECT_GT(Edges(title100), 10);
  EXPECT_LE(edges200, 2 * Edges(title100)) << "the zoomed text is not drawn for the device";
  ASSERT_TRUE(game.Key("ctrl+plus"));
  EXPECT_TRUE(game.WaitForPref("Zoom", "125"));
  game.SetZoom(1.25);
  EXPECT_NEAR(PageWidth(Turn(kTitle)), 640, 2);
  CloseCleanly();
}

using OddPreferences = GamePlay;

// Every number out of its range at once, and names far too long: the book opens, turns, and a
// game is played to its end; what the player stored is read, not rewritten.
TEST_F(OddPreferences, OddValuesLeaveTheGamePlayable) {
  const std::string longName(10000, 'W');
  game.WritePrefs(
      "[Quillmere]\n_PageSpeed=1e30\n_LetterSwapSpeed=0\n_LetterFallSpeed=nan\n"
      "TransitionSpeed=-inf\n_FontSize=99999999999999999999999\n_ScoreFontSize=-20\n"
      "_FPSFontSize=0\n_TimePerWord=0\nSoundVolume=inf\nMusicVolume=loud\nHighScores=x;y;\n"
      "_FontName=" +
      longName + "\n_ScoreFontName=" + longName + "\n_FPSFontName=" + longName +
      "\n_DictPath=" + longName + "\n");
  ASSERT_TRUE(game.Start()) << game.Error();
  for (auto [item, page] : {std::pair{kPlay, kGameMenu},
                            {kRegularGame, kBoard},
                            {kDone, kGameMenu},
                            {kEndGameBack, kTitle}}) {
    ClickItem(item);
    Turn(page, "odd-preferences-" + std::to_string(page), false);
  }
  CloseCleanly();
  EXPECT_EQ(game.Pref("_PageSpeed"), "1e30");
}

// A FIFO where the file belongs is neither waited on nor replaced, and said so once.
TEST_F(OddPreferences, AFifoInPlaceOfTheFileNeitherBlocksNorIsReplaced) {
  ASSERT_EQ(mkfifo(game.PrefsPath().c_str(), 0600), 0);
  ASSERT_TRUE(game.Start()) << game.Error();
  Through({{kOptionsItem, kOptions}});
  // A change of option is a write.
  ASSERT_TRUE(game.MoveTo(AtItem(kMusicVolume).x, AtItem(kMusicVolume).y));
  const PixelImage before = game.SteadyShot();
  ClickItem(kMusicVolume);
  EXPECT_TRUE(game.WaitFor([&](const PixelImage& s) {
    return ChangedOn(before, s, kOptions, kMusicLine) > 0;
  })) << "the music volume did not change";
  CloseCleanly();
  struct stat st;
  ASSERT_EQ(lstat(game.PrefsPath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  const std::string err = game.GameStderr(), line = "Unable to read preferences file ";
  // One line of the log: date, time to the millisecond, program and process, then the text.
  EXPECT_TRUE(
      std::regex_search(err, std::regex(R"((^|\n)\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )"
                                        R"(quillmere\[\d+\] Unable to read preferences file )")))
      << err;
  EXPECT_EQ(err.find(line), err.rfind(line)) << "said more than once:\n" << err;
}

}  // namespace
