// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/GameSession.h"
#include "support/MenuInput.h"
#include "support/XWindow.h"

namespace {

enum Page { kTitle = 0, kGameMenu, kBoard, kScores, kOptions, kInstructions, kCredits };

// Generous: the page turns take a second and a half, a sanitizer build draws slowly.
const double kTurnWait = 60.0;
const double kChangeWait = 30.0;

// A menu item's place on its page: the column's corner and the item's line, lines two font
// sizes apart.
struct Item {
  int page;
  int x, y, fontSize, line;
};

const Item kPlay{kTitle, 204, 230, 18, 0};
const Item kBestScores{kTitle, 204, 230, 18, 1};
const Item kOptionsItem{kTitle, 204, 230, 18, 2};
const Item kHowToPlay{kTitle, 204, 230, 18, 3};
const Item kCreditsItem{kTitle, 204, 230, 18, 4};
const Item kQuit{kTitle, 204, 230, 18, 5};
const Item kRegularGame{kGameMenu, 232, 232, 20, 0};
const Item kBeatTheClock{kGameMenu, 232, 232, 20, 1};
const Item kDone{kBoard, 290, 464, 18, 0};
const Item kContinueGame{kBoard, 204, 230, 20, 0};
const Item kPausedBack{kBoard, 204, 230, 20, 1};
const Item kClearScores{kScores, 63, 63, 14, 11};
const Item kScoresBack{kScores, 63, 63, 14, 12};
const Item kWordSelection{kOptions, 174, 174, 20, 0};
const Item kMusicVolume{kOptions, 174, 174, 20, 3};
const Item kOptionsBack{kOptions, 174, 174, 20, 5};
const Item kInstructionsBack{kInstructions, 174, 478, 14, 0};
const Item kCreditsBack{kCredits, 58, 48, 13, 14};
const Item kEndGameBack{kGameMenu, 174, 174, 14, 7};

// A rectangle of a page, in the page's own pixels.
struct Area {
  int page;
  int x, y, width, height;
};

// Where each page carries ink of its own, and how much at least: the book's title, the two
// kinds of game or the result of a game, the top rows of letters, the "Best Scores" heading, the
// first option lines, the "How to Play" heading, the first credit line.
struct Mark {
  Area area;
  int minimum;
};
const Mark kMarks[] = {
    {{kTitle, 110, 65, 305, 80}, 1500},     {{kGameMenu, 174, 174, 230, 120}, 500},
    {{kBoard, 144, 102, 224, 120}, 600},    {{kScores, 196, 8, 124, 25}, 200},
    {{kOptions, 174, 174, 260, 100}, 1200}, {{kInstructions, 178, 15, 162, 30}, 300},
    {{kCredits, 62, 48, 286, 14}, 300},
};

const Area kLetters = kMarks[kBoard].area;
// "Continue Game", the first line of the paused menu, where the letters were.
const Area kContinueLine{kBoard, 204, 230, 130, 24};
// The first lines of the result: the score before and after the bonus, and the placement.
const Area kResultLines{kGameMenu, 174, 174, 200, 130};
const Area kPlacementLine{kGameMenu, 174, 286, 300, 20};
// The first line of each best-scores column.
const Area kRegularFirst{kScores, 63, 63, 200, 22};
const Area kTimerFirst{kScores, 301, 63, 200, 22};
const Area kMusicLine{kOptions, 174, 290, 320, 32};
// The word "Play" of the contents.
const Area kPlayWord{kTitle, 204, 230, 46, 22};
const Area kWordSelectionLine{kOptions, 174, 170, 320, 32};

// A word list of its own in the game's word folder: every three letters make a word, so that
// any three tiles in a row can be crossed out whatever the deal. Removed again at the end.
class AllTriples {
 public:
  AllTriples() : m_name("e2e-" + std::to_string(getpid()) + ".txt") {
    std::string words;
    words.reserve(26 * 26 * 26 * 4);
    for (char a = 'a'; a <= 'z'; ++a)
      for (char b = 'a'; b <= 'z'; ++b)
        for (char c = 'a'; c <= 'z'; ++c) words += std::string{a, b, c, '\n'};
    WriteFile(Path(), words);
  }
  ~AllTriples() { unlink(Path().c_str()); }
  const std::string& Name() const { return m_name; }

