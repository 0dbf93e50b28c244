// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include <array>
#include <string>
#include <vector>

#include "Print.h"

namespace {

constexpr double kPageSize = 512.0;
constexpr double kCentre = kPageSize / 2.0;

// Where the game draws over the pages, in page pixels. Menu items are text boxes whose text
// starts 4 pixels right of and 2 pixels below the item's position.
constexpr double kItemMarginX = 4.0;
constexpr double kItemMarginY = 2.0;
constexpr double kMainMenuX = 204.0;  // the main menu: six items of 18-pixel Helvetica
constexpr double kMainMenuY = 230.0;
constexpr double kMainMenuPitch = 36.0;
constexpr int kMainMenuItems = 6;
constexpr double kMainMenuPixels = 18.0;
constexpr double kScoresLeftX = 63.0;  // the two best-score lists: 14-pixel Courier from y 63
constexpr double kScoresRightX = 301.0;
constexpr double kScoresTop = 63.0;
constexpr double kScoresPitch = 28.0;
constexpr double kBackLinkTop = 478.0;  // "Back to Table of Contents" on the how-to-play page

}  // namespace

// ----------------------------------------------------------------------------------------------
// The title page

void PaintTitlePage(cairo_t* cr) {
  const std::string name =
      std::string("<span foreground=\"") + kRedInkMarkup + "\">Q</span>uillmere";
  Text title(cr, Face{kScriptFamily, 92.0}, name);
  title.PrintOnBaseline(kCentre, 122.0, Align::kCenter, kBlackInk);

  PrintOrnamentRule(cr, kCentre, 146.0, 120.0, kBlackInk);

  Text subtitle(cr, Face{kBookFamily, 17.0, PANGO_STYLE_ITALIC}, "A Book of Words to Cross Out");
  subtitle.PrintOnBaseline(kCentre, 176.0, Align::kCenter, kBlackInk);

  // The table of contents: a heading over the menu column and a chapter numeral beside each
  // item, set on the item's own baseline so that numeral and item read as one line.
  const double textLeft = kMainMenuX + kItemMarginX;
  Text heading(cr, Face{kBookFamily, 13.0}, "CONTENTS");
  heading.SetLetterSpacing(3.0);
  heading.PrintOnBaseline(textLeft, 212.0, Align::kLeft, kRedInk);
  PrintRule(cr, 160.0, 400.0, 220.5, 0.8, kGreyInk);

  Text itemFace(cr, Face{kGameSansFamily, kMainMenuPixels}, "Play");
  const double itemBaseline = kMainMenuY + kItemMarginY + itemFace.Baseline();
  static const char* const kNumerals[kMainMenuItems] = {"I.", "II.", "III.", "IV.", "V.", "VI."};
  for (int i = 0; i < kMainMenuItems; ++i) {
    Text numeral(cr, Face{kBookFamily, 16.0, PANGO_STYLE_ITALIC}, kNumerals[i]);
    numeral.PrintOnBaseline(kMainMenuX - 10.0, itemBaseline + i * kMainMenuPitch, Align::kRight,
                            kGreyInk);
  }

  PrintFleuron(cr, kCentre, 470.0, 22.0, kRedInk);
}

// ----------------------------------------------------------------------------------------------
// The best-scores page: everything printed must fit above the lists, which start at y 63.

void PaintScoresPage(cairo_t* cr) {
  Text title(cr, Face{kScriptFamily, 32.0}, "Best Scores");
  title.PrintOnBaseline(kCentre, 29.0, Align::kCenter, kBlackInk);

  const Face headingFace{kBookFamily, 15.0, PANGO_STYLE_ITALIC};
  const struct {
    const char* text;
    double left;
  } kColumns[] = {{"Regular Game", kScoresLeftX}, {"Beat the Clock", kScoresRightX}};
  for (const auto& column : kColumns) {
    Text heading(cr, headingFace, column.text);
    const double textLeft = column.left + kItemMarginX;
    heading.PrintOnBaseline(textLeft, kScoresTop - 11.0, Align::kLeft, kRedInk);
    PrintRule(cr, textLeft, textLeft + 150.0, kScoresTop - 5.0, 0.8, kGreyInk);
  }

  // A column rule between the lists, right of the widest left-hand item ("Table of Contents").
  PrintColumnRule(cr, 262.0, kScoresTop + 13.0, kScoresTop + 9.0 * kScoresPitch + 11.0, 0.8,
                  kGreyInk);

  Text note(cr, Face{kBookFamily, 12.5, PANGO_STYLE_ITALIC},
            "Each total is the score of one game with its clearing bonus added. The ten best of "
            "each kind of game are kept.",
            150.0);
  note.SetLineSpacing(1.15);
  // Under the right-hand list, which is three lines shorter than the left.
  note.Print(kScoresRightX + kItemMarginX, kScoresTop + 11.0 * kScoresPitch, Align::kLeft,
             kGreyInk);

  PrintFleuron(cr, kCentre, 468.0, 22.0, kRedInk);
}

// ----------------------------------------------------------------------------------------------
// The how-to-play page

