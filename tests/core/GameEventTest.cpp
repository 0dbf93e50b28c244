// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <gtest/gtest.h>

#include "core/GameEvent.h"
#include "platform/GameEventSDL.h"
#include "support/SdlEvents.h"

namespace {

const int kWindowHeight = 480;

TEST(GameEvent, MouseKindsPositionsAndTheOffset) {
  // SDL counts rows from the top; the game counts from the bottom edge upward.
  GameEvent down(new GameEventSDL(
      sdlevents::MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 50), kWindowHeight));
  int h = 7, v = 7, dh = 7, dv = 7;
  down.SetOffset(99, 99);
  down.SetOffset(-30, 10);  // replaces, never accumulates
  EXPECT_TRUE(down.IsMouseDown(h, v));
  EXPECT_EQ(h, 70);
  EXPECT_EQ(v, 440);
  EXPECT_FALSE(down.IsMouseUp(h, v));
  EXPECT_EQ(h, 0);  // the offset is not added to a "no"
  EXPECT_EQ(v, 0);
  h = v = 5;
  EXPECT_FALSE(down.IsMouseMove(dh, dv, h, v));
  EXPECT_EQ(dh, 0);
  EXPECT_EQ(dv, 0);
  EXPECT_EQ(h, 5);  // left as they were
  EXPECT_FALSE(down.IsKey());
  bool up = true;
  EXPECT_FALSE(down.IsScrollWheel(up));
  EXPECT_TRUE(up);

  // A drag is a move; the motion is never offset.
  SDL_Event drag = sdlevents::MouseMotion(20, 30, 4, -2);
  drag.motion.state = SDL_BUTTON_LMASK;
  GameEvent move(new GameEventSDL(drag, kWindowHeight));
  move.SetOffset(-10, 5);
  EXPECT_TRUE(move.IsMouseMove(dh, dv, h, v));
  EXPECT_EQ(dh, 4);
  EXPECT_EQ(dv, -2);
  EXPECT_EQ(h, 10);
  EXPECT_EQ(v, 455);
  EXPECT_FALSE(move.IsMouseDown(h, v));
  EXPECT_FALSE(move.IsMouseUp(h, v));

  // Buttons: left 1, right 2, none -1; negative positions truncate toward zero.
  int button = 0;
  GameEventSDL right(sdlevents::MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 3, 4),
                     kWindowHeight);
  EXPECT_TRUE(right.IsMouseUp(h, v, button));
  EXPECT_EQ(button, 2);
  EXPECT_FALSE(right.IsMouseDown(h, v, button));
  EXPECT_EQ(button, -1);
  GameEventSDL left(sdlevents::MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 3, 4),
                    kWindowHeight);
  EXPECT_TRUE(left.IsMouseUp(h, v, button));
  EXPECT_EQ(button, 1);
  GameEventSDL outside(GameEventSDL::kLeftMouseDown, -0.5, -3.7);
  EXPECT_TRUE(outside.IsMouseDown(h, v, button));
  EXPECT_EQ(h, 0);
  EXPECT_EQ(v, -3);
}

TEST(GameEvent, KeysAndTheScrollWheel) {
  GameEvent ctrlD(new GameEventSDL(sdlevents::Key(SDLK_d, KMOD_LCTRL), kWindowHeight));
  EXPECT_TRUE(ctrlD.IsKey());
  EXPECT_TRUE(ctrlD.IsKeyDown());
  EXPECT_TRUE(ctrlD.IsKey('d'));
  EXPECT_EQ(ctrlD.GetUniChar(), 'd');
  GameEvent shiftD(new GameEventSDL(sdlevents::Key(SDLK_d, KMOD_LSHIFT), kWindowHeight));
  EXPECT_FALSE(shiftD.IsKey('d'));
  EXPECT_TRUE(shiftD.IsKey('D'));
  GameEvent escape(new GameEventSDL(sdlevents::Key(SDLK_ESCAPE), kWindowHeight));
  EXPECT_TRUE(escape.IsKey(static_cast<unsigned short>(27)));
  EXPECT_FALSE(escape.IsKey(static_cast<unsigned short>('d')));
  GameEvent keyUp(new GameEventSDL(sdlevents::Key(SDLK_a, KMOD_NONE, SDL_KEYUP), kWindowHeight));
  EXPECT_TRUE(keyUp.IsKeyUp());
  EXPECT_FALSE(keyUp.IsKeyDown());
  GameEvent f1(new GameEventSDL(sdlevents::Key(SDLK_F1), kWindowHeight));
  EXPECT_TRUE(f1.IsKey());
  EXPECT_EQ(f1.GetUniChar(), 0);
  EXPECT_FALSE(f1.IsKey('\0'));
  EXPECT_EQ(GameEventSDL::KeyCharacters(SDLK_RETURN, false), "\r");
  EXPECT_EQ(GameEventSDL::KeyCharacters(SDLK_BACKSPACE, false), "\x7f");
  EXPECT_EQ(GameEventSDL::KeyCharacters(SDLK_TAB, false), "\t");

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.preciseY = 1.0f;
  bool up = false;
  EXPECT_TRUE(GameEvent(new GameEventSDL(wheel, kWindowHeight)).IsScrollWheel(up));
  EXPECT_TRUE(up);
  wheel.wheel.preciseY = -1.0f;
  EXPECT_TRUE(GameEvent(new GameEventSDL(wheel, kWindowHeight)).IsScrollWheel(up));
  EXPECT_FALSE(up);
  wheel.wheel.preciseY = 0.0f;
  up = true;
  EXPECT_TRUE(GameEvent(new GameEventSDL(wheel, kWindowHeight)).IsScrollWheel(up));
  EXPECT_FALSE(up);

  // No event at all answers no to everything.
  GameEvent none(nullptr);
  int h = 1, v = 1;
  EXPECT_FALSE(none.IsKey());
  EXPECT_FALSE(none.IsMouseDown(h, v));
}

}  // namespace