 private:
  std::string Path() const { return std::string(QM_RESOURCE_DIR) + "/Dict/" + m_name; }
  std::string m_name;
};

class GamePlay : public ::testing::Test {
 protected:
  explicit GamePlay(int screenWidth = 1024, int screenHeight = 768)
      : game(screenWidth, screenHeight) {}

  void SetUp() override { ASSERT_EQ(game.Error(), ""); }

  void TearDown() override {
    if (HasFailure()) {
      PixelImage shot = game.Shot();
      if (shot.width > 0)
        game.Keep(shot, std::string("failed-") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
  }

  // A window position from a position on a page lying at rest.
  void OnPage(int page, int x, int y, int* wx, int* wy) {
    int px, py;
    game.PagePos(page, &px, &py);
    *wx = px + Zoomed(x);
    *wy = py + Zoomed(y);
  }

  // A length in book pixels as the window shows it.
  int Zoomed(int length) const { return static_cast<int>(length * game.Zoom()); }

  void ClickItem(const Item& item) {
    int x, y;
    // A little into the line's text, which every item's text covers.
    OnPage(item.page, item.x + 12, item.y + 2 * item.line * item.fontSize + item.fontSize / 2, &x,
           &y);
    ASSERT_TRUE(game.Click(x, y));
  }

  // The pointer to a bare spot of the paper, so that no item is highlighted.
  void PointerAway(int page) {
    int x, y;
    OnPage(page, 30, 490, &x, &y);
    ASSERT_TRUE(game.MoveTo(x, y));
  }

  int Ink(const PixelImage& shot, const Area& a) {
    int x, y;
    OnPage(a.page, a.x, a.y, &x, &y);
    return DarkPixels(shot, x, y, Zoomed(a.width), Zoomed(a.height));
  }

  // Pixels of any ink, the thin strokes of the fixed-pitch score lines too.
  int Faint(const PixelImage& shot, const Area& a) {
    int x, y, count = 0;
    OnPage(a.page, a.x, a.y, &x, &y);
    for (int j = y; j < y + Zoomed(a.height); ++j)
      for (int i = x; i < x + Zoomed(a.width); ++i) {
        const auto& p = shot.At(i, j);
        count += p.r + p.g + p.b < 450;
      }
    return count;
  }

  int Changed(const PixelImage& before, const PixelImage& after, const Area& a) {
    int x, y;
    OnPage(a.page, a.x, a.y, &x, &y);
    return ChangedIn(before, after, x, y, Zoomed(a.width), Zoomed(a.height));
  }

  // Waits for the page to lie in front after a turn and checks that it shows its own ink.
  PixelImage Turn(int page, const std::string& keepAs = "") {
    PixelImage shot;
    bool reached = game.WaitForPage(page, kTurnWait, &shot);
    EXPECT_TRUE(reached) << "page " << page << " did not come to the front\n" << game.GameStderr();
    if (reached) {
      const Mark& mark = kMarks[page];
      EXPECT_GE(Ink(shot, mark.area), mark.minimum) << "page " << page << " lacks its ink";
    }
    if (!keepAs.empty()) game.Keep(shot, keepAs);
    return shot;
  }

  // Looks at the window until the condition holds; the last look is left in *shot.
  bool WaitForScreen(const std::function<bool(const PixelImage&)>& condition, PixelImage* shot) {
    for (double waited = 0.0; waited < kChangeWait; waited += 0.1) {
      *shot = game.Shot();
      if (condition(*shot)) return true;
      usleep(100000);
    }
    return false;
  }

  bool WaitForPref(const std::string& key, const std::string& value) {
    std::string stored;
    for (double waited = 0.0; waited < kChangeWait; waited += 0.05) {
      if (game.PrefValue(key, &stored) && stored == value) return true;
      usleep(50000);
    }
    return false;
  }

  std::string Pref(const std::string& key) {
    std::string value = "(absent)";
    game.PrefValue(key, &value);
    return value;
  }

  // A window position in the middle of a board cell (of the part of it that takes a stroke).
  void Cell(int col, int row, int* x, int* y) {
    // The 8 x 11 board of 28-pixel cells lies centred on its page.
    OnPage(kBoard, (512 - 8 * 28) / 2 + 28 * col + 10, (512 - 11 * 28) / 2 + 28 * row + 17, x, y);
  }

  // The width of the page in front, from its left outline to its right one, along its middle.
  int PageWidth(const PixelImage& shot, int page) {
    int x, y;
    OnPage(page, 8, 256, &x, &y);
    auto dark = [&](int i) { return shot.At(i, y).r + shot.At(i, y).g + shot.At(i, y).b < 400; };
    int left = x, right = x;
    while (left > 0 && !dark(left)) --left;
    while (right < shot.width - 1 && !dark(right)) ++right;
    return right - left;
  }

  // Pixels of the area that are neither paper nor ink: the antialiased edges of the glyphs.
  int PartlyCovered(const PixelImage& shot, const Area& a) {
    int x, y, count = 0;
    OnPage(a.page, a.x, a.y, &x, &y);
    for (int j = y; j < y + Zoomed(a.height); ++j)
      for (int i = x; i < x + Zoomed(a.width); ++i) {
        const auto& p = shot.At(i, j);
        const int sum = p.r + p.g + p.b;
        count += sum > 50 && sum < 500;
      }
    return count;
  }

  // Crosses out the three tiles at the left end of the bottom row.
  void CrossOutBottomLeft() {
    int x0, y0, x1, y1;
    Cell(0, 10, &x0, &y0);
    Cell(2, 10, &x1, &y1);
    ASSERT_TRUE(game.Stroke(x0, y0, x1, y1));
  }

  // Whether the three tiles at the left end of the bottom row show other letters.
  bool BottomLeftChanged(const PixelImage& before, const PixelImage& after) {
    int x, y;
    OnPage(kBoard, (512 - 8 * 28) / 2, (512 - 11 * 28) / 2 + 10 * 28, &x, &y);
    return ChangedIn(before, after, x, y, Zoomed(3 * 28), Zoomed(28)) > 50;
  }

  GameSession game;
};

// Pixels of a board cell, from its corner, that show the red of the selection mark.
int Red(const PixelImage& shot, int left, int top) {
  int count = 0;
  for (int y = top - 4; y < top + 30; ++y)
    for (int x = left - 4; x < left + 30; ++x) {
      const auto& p = shot.At(x, y);
      count += p.r > 150 && p.g < 100 && p.b < 100;
    }
  return count;
}

// The middle of the top third of the letter drawn in a board cell, from the cell's corner.
bool InkTopThird(const PixelImage& shot, int left, int top, int* x, int* y) {
  int x0 = shot.width, y0 = shot.height, x1 = -1, y1 = -1;
  for (int j = top - 4; j < top + 28; ++j)
    for (int i = left - 4; i < left + 28; ++i) {
      const auto& p = shot.At(i, j);
      if (p.r + p.g + p.b >= 384) continue;
      x0 = std::min(x0, i), x1 = std::max(x1, i);
      y0 = std::min(y0, j), y1 = std::max(y1, j);
    }
  *x = (x0 + x1) / 2;
  *y = y0 + (y1 - y0) / 6;
  return x1 >= 0;
}

// Pixels of the window that show paper.
int Paper(const PixelImage& shot) {
  int count = 0;
  for (const auto& p : shot.pixels) count += p.r + p.g + p.b > 450;
  return count;
}

std::vector<int> Scores(std::vector<int> first) {
  first.resize(10, 0);
  return first;
}

TEST_F(GamePlay, EveryPageOfTheContentsOpensAndLeadsBack) {
  ASSERT_TRUE(game.Start()) << game.Error();
  Turn(kTitle, "title");

  const std::vector<std::pair<Item, Item>> visits = {{kBestScores, kScoresBack},
                                                     {kOptionsItem, kOptionsBack},
                                                     {kHowToPlay, kInstructionsBack},
                                                     {kCreditsItem, kCreditsBack}};
  const char* names[] = {"best-scores", "options", "how-to-play", "credits"};
  for (size_t i = 0; i < visits.size(); ++i) {
    SCOPED_TRACE(names[i]);
    ClickItem(visits[i].first);
    Turn(visits[i].second.page, names[i]);
    ClickItem(visits[i].second);
    Turn(kTitle);
  }

  // "Play" leads to the choice of game; that page has no way back of its own, a game does.
  ClickItem(kPlay);
  Turn(kGameMenu, "game-menu");
  ClickItem(kRegularGame);
  Turn(kBoard, "board");
  ASSERT_TRUE(game.Key("Escape"));
  PixelImage paused;
  ASSERT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return Ink(s, kContinueLine) > 200; }, &paused));
  ClickItem(kPausedBack);
  Turn(kTitle);

