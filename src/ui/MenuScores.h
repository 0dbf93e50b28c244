// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Menu.h"

// The ten best totals of each kind of game live in the preferences as exactly ten integers,
// best first, 0 marking an empty place: "HighScores" for regular games, "HighScoresBTC" for
// "Beat the Clock".
constexpr int kHighScoreCount = 10;

// The game menu page's result of a finished game: score, clearing bonus and total, the place
// the total took in its list, and the ways on. Building it enters the total into the list.
class MenuEndGame : public Menu {
 public:
  MenuEndGame(int score, int bonus, bool fTimerMode);
  bool MouseUp(int item) override;
  bool DoesItemReactToMouse(int item) const override;
  void Reposition(int width, int height) override;

  // Places total into a list of kHighScoreCount entries: before the first entry below it, the
  // rest moving down and the last dropped. The index it took, or -1 when it took none (a total
  // of 0 or less never does).
  static int EnterScore(int* scores, int total);
  // The list's key for the kind of game.
  static const char* ListKey(bool fTimerMode);
};

// The best-scores page's left column: the regular games' list, the command that clears it and
// the link back to the table of contents.
class MenuHighScores : public Menu {
 public:
  MenuHighScores();
  bool MouseUp(int item) override;
  bool DoesItemReactToMouse(int item) const override;
  void Reposition(int width, int height) override;
};

// The best-scores page's right column: the "Beat the Clock" list, to read only.
class MenuHighScores2 : public Menu {
 public:
  MenuHighScores2();
  bool MouseUp(int item) override;
  bool DoesItemReactToMouse(int item) const override;
  void Reposition(int width, int height) override;
};
