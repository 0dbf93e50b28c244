// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuScores.h"

#include <climits>
#include <cstdio>
#include <string>

#include "core/Game.h"
#include "core/GameSettings.h"
#include "platform/Localize.h"
#include "scene/Universe.h"

namespace {

const char kRegularList[] = "HighScores";
const char kTimerList[] = "HighScoresBTC";

bool TurnTo(Universe::PageID page) {
  Universe* book = Game::pGame ? Game::pGame->GetUniverse() : nullptr;
  if (!book) return false;
  book->TurnToPage(page);
  return true;
}

// A translation is a format here: it is used only when it asks for exactly the one number that
// is given (no other conversion), so that no translation file can make the formatting read
// arguments that are not there.
bool TakesOneNumber(const std::string& format) {
  int numbers = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
    } else if (i + 1 < format.size() && format[i + 1] == 'd') {
      ++numbers;
      ++i;
    } else {
      return false;
    }
  }
  return numbers == 1;
}

std::string PlacementText(int place) {
  std::string format = Localize("You've placed #%d on the high score list!");
  if (!TakesOneNumber(format)) format = "You've placed #%d on the high score list!";
  char text[512];
  snprintf(text, sizeof(text), format.c_str(), place);
  return text;
}

// Rank and score set so that the score fields line up in a fixed-pitch font.
void SetScoreLines(Menu& menu, const char* key) {
  int scores[kHighScoreCount];
  GameSettings::GetIntArrayParam(key, scores, kHighScoreCount);
  for (int i = 0; i < kHighScoreCount; ++i) {
    const int rank = i + 1;
    char line[32];
    if (scores[i] <= 0)
      snprintf(line, sizeof(line), "%d.", rank);
    else if (rank <= 9)
      snprintf(line, sizeof(line), "%d.  %5d", rank, scores[i]);
    else
      snprintf(line, sizeof(line), "%d. %5d", rank, scores[i]);
    menu.SetItem(i, line);
  }
}

}  // namespace

const char* MenuEndGame::ListKey(bool fTimerMode) {
  return fTimerMode ? kTimerList : kRegularList;
}

int MenuEndGame::EnterScore(int* scores, int total) {
  if (total <= 0) return -1;
  int place = 0;
  while (place < kHighScoreCount && scores[place] >= total) ++place;
  if (place == kHighScoreCount) return -1;
  for (int i = kHighScoreCount - 1; i > place; --i) scores[i] = scores[i - 1];
  scores[place] = total;
  return place;
}

MenuEndGame::MenuEndGame(int score, int bonus, bool fTimerMode) : Menu(0, 0, 8, "Helvetica", 14) {
  // A sum past the range of int is held at its edge instead of wrapping round.
  long long sum = static_cast<long long>(score) + bonus;
  const int total = sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
  char line[64];
  snprintf(line, sizeof(line), "Total Score:     %5d", score);
  SetItem(0, line);
  snprintf(line, sizeof(line), "Clearing Bonus: %5d", bonus);
  SetItem(1, line);
  snprintf(line, sizeof(line), "Total Score:     %5d", total);
  SetItem(2, line);

  // Read, placed and written in one step, so that a game finished at the same moment in another
  // running copy keeps its place too.
  int place = -1;
  GameSettings::UpdateIntArrayParam(ListKey(fTimerMode), kHighScoreCount, [&](int* scores) {
    place = EnterScore(scores, total);
    return place >= 0;
  });
  if (place >= 0) SetItem(4, PlacementText(place + 1).c_str());

  SetItemLocalized(6, "Play a New Puzzle");
  SetItemLocalized(7, "Back to Table of Contents");
}

bool MenuEndGame::MouseUp(int item) {
  if (item == 6) {
    Universe* book = Game::pGame ? Game::pGame->GetUniverse() : nullptr;
    if (!book) return false;
    // The kind of game stays as it was.
    book->RandomizeBoard();
    book->TurnToPage(Universe::kPageBoard);
    return true;
  }
  if (item == 7) return TurnTo(Universe::kPageTitle);
  return false;
}

bool MenuEndGame::DoesItemReactToMouse(int item) const {
  return item > 5;
}

void MenuEndGame::Reposition(int width, int height) {
  PlaceAt(width, height, 174, 174);
}

MenuHighScores::MenuHighScores() : Menu(0, 0, 13, "Courier", 14) {
  SetScoreLines(*this, kRegularList);
  SetItemLocalized(11, "Clear Scores");
  SetItemLocalized(12, "Table of Contents");
}

bool MenuHighScores::MouseUp(int item) {
  if (item == 11) {
    // Only the regular list; the "Beat the Clock" list stays.
    const int zeros[kHighScoreCount] = {};
    GameSettings::SetIntArrayParam(kRegularList, zeros, kHighScoreCount);
    TurnTo(Universe::kPageTitle);
    return true;
  }
  if (item == 12) return TurnTo(Universe::kPageTitle);
  return false;
}

bool MenuHighScores::DoesItemReactToMouse(int item) const {
  return item > 10;
}

void MenuHighScores::Reposition(int width, int height) {
  PlaceAt(width, height, 63, 63);
}

MenuHighScores2::MenuHighScores2() : Menu(0, 0, 10, "Courier", 14) {
  SetScoreLines(*this, kTimerList);
}

bool MenuHighScores2::MouseUp(int) {
  return false;
}

bool MenuHighScores2::DoesItemReactToMouse(int) const {
  return false;
}

void MenuHighScores2::Reposition(int width, int height) {
  PlaceAt(width, height, 301, 63);
}