  ClickItem(kQuit);
  int status = -2;
  ASSERT_TRUE(game.WaitExit(60.0, &status)) << "\"Quit\" did not end the game";
  EXPECT_EQ(status, 0) << game.GameStderr();
}

TEST_F(GamePlay, MusicVolumeCyclesIsStoredAndSurvivesARestart) {
  ASSERT_TRUE(game.Start()) << game.Error();
  ClickItem(kOptionsItem);
  Turn(kOptions);
  PointerAway(kOptions);
  PixelImage medium = game.SteadyShot();

  // From the default, MEDIUM (0.5): LOUD, OFF, SOFT and MEDIUM again.
  const char* stored[] = {"1", "0", "0.2", "0.5"};
  const char* shown[] = {"loud", "off", "soft", "medium"};
  std::vector<PixelImage> shots;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(shown[i]);
    ClickItem(kMusicVolume);
    EXPECT_TRUE(WaitForPref("MusicVolume", stored[i])) << game.Prefs();
    PointerAway(kOptions);
    PixelImage shot;
    EXPECT_TRUE(WaitForScreen(
        [&](const PixelImage& s) {
          return Changed(shots.empty() ? medium : shots.back(), s, kMusicLine) > 0;
        },
        &shot))
        << "the option's line did not change";
    shots.push_back(game.SteadyShot());
    game.Keep(shots.back(), std::string("options-music-") + shown[i]);
  }
  // Each value reads differently; the fourth click brings back the first text exactly.
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 4; ++j)
      EXPECT_GT(Changed(shots[i], shots[j], kMusicLine), 20) << shown[i] << " / " << shown[j];
  EXPECT_EQ(Changed(medium, shots[3], kMusicLine), 0);

  // Leave it LOUD, with straight-line crossing-out, and start the game again.
  ClickItem(kMusicVolume);
  EXPECT_TRUE(WaitForPref("MusicVolume", "1")) << game.Prefs();
  ClickItem(kWordSelection);
  EXPECT_TRUE(WaitForPref("FreeformWordCrossOut", "0")) << game.Prefs();
  PointerAway(kOptions);
  PixelImage chosen;
  EXPECT_TRUE(WaitForScreen(
      [&](const PixelImage& s) { return Changed(medium, s, kWordSelectionLine) > 0; }, &chosen));
  chosen = game.SteadyShot();
  EXPECT_EQ(Changed(chosen, shots[0], kMusicLine), 0) << "LOUD is not shown";

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
  EXPECT_EQ(Pref("MusicVolume"), "1");
  EXPECT_EQ(Pref("FreeformWordCrossOut"), "0");

  ASSERT_TRUE(game.Start()) << game.Error();
  ClickItem(kOptionsItem);
  Turn(kOptions);
  PointerAway(kOptions);
  PixelImage again = game.SteadyShot();
  game.Keep(again, "options-after-restart");
  EXPECT_EQ(Changed(chosen, again, kMusicLine), 0) << "the restarted game does not show LOUD";
  EXPECT_EQ(Changed(chosen, again, kWordSelectionLine), 0)
      << "the restarted game does not show the straight-line choice";
  EXPECT_GT(Changed(medium, again, kWordSelectionLine), 20);
  EXPECT_EQ(Pref("MusicVolume"), "1");
  EXPECT_EQ(Pref("FreeformWordCrossOut"), "0");
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
}

