// SPDX-License-Identifier: GPL-3.0-or-later
// The six menu pages in the whole game: the real book in a real GL context, clicked through
// with real input events at window positions, with a real preference file.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/GameSettings.h"
#include "puzzle/PageBoard.h"
#include "scene/PageCredits.h"
#include "scene/PageGameMenu.h"
#include "scene/PageInstructions.h"
#include "scene/PageOptions.h"
#include "scene/PageScores.h"
#include "scene/PageTitle.h"
#include "support/Book.h"
#include "support/MenuInput.h"
#include "ui/MenuNavigation.h"
#include "ui/MenuScores.h"
#include "ui/Overlay.h"

namespace {

template <class PageClass>
PageClass& Page(Book& book, Universe::PageID id) {
  return *static_cast<PageClass*>(book.Pages().GetPage(id));
}

// The window position of the middle of a menu item drawn on a page.
void ItemOnPage(Book& book, Universe::PageID id, const Menu& menu, int item, int* x, int* y) {
  MenuInput::Centre(menu, item, x, y);
  const TQ3Vector3D& pos = book.Pages().GetPage(id)->GetPos();
  *x += static_cast<int>(pos.x);
  *y += static_cast<int>(pos.y);
}

void ClickItem(Book& book, Universe::PageID id, const Menu& menu, int item) {
  int x, y;
  ItemOnPage(book, id, menu, item, &x, &y);
  book.Click(x, y);
}

std::vector<int> List(const char* key) {
  std::vector<int> scores(10);
  GameSettings::GetIntArrayParam(key, scores.data(), 10);
  return scores;
}

void SetList(const char* key, std::vector<int> scores) {
  scores.resize(10);
  GameSettings::SetIntArrayParam(key, scores.data(), 10);
}

TEST(ContentPages, TheTableOfContentsOpensEveryPageAndEachLeadsBack) {
  Book book;
  Menu& contents = *Page<PageTitle>(book, Universe::kPageTitle).GetMenu();
  EXPECT_EQ(contents.GetItemText(0), "Play");
  auto open = [&](int item, Universe::PageID expected) {
    ClickItem(book, Universe::kPageTitle, contents, item);
    EXPECT_EQ(book.Pages().GetCurrentPage(), expected) << "item " << item;
    book.Settle();
  };
  auto back = [&](Universe::PageID id, const Menu& menu, int item) {
    ClickItem(book, id, menu, item);
    EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageTitle) << "from page " << id;
    book.Settle();
  };

  open(1, Universe::kPageScores);
  back(Universe::kPageScores, *Page<PageScores>(book, Universe::kPageScores).GetMenu(), 12);
  open(2, Universe::kPageOptions);
  Menu& options = *Page<PageOptions>(book, Universe::kPageOptions).GetMenu();
  back(Universe::kPageOptions, options, 5);
  open(3, Universe::kPageInstructions);
  back(Universe::kPageInstructions,
       *Page<PageInstructions>(book, Universe::kPageInstructions).GetMenu(), 0);

  // On the credits page a line to read does nothing; the last line leads back.
  open(4, Universe::kPageCredits);
  Menu& credits = *Page<PageCredits>(book, Universe::kPageCredits).GetMenu();
  ClickItem(book, Universe::kPageCredits, credits, 6);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageCredits);
  back(Universe::kPageCredits, credits, MenuCredits::kBackItem);

  // Events reach only the page in front: the pointer over the place of an options item, with
  // the title page on top, does not reach the options menu; the title page's menu follows the
  // pointer.
  int x, y;
  ItemOnPage(book, Universe::kPageOptions, options, 0, &x, &y);
  book.MouseMove(x, y);
  EXPECT_EQ(options.GetRolloverItem(), -1);
  ItemOnPage(book, Universe::kPageTitle, contents, 3, &x, &y);
  book.MouseMove(x, y);
  EXPECT_EQ(contents.GetRolloverItem(), 3);
  EXPECT_EQ(options.GetRolloverItem(), -1);

  // Play leads to the choice of mode, and a mode to a fresh board of that kind.
  open(0, Universe::kPageGameMenu);
  PageGameMenu& gameMenu = Page<PageGameMenu>(book, Universe::kPageGameMenu);
  EXPECT_EQ(gameMenu.GetEndGameMenu(), nullptr);
  ClickItem(book, Universe::kPageGameMenu, *gameMenu.GetMenu(), 1);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageBoard);
  EXPECT_TRUE(book.Board().IsTimerMode());
  ASSERT_NE(book.Board().GetBoard(), nullptr);
}

