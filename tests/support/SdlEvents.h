// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>

// SDL events as the window delivers them, at window positions (origin top left, y downward).
namespace sdlevents {

inline SDL_Event MouseButton(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

inline SDL_Event MouseMotion(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}

inline SDL_Event Key(SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint32 type = SDL_KEYDOWN) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  return e;
}

}  // namespace sdlevents