TEST_F(GamePlay, ARegularGameEntersTheBestScoresAndClearingEmptiesOnlyItsColumn) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.Name() + "\nHighScoresBTC=777;\n");
  ASSERT_TRUE(game.Start()) << game.Error();

  ClickItem(kBestScores);
  Turn(kScores);
  PointerAway(kScores);
  PixelImage empty = game.SteadyShot();
  game.Keep(empty, "scores-before-game");
  ClickItem(kScoresBack);
  Turn(kTitle);

  ClickItem(kPlay);
  Turn(kGameMenu);
  ClickItem(kRegularGame);
  PixelImage board = Turn(kBoard);
  // A click on the top third of a letter, where it is drawn, selects it: the red mark circles
  // that tile.
  int x, y, inkX, inkY;
  Cell(3, 5, &x, &y);
  ASSERT_TRUE(InkTopThird(board, x - 10, y - 17, &inkX, &inkY));
  ASSERT_TRUE(game.Click(inkX, inkY));
  PixelImage selected;
  EXPECT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return Red(s, x - 10, y - 17) > 20; }, &selected))
      << "the tile was not selected";
  ASSERT_TRUE(game.Click(inkX, inkY));
  EXPECT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return Red(s, x - 10, y - 17) == 0; }, &selected))
      << "the tile was not put back";
  board = game.SteadyShot();
  CrossOutBottomLeft();
  // The tiles above fall into the gap: the bottom-left cells change.
  PixelImage crossed;
  EXPECT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return BottomLeftChanged(board, s); }, &crossed))
      << "the word was not crossed out";
  crossed = game.SteadyShot();
  game.Keep(crossed, "board-after-word");

  ClickItem(kDone);
  PixelImage result = Turn(kGameMenu, "result-regular");
  EXPECT_GT(Ink(result, kResultLines), 300) << "no result is shown";
  EXPECT_GT(Ink(result, kPlacementLine), 100) << "no placement is shown";
  // Three letters score 10; with 85 of 88 tiles left the clearing bonus is still 0.
  EXPECT_EQ(game.PrefInts("HighScores"), Scores({10})) << game.Prefs();
  EXPECT_EQ(Pref("HighScoresBTC"), "777;") << "the other list was touched";

  ClickItem(kEndGameBack);
  Turn(kTitle);
  ClickItem(kBestScores);
  Turn(kScores);
  PointerAway(kScores);
  PixelImage entered = game.SteadyShot();
  game.Keep(entered, "scores-after-game");
  EXPECT_GT(Changed(empty, entered, kRegularFirst), 20) << "the new best score is not shown";
  EXPECT_GT(Faint(entered, kRegularFirst), Faint(empty, kRegularFirst) + 30);
  EXPECT_EQ(Changed(empty, entered, kTimerFirst), 0);

  ClickItem(kClearScores);
  Turn(kTitle);
  EXPECT_EQ(game.PrefInts("HighScores"), Scores({})) << game.Prefs();
  EXPECT_EQ(Pref("HighScoresBTC"), "777;") << "the other list was touched";
  ClickItem(kBestScores);
  Turn(kScores);
  PointerAway(kScores);
  PixelImage cleared = game.SteadyShot();
  game.Keep(cleared, "scores-after-clear");
  EXPECT_EQ(Changed(empty, cleared, kRegularFirst), 0) << "the left column was not emptied";
  EXPECT_EQ(Changed(empty, cleared, kTimerFirst), 0) << "the right column changed";
  // "1." alone on the left, "1.    777" on the right.
  EXPECT_GT(Faint(cleared, kTimerFirst), Faint(cleared, kRegularFirst) + 30);

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
}