TEST(ContentPages, AFinishedGameShowsItsResultUntilTheBookRestsElsewhere) {
  Book book;
  PageGameMenu& gameMenu = Page<PageGameMenu>(book, Universe::kPageGameMenu);
  book.TurnTo(Universe::kPageGameMenu);
  ClickItem(book, Universe::kPageGameMenu, *gameMenu.GetMenu(), 0);
  book.Settle();
  ASSERT_EQ(book.Pages().GetCurrentPage(), Universe::kPageBoard);
  EXPECT_FALSE(book.Board().IsTimerMode());

  // The player is done: the board hands the result over and the book turns to it.
  book.Board().IncrementScore(120);
  const int total = 120 + book.Board().GetBonus();
  ClickItem(book, Universe::kPageBoard, *book.Board().GetDoneMenu(), 0);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageGameMenu);
  MenuEndGame* result = gameMenu.GetEndGameMenu();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->GetItemText(4), "You've placed #1 on the high score list!");
  EXPECT_EQ(List("HighScores"), (std::vector<int>{total, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(List("HighScoresBTC"), std::vector<int>(10, 0));

  // The result stays while the page is in front, and the score was entered once.
  book.Settle();
  for (int i = 0; i < 30; ++i) book.Frame();
  EXPECT_EQ(gameMenu.GetEndGameMenu(), result);
  EXPECT_EQ(List("HighScores")[1], 0);

  // Another puzzle of the same kind; once the book rests on the board, the result is gone.
  ClickItem(book, Universe::kPageGameMenu, *result, 6);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageBoard);
  EXPECT_FALSE(book.Board().IsTimerMode());
  EXPECT_EQ(book.Board().GetScore(), 0);
  book.Settle();
  EXPECT_EQ(gameMenu.GetEndGameMenu(), nullptr);

  // The next game's end builds a new result; the list holds both games.
  book.Board().IncrementScore(30);
  const int second = 30 + book.Board().GetBonus();
  book.Pages().Signal(kSignalGameOver);
  ASSERT_NE(gameMenu.GetEndGameMenu(), nullptr);
  EXPECT_EQ(gameMenu.GetEndGameMenu()->GetItemText(4),
            second > total ? "You've placed #1 on the high score list!"
                           : "You've placed #2 on the high score list!");
  book.Settle();
  EXPECT_EQ(List("HighScores")[2], 0);

  // Back to the contents: once the turn is over, the next visit offers the modes again.
  ClickItem(book, Universe::kPageGameMenu, *gameMenu.GetEndGameMenu(), 7);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageTitle);
  book.Settle();
  EXPECT_EQ(gameMenu.GetEndGameMenu(), nullptr);

  // A second result replaces the first.
  gameMenu.SetupScoreMenu(5, 0, true);
  gameMenu.SetupScoreMenu(7, 0, true);
  EXPECT_EQ(gameMenu.GetEndGameMenu()->GetItemText(0), "Total Score:         7");
  EXPECT_EQ(List("HighScoresBTC"), (std::vector<int>{7, 5, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ContentPages, TheBestScoresPageReadsTheListsAfreshOnEveryVisit) {
  Book book;
  PageScores& scores = Page<PageScores>(book, Universe::kPageScores);
  EXPECT_EQ(scores.GetMenu(), nullptr);
  EXPECT_EQ(scores.GetMenu2(), nullptr);

  // Before its first visit the page draws nothing over its image.
  book.Frame();
  const PixelImage before = book.GL().ReadPixels();
  Overlay::RenderSetup(640, 640);
  scores.RenderContents(640, 640);
  Overlay::RenderUnsetup();
  EXPECT_FALSE(DiffersIn(before, book.GL().ReadPixels(), 0, 0, 640, 640));

  SetList("HighScores", {800, 600});
  SetList("HighScoresBTC", {999});
  book.TurnTo(Universe::kPageScores);
  Menu* left = scores.GetMenu();
  ASSERT_NE(left, nullptr);
  ASSERT_NE(scores.GetMenu2(), nullptr);
  EXPECT_EQ(left->GetItemText(1), "2.    600");
  EXPECT_EQ(scores.GetMenu2()->GetItemText(0), "1.    999");

  // Clearing asks nothing and turns to the contents; the page keeps the menus it built.
  ClickItem(book, Universe::kPageScores, *left, 11);
  EXPECT_EQ(book.Pages().GetCurrentPage(), Universe::kPageTitle);
  EXPECT_EQ(List("HighScores"), std::vector<int>(10, 0));
  EXPECT_EQ(List("HighScoresBTC"), (std::vector<int>{999, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  book.Settle();
  EXPECT_EQ(scores.GetMenu(), left);

  // Back on the page: the left column shows bare ranks, the right keeps its score.
  ClickItem(book, Universe::kPageTitle, *Page<PageTitle>(book, Universe::kPageTitle).GetMenu(), 1);
  book.Settle();
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(scores.GetMenu()->GetItemText(i), std::to_string(i + 1) + ".");
  EXPECT_EQ(scores.GetMenu2()->GetItemText(0), "1.    999");
}

TEST(ContentPages, AnOptionIsClickableAgainOnceItsNewTextIsDrawn) {
  Book book;
  book.TurnTo(Universe::kPageOptions);
  Menu& options = *Page<PageOptions>(book, Universe::kPageOptions).GetMenu();
  int x, y;
  ItemOnPage(book, Universe::kPageOptions, options, 3, &x, &y);
  book.Click(x, y);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), 1.0f);
  // Until the next frame draws it, the new text has no size and the click finds nothing.
  book.Click(x, y);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), 1.0f);
  book.Frame();
  book.Click(x, y);
  EXPECT_FLOAT_EQ(GameSettings::GetFloatParam("MusicVolume"), 0.0f);
  EXPECT_EQ(options.GetItemText(3), "Music Volume:  OFF");
}

// Pictures of two pages as the player sees them, kept beside the build for a person to look at.
TEST(ContentPages, TheTitleAndBestScoresPagesAsDrawn) {
  Book book;
  const std::string folder = std::string(QM_BINARY_DIR) + "/screenshots";
  std::filesystem::create_directories(folder);
  book.Frame();
  PixelImage title = book.GL().ReadPixels();
  EXPECT_TRUE(title.SavePng(folder + "/title-page.png"));
  const TQ3Vector3D& t = book.Pages().GetPage(Universe::kPageTitle)->GetPos();
  const int tx = static_cast<int>(t.x), ty = static_cast<int>(t.y);
  // "Play" beside the printed numeral I, "Quit" beside VI, and the version line at the top.
  EXPECT_GT(DarkPixels(title, tx + 206, ty + 232, 50, 20), 20);
  EXPECT_GT(DarkPixels(title, tx + 206, ty + 232 + 5 * 36, 50, 20), 20);
  EXPECT_GT(DarkPixels(title, tx + 22, ty + 11, 70, 12), 10);
  EXPECT_EQ(DarkPixels(title, tx + 206, ty + 232 + 6 * 36, 100, 20), 0) << "nothing below Quit";

  SetList("HighScores", {1520, 880, 410});
  SetList("HighScoresBTC", {2210, 35});
  book.TurnTo(Universe::kPageScores);
  PixelImage scores = book.GL().ReadPixels();
  EXPECT_TRUE(scores.SavePng(folder + "/best-scores-page.png"));
  const TQ3Vector3D& s = book.Pages().GetPage(Universe::kPageScores)->GetPos();
  const int sx = static_cast<int>(s.x), sy = static_cast<int>(s.y);
  EXPECT_GT(DarkPixels(scores, sx + 65, sy + 64, 70, 16), 20) << "1.   1520";
  EXPECT_GT(DarkPixels(scores, sx + 303, sy + 64, 70, 16), 20) << "1.   2210";
  EXPECT_GT(DarkPixels(scores, sx + 65, sy + 64 + 11 * 28, 90, 16), 20) << "Clear Scores";
}

TEST(ContentPages, TheOtherMenuPagesAsDrawn) {
  Book book;
  const std::string folder = std::string(QM_BINARY_DIR) + "/screenshots";
  std::filesystem::create_directories(folder);
  struct Shot {
    Universe::PageID page;
    const char* file;
    int x, y;  // where the menu's first line is printed
  };
  const Shot shots[] = {
      {Universe::kPageOptions, "options-page.png", 174, 174},
      {Universe::kPageInstructions, "how-to-play-page.png", 174, 478},
      {Universe::kPageCredits, "credits-page.png", 58, 48},
      {Universe::kPageGameMenu, "game-menu-page.png", 232, 232},
  };
  for (const Shot& shot : shots) {
    book.TurnTo(shot.page);
    PixelImage image = book.GL().ReadPixels();
    EXPECT_TRUE(image.SavePng(folder + "/" + shot.file));
    const TQ3Vector3D& p = book.Pages().GetPage(shot.page)->GetPos();
    EXPECT_GT(DarkPixels(image, static_cast<int>(p.x) + shot.x + 2,
                         static_cast<int>(p.y) + shot.y + 2, 80, 14),
              20)
        << shot.file;
  }

  // The result of a game in place of the choice of mode.
  GameSettings::SetIntArrayParam("HighScores", std::vector<int>{900, 400}.data(), 2);
  static_cast<PageGameMenu*>(book.Pages().GetPage(Universe::kPageGameMenu))
      ->SetupScoreMenu(430, 1250, false);
  book.Frame();
  PixelImage result = book.GL().ReadPixels();
  EXPECT_TRUE(result.SavePng(folder + "/game-result-page.png"));
  const TQ3Vector3D& p = book.Pages().GetPage(Universe::kPageGameMenu)->GetPos();
  EXPECT_GT(DarkPixels(result, static_cast<int>(p.x) + 176, static_cast<int>(p.y) + 176, 80, 14),
            20);
  // Right of the result's lines, where "Regular Game" ends, the paper stays bare.
  EXPECT_EQ(DarkPixels(result, static_cast<int>(p.x) + 318, static_cast<int>(p.y) + 236, 36, 16), 0)
      << "the choice of mode is not drawn under the result";
}

}  // namespace
