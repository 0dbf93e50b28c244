// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Book.h"

#include <SDL.h>
#include <stdlib.h>

#include "core/Game.h"
#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "platform/GameEventSDL.h"
#include "puzzle/PageBoard.h"
#include "puzzle/QLMBoard.h"
#include "scene/QLMPage.h"
#include "support/SdlEvents.h"

Book::Book(const std::vector<std::pair<std::string, int>>& intSettings, int width, int height)
    : m_width(width), m_height(height) {
  setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
  m_pGL = std::make_unique<GLContext>(width, height);
  GameSettings::Initialize();
  for (const auto& [key, value] : intSettings) GameSettings::SetIntParam(key.c_str(), value);
  Game::Init(width, height);
  Game::pGame->Render(width, height);
}

Book::~Book() {
  delete Game::pGame;
  Game::pGame = nullptr;
}

Universe& Book::Pages() {
  return *Game::pGame->GetUniverse();
}

PageBoard& Book::Board() {
  return *static_cast<PageBoard*>(Pages().GetPage(Universe::kPageBoard));
}

void Book::Frame(double dt) {
  Pages().Tick(dt);
  Game::pGame->Render(m_width, m_height);
}

void Book::Settle(double dt) {
  for (int i = 0; i < 60 * 300; ++i) {
    bool moving = false;
    for (int p = 0; p < Universe::kNumPages; ++p)
      moving = moving || Pages().GetPage(static_cast<Universe::PageID>(p))->IsMoving();
    if (!moving) break;
    Frame(dt);
  }
  Frame(dt);  // the tick in which the turn is reported complete
}

void Book::TurnTo(Universe::PageID page) {
  Pages().TurnToPage(page);
  Settle();
}

namespace {
void Deliver(const SDL_Event& event, int height) {
  GameEvent gameEvent(new GameEventSDL(event, height));
  Game::pGame->HandleEvent(&gameEvent);
}
}  // namespace

void Book::MouseDown(int x, int y) {
  Deliver(sdlevents::MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y), m_height);
}

void Book::MouseUp(int x, int y) {
  Deliver(sdlevents::MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y), m_height);
}

void Book::MouseMove(int x, int y) {
  Deliver(sdlevents::MouseMotion(x, y), m_height);
}

void Book::Click(int x, int y) {
  MouseDown(x, y);
  MouseUp(x, y);
}

void Book::Key(int sdlKeycode) {
  Deliver(sdlevents::Key(sdlKeycode), m_height);
}

void Book::CellCentre(int col, int row, int* x, int* y) {
  QLMPage* page = Pages().GetPage(Universe::kPageBoard);
  Point origin = Board().GetBoardOrigin();
  *x = static_cast<int>(page->GetPos().x) + origin.h + col * QLMBoard::m_kHPosIncr + 10;
  *y = static_cast<int>(page->GetPos().y) + origin.v + row * QLMBoard::m_kVPosIncr + 17;
}