TEST_F(GamePlay, BeatTheClockEndsWhenTimeRunsOutAndScoresInItsOwnList) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.Name() +
                  "\n_TimePerWord=10\nHighScores=555;\n");
  ASSERT_TRUE(game.Start()) << game.Error();
  // A game left through the paused menu is over: its countdown neither turns the book later
  // nor enters its total.
  ClickItem(kPlay);
  Turn(kGameMenu);
  ClickItem(kBeatTheClock);
  Turn(kBoard);
  CrossOutBottomLeft();
  ASSERT_TRUE(game.Key("Escape"));
  PixelImage paused;
  ASSERT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return Ink(s, kContinueLine) > 200; }, &paused));
  ClickItem(kPausedBack);
  Turn(kTitle);
  sleep(12);
  EXPECT_TRUE(game.ShowsPageInFront(game.Shot(), kTitle)) << "the abandoned game turned the book";
  EXPECT_EQ(Pref("HighScoresBTC"), "(absent)") << "the abandoned game entered its total";

  ClickItem(kPlay);
  Turn(kGameMenu);
  ClickItem(kBeatTheClock);
  Turn(kBoard);
  // A word within the time: the countdown starts again, then runs out with no further word.
  PixelImage board = game.Shot();
  CrossOutBottomLeft();
  PixelImage crossed;
  EXPECT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return BottomLeftChanged(board, s); }, &crossed))
      << "the word was not crossed out";
  game.Keep(crossed, "beat-the-clock");

  PixelImage result = Turn(kGameMenu, "result-beat-the-clock");
  EXPECT_GT(Ink(result, kResultLines), 300) << "no result is shown";
  EXPECT_GT(Ink(result, kPlacementLine), 100) << "no placement is shown";
  EXPECT_EQ(game.PrefInts("HighScoresBTC"), Scores({10})) << game.Prefs();
  EXPECT_EQ(Pref("HighScores"), "555;") << "the regular list was touched";

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
}