namespace {

// A small table of two rows, a label in italics before each, between a rule above and below.
// Widths are in ems of the text, so that the table grows and shrinks with it.
struct Table {
  const char* labels[2];
  std::vector<std::array<const char*, 2>> columns;
  double labelWidth, columnWidth;
};

const Table kScoreTable{
    {"letters", "points"},
    {{"3", "10"}, {"4", "30"}, {"5", "50"}, {"6", "100"}, {"7", "200"}, {"8 or more", "400"}},
    5.5,
    4.6,
};

// As wide as the table of scores, so that the rules of the two line up.
const Table kKeyTable{
    {"key", "book"},
    {{"Ctrl+Plus", "larger"},
     {"Ctrl+Minus", "smaller"},
     {"Ctrl+0", "at 100%"},
     {"F11", "full screen"}},
    5.5,
    6.9,
};

struct Paragraph {
  const char* head;  // printed in red as a run-in heading, or null
  const char* body;
  const Table* table = nullptr;  // set under the paragraph, or null
};

const Paragraph kRules[] = {
    {nullptr,
     "Eighty-eight letter tiles fill the board. Find words among them and cross them out: their "
     "tiles vanish, and since no new letters ever arrive, the board empties as you play."},
    {"Swapping tiles.",
     "Click a tile to pick it up and any other to swap the two; click it again to put it back. "
     "A swap costs 10 points in a Regular Game, none in Beat the Clock."},
    {"Crossing out words.",
     "Press the mouse button on the first letter of a word, draw a stroke through its letters and "
     "let go on the last. A word runs in a straight line, across, down or diagonally, reads from "
     "where the stroke begins and has at least three letters. If the dictionary knows it, its "
     "tiles vanish and the letters above drop into the gap."},
    {"Freeform or straight line.",
     "The Options page offers two ways to draw. In Freeform, the usual way, every tile the stroke "
     "passes over must lie on one line from the first; in Straight Line only the tiles where the "
     "stroke starts and ends count."},
    {"Scoring.", "The longer the word, the more it is worth:", &kScoreTable},
    {nullptr,
     "As the board empties, a clearing bonus grows, up to 2000 points for an empty board; it is "
     "added to your score when the game ends."},
    {"Two ways to play.",
     "A Regular Game has no clock: when you find no more words, click \u201cClick Here When "
     "Done\u201d. In Beat the Clock each word must be found within 12\u00a0seconds; the game ends "
     "when time runs out or the board is empty."},
    {"Keys.", "Escape pauses the game, and four keys change how the book is shown:", &kKeyTable},
};

constexpr double kTextLeft = 36.0;
constexpr double kTextWidth = kPageSize - 2.0 * kTextLeft;
constexpr double kTextTop = 70.0;
constexpr double kTextBottom = kBackLinkTop - 12.0;

std::string Escape(const char* text) {
  gchar* escaped = g_markup_escape_text(text, -1);
  std::string result(escaped);
  g_free(escaped);
  return result;
}

double SetTable(cairo_t* cr, const Table& table, double pixels, double top, bool print) {
  const double labelWidth = table.labelWidth * pixels, columnWidth = table.columnWidth * pixels;
  const double width = labelWidth + static_cast<double>(table.columns.size()) * columnWidth;
  const double left = kCentre - width / 2.0;
  const double rowHeight = 1.45 * pixels;
  const double padding = 0.35 * pixels;
  const Face label{kBookFamily, pixels, PANGO_STYLE_ITALIC};
  const Face cell{kBookFamily, pixels};
  if (print) {
    PrintRule(cr, left, left + width, top + 0.5, 0.8, kGreyInk);
    for (int row = 0; row < 2; ++row) {
      const double rowTop = top + padding + row * rowHeight;
      Text(cr, label, table.labels[row]).Print(left, rowTop, Align::kLeft, kBlackInk);
      for (size_t i = 0; i < table.columns.size(); ++i) {
        Text(cr, cell, table.columns[i][row])
            .Print(left + labelWidth + (static_cast<double>(i) + 0.5) * columnWidth, rowTop,
                   Align::kCenter, kBlackInk);
      }
    }
    PrintRule(cr, left, left + width, top + 2 * padding + 2 * rowHeight - 0.5, 0.8, kGreyInk);
  }
  return top + 2 * padding + 2 * rowHeight;
}

// Sets the rules at the given size from kTextTop down and returns where they end; prints them
// only when asked, so that the same code measures and prints.
double SetRules(cairo_t* cr, double pixels, bool print) {
  const double gap = 0.45 * pixels;
  double y = kTextTop;
  for (const Paragraph& paragraph : kRules) {
    std::string markup;
    if (paragraph.head != nullptr) {
      markup = std::string("<span foreground=\"") + kRedInkMarkup + "\"><i>" +
               Escape(paragraph.head) + "</i></span>  ";
    }
    markup += Escape(paragraph.body);
    Text text(cr, Face{kBookFamily, pixels}, markup, kTextWidth, true);
    text.SetLineSpacing(1.12);
    if (print) text.Print(kTextLeft, y, Align::kLeft, kBlackInk);
    y += text.Height() + gap;
    if (paragraph.table != nullptr) y = SetTable(cr, *paragraph.table, pixels, y, print) + gap;
  }
  return y - gap;
}

}  // namespace

void PaintInstructionsPage(cairo_t* cr) {
  Text title(cr, Face{kScriptFamily, 36.0}, "How to Play");
  title.PrintOnBaseline(kCentre, 40.0, Align::kCenter, kBlackInk);
  PrintOrnamentRule(cr, kCentre, 54.0, 100.0, kBlackInk);

  // The largest size, in quarter pixels, at which the rules fit above the back link.
  double pixels = 15.0;
  while (pixels > 9.0 && SetRules(cr, pixels, false) > kTextBottom) pixels -= 0.25;
  SetRules(cr, pixels, true);
}
