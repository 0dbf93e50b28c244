// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuNavigation.h"

#include "core/Game.h"
#include "platform/GameMusic.h"
#include "platform/GameView.h"
#include "scene/Universe.h"

namespace {

Universe* Book() {
  return Game::pGame ? Game::pGame->GetUniverse() : nullptr;
}

bool TurnTo(Universe::PageID page) {
  Universe* book = Book();
  if (!book) return false;
  book->TurnToPage(page);
  return true;
}

bool StartGame(bool fTimerMode) {
  Universe* book = Book();
  if (!book) return false;
  // A fresh board every time, also when an earlier game left one behind.
  book->RandomizeBoard();
  book->SetTimerMode(fTimerMode);
  book->TurnToPage(Universe::kPageBoard);
  return true;
}

}  // namespace

MenuMain::MenuMain() : Menu(0, 0, 6, "Helvetica", 18) {
  SetItemLocalized(0, "Play");
  SetItemLocalized(1, "Best Scores");
  SetItemLocalized(2, "Options");
  SetItemLocalized(3, "How to Play");
  SetItemLocalized(4, "Credits");
  SetItemLocalized(5, "Quit");
}

bool MenuMain::MouseUp(int item) {
  switch (item) {
    case 0:
      return TurnTo(Universe::kPageGameMenu);
    case 1:
      return TurnTo(Universe::kPageScores);
    case 2:
      return TurnTo(Universe::kPageOptions);
    case 3:
      return TurnTo(Universe::kPageInstructions);
    case 4:
      return TurnTo(Universe::kPageCredits);
    case 5:
      GameView::RequestQuit();
      return true;
    default:
      return false;
  }
}

MenuPaused::MenuPaused() : Menu(0, 0, 4, "Helvetica", 20) {
  SetItemLocalized(0, "Continue Game");
  SetItemLocalized(1, "Back to Table of Contents");
}

bool MenuPaused::MouseUp(int item) {
  Universe* book = Book();
  if (!book) return false;
  switch (item) {
    case 0:
      book->Signal(kSignalContinueGame);
      return true;
    case 1:
      GameMusic::StopTrack();
      book->TurnToPage(Universe::kPageTitle);
      return true;
    default:
      return false;
  }
}

MenuGameChoice::MenuGameChoice() : Menu(0, 0, 4, "Helvetica", 20) {
  SetItemLocalized(0, "Regular Game");
  SetItemLocalized(1, "Beat the Clock");
}

bool MenuGameChoice::MouseUp(int item) {
  switch (item) {
    case 0:
      return StartGame(false);
    case 1:
      return StartGame(true);
    default:
      return false;
  }
}

void MenuGameChoice::Reposition(int width, int height) {
  PlaceAt(width, height, 232, 232);
}

MenuDone::MenuDone() : Menu(0, 0, 1, "Helvetica", 18) {
  SetItemLocalized(0, "Click Here When Done");
}

bool MenuDone::MouseUp(int item) {
  Universe* book = Book();
  if (item != 0 || !book) return false;
  book->Signal(kSignalGameOver);
  return true;
}

void MenuDone::Reposition(int width, int height) {
  PlaceAt(width, height, 290, 464);
}

MenuBack::MenuBack() : Menu(0, 0, 1, "Helvetica", 14) {
  SetItemLocalized(0, "Back to Table of Contents");
}

bool MenuBack::MouseUp(int item) {
  return item == 0 && TurnTo(Universe::kPageTitle);
}

void MenuBack::Reposition(int width, int height) {
  PlaceAt(width, height, 174, 478);
}

// Lines 1, 4 and 13 stay empty. A bullet that credits code from outside is followed by the line
// with that code's web address.
MenuCredits::MenuCredits() : Menu(0, 0, kBackItem + 1, "Helvetica", 13) {
  SetItemLocalized(0, "Designed and programmed by the Quillmere team");
  SetItemLocalized(2, "Written in C++ with CMake, OpenGL and SCOWL's word list");
  SetItemLocalized(3, "    (wordlist.aspell.net); art and sound from its own tools.");
  SetItemLocalized(5, "With many thanks to:");
  SetItemLocalized(6, " * GLib, Pango and Cairo: www.gtk.org, www.cairographics.org");
  SetItemLocalized(7, " * SDL, for the window, the OpenGL context and the input");
  SetItemLocalized(8, "    www.libsdl.org");
  SetItemLocalized(9, " * SDL_mixer, for playing the sound effects and the music");
  SetItemLocalized(10, "    github.com/libsdl-org/SDL_mixer");
  SetItemLocalized(11, " * Our friends and fellow developers, for playing and testing");
  SetItemLocalized(12, " * Our families, for their patience");
  SetItemLocalized(kBackItem, "Back to Table of Contents");
}

bool MenuCredits::MouseUp(int item) {
  return item == kBackItem && TurnTo(Universe::kPageTitle);
}

bool MenuCredits::DoesItemReactToMouse(int item) const {
  return item == kBackItem;
}

void MenuCredits::Reposition(int width, int height) {
  PlaceAt(width, height, 58, 48);
}