TEST_F(GamePlay, PauseFullScreenAndClosingTheWindow) {
  ASSERT_TRUE(game.Start()) << game.Error();
  ClickItem(kPlay);
  Turn(kGameMenu);
  ClickItem(kRegularGame);
  Turn(kBoard);
  PointerAway(kBoard);
  PixelImage playing = game.SteadyShot();

  ASSERT_TRUE(game.Key("Escape"));
  PixelImage paused;
  EXPECT_TRUE(WaitForScreen(
      [&](const PixelImage& s) { return Ink(s, kContinueLine) > 200 && Ink(s, kLetters) < 50; },
      &paused))
      << "the paused menu did not replace the letters";
  game.Keep(paused, "paused");

  ClickItem(kContinueGame);
  PointerAway(kBoard);
  PixelImage resumed;
  EXPECT_TRUE(WaitForScreen(
      [&](const PixelImage& s) { return Ink(s, kLetters) >= kMarks[kBoard].minimum; }, &resumed))
      << "the letters did not come back";
  resumed = game.SteadyShot();
  EXPECT_EQ(Changed(playing, resumed, kLetters), 0) << "the board is not the same board";

  // Full screen and back. The choice is stored at once. Without a window manager nobody carries
  // out the request to cover the screen, so the X window may keep its size; either way the game
  // must come back to its 640 x 640 window with the book laid out for it.
  int screenWidth = 0, screenHeight = 0, width = 0, height = 0;
  ASSERT_TRUE(xwindow::ScreenSize(&screenWidth, &screenHeight));
  ASSERT_TRUE(game.Key("F11"));
  EXPECT_TRUE(WaitForPref("Fullscreen", "1")) << game.Prefs();
  ASSERT_TRUE(xwindow::WindowSize(game.Window(), &width, &height));
  EXPECT_TRUE((width == 640 && height == 640) || (width == screenWidth && height == screenHeight))
      << width << " x " << height;
  PixelImage shot = game.SteadyShot();
  game.Keep(shot, "full-screen");
  EXPECT_GT(Paper(shot), 50000) << "no page is drawn";

  ASSERT_TRUE(game.Key("F11"));
  EXPECT_TRUE(WaitForPref("Fullscreen", "0")) << game.Prefs();
  for (double waited = 0.0; waited < kChangeWait && !(width == 640 && height == 640);
       waited += 0.1) {
    usleep(100000);
    xwindow::WindowSize(game.Window(), &width, &height);
  }
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 640);
  shot = game.SteadyShot();
  game.Keep(shot, "windowed-again");
  EXPECT_GT(Paper(shot), 50000) << "no page is drawn";
  EXPECT_TRUE(game.ShowsPageInFront(shot, kBoard)) << "the book is not laid out for the window";
  // Still answering: the pause key takes the letters away and brings them back.
  ASSERT_TRUE(game.Key("Escape"));
  PixelImage toggled;
  EXPECT_TRUE(WaitForScreen(
      [&](const PixelImage& s) { return ChangedIn(shot, s, 0, 0, s.width, s.height) > 2000; },
      &toggled))
      << "the pause key changed nothing";
  ASSERT_TRUE(game.Key("Escape"));
  EXPECT_TRUE(WaitForScreen(
      [&](const PixelImage& s) { return ChangedIn(shot, s, 0, 0, s.width, s.height) == 0; },
      &toggled))
      << "the game did not come back from its pause";

  int status = -2;
  ASSERT_TRUE(game.Close(&status)) << "the game did not quit when its window closed";
  EXPECT_EQ(status, 0) << game.GameStderr();
}

// At 200% the book is drawn twice as large, crisp, and every click and stroke lands where it is
// drawn; Ctrl+0 and Ctrl+Plus change what is drawn and what is stored.
class ZoomedGamePlay : public GamePlay {
 protected:
  // Room for a window at twice its size.
  ZoomedGamePlay() : GamePlay(1400, 1400) {}
};

TEST_F(ZoomedGamePlay, TheBookAtTwiceItsSize) {
  AllTriples words;
  game.WritePrefs("[Quillmere]\n_DictPath=" + words.Name() + "\nZoom=200\n");
  game.SetZoom(2.0);
  ASSERT_TRUE(game.Start()) << game.Error();
  int width = 0, height = 0;
  ASSERT_TRUE(xwindow::WindowSize(game.Window(), &width, &height));
  EXPECT_EQ(width, 1280);
  EXPECT_EQ(height, 1280);
  PointerAway(kTitle);
  PixelImage title = Turn(kTitle, "title-200");
  EXPECT_NEAR(PageWidth(title, kTitle), 1024, 2);
  const int edges200 = PartlyCovered(title, kPlayWord);

  ClickItem(kPlay);
  Turn(kGameMenu);
  ClickItem(kRegularGame);
  PixelImage board = Turn(kBoard, "board-200");
  CrossOutBottomLeft();
  PixelImage crossed;
  EXPECT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return BottomLeftChanged(board, s); }, &crossed))
      << "the word was not crossed out";
  ASSERT_TRUE(game.Key("Escape"));
  PixelImage paused;
  ASSERT_TRUE(
      WaitForScreen([&](const PixelImage& s) { return Ink(s, kContinueLine) > 200; }, &paused));
  ClickItem(kPausedBack);
  Turn(kTitle);

  ASSERT_TRUE(game.Key("ctrl+0"));
  EXPECT_TRUE(WaitForPref("Zoom", "100")) << game.Prefs();
  game.SetZoom(1.0);
  PointerAway(kTitle);
  PixelImage title100 = Turn(kTitle, "title-100-in-a-large-window");
  EXPECT_NEAR(PageWidth(title100, kTitle), 512, 2);
  const int edges100 = PartlyCovered(title100, kPlayWord);
  EXPECT_GT(edges100, 10);
  EXPECT_LE(edges200, 2 * edges100) << "the zoomed text is not drawn for the device's pixels";

  ASSERT_TRUE(game.Key("ctrl+plus"));
  EXPECT_TRUE(WaitForPref("Zoom", "125")) << game.Prefs();
  game.SetZoom(1.25);
  PixelImage title125 = Turn(kTitle);
  EXPECT_NEAR(PageWidth(title125, kTitle), 640, 2);

  int status = -2;
  ASSERT_TRUE(game.Close(&status));
  EXPECT_EQ(status, 0) << game.GameStderr();
}

}  // namespace
