// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameEventSDL.h"

#include <SDL.h>

GameEventSDL::GameEventSDL(Kind kind, double h, double v) : m_kind(kind), m_h(h), m_v(v) {}

GameEventSDL::GameEventSDL(const SDL_Event& event, int windowHeight) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT)
        m_kind = down ? kLeftMouseDown : kLeftMouseUp;
      else if (event.button.button == SDL_BUTTON_RIGHT)
        m_kind = down ? kRightMouseDown : kRightMouseUp;
      m_h = event.button.x;
      m_v = windowHeight - event.button.y;
      break;
    }
    case SDL_MOUSEMOTION:
      m_kind = kMouseMoved;
      m_h = event.motion.x;
      m_v = windowHeight - event.motion.y;
      m_dh = event.motion.xrel;
      m_dv = event.motion.yrel;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      m_kind = event.type == SDL_KEYDOWN ? kKeyDown : kKeyUp;
      m_chars = KeyCharacters(event.key.keysym.sym, (event.key.keysym.mod & KMOD_SHIFT) != 0);
      break;
    case SDL_MOUSEWHEEL:
      m_kind = kScrollWheel;
      m_scrollX = event.wheel.preciseX;
      m_scrollY = event.wheel.preciseY;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        m_scrollX = -m_scrollX;
        m_scrollY = -m_scrollY;
      }
      break;
    default:
      break;
  }
}

std::string GameEventSDL::KeyCharacters(int keycode, bool shift) {
  switch (keycode) {
    case SDLK_ESCAPE:
      return std::string(1, '\x1b');
    case SDLK_RETURN:
      return std::string(1, '\r');
    case SDLK_TAB:
      return std::string(1, '\t');
    case SDLK_BACKSPACE:
      return std::string(1, '\x7f');
    default:
      break;
  }
  if (keycode < 32 || keycode > 126) return {};
  char c = static_cast<char>(keycode);
  if (shift && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return std::string(1, c);
}

bool GameEventSDL::IsKey(char c) const {
  // A key without characters holds no byte, not even the terminator.
  return IsKey() && c != '\0' && m_chars.find(c) != std::string::npos;
}

bool GameEventSDL::IsKey(unsigned short key) const {
  return IsKey() && m_chars.size() == 1 && static_cast<unsigned char>(m_chars[0]) == key;
}

unsigned short GameEventSDL::GetUniChar() const {
  return m_chars.empty() ? 0 : static_cast<unsigned char>(m_chars[0]);
}

bool GameEventSDL::IsMouseDown(int& h, int& v, int& button) const {
  if (m_kind == kLeftMouseDown || m_kind == kRightMouseDown) {
    h = static_cast<int>(m_h);
    v = static_cast<int>(m_v);
    button = m_kind == kLeftMouseDown ? 1 : 2;
    return true;
  }
  h = v = 0;
  button = -1;
  return false;
}

bool GameEventSDL::IsMouseUp(int& h, int& v, int& button) const {
  if (m_kind == kLeftMouseUp || m_kind == kRightMouseUp) {
    h = static_cast<int>(m_h);
    v = static_cast<int>(m_v);
    button = m_kind == kLeftMouseUp ? 1 : 2;
    return true;
  }
  h = v = 0;
  button = -1;
  return false;
}

bool GameEventSDL::IsMouseMove(int& dh, int& dv, int& h, int& v) const {
  if (m_kind != kMouseMoved) {
    dh = dv = 0;
    return false;
  }
  dh = m_dh;
  dv = m_dv;
  h = static_cast<int>(m_h);
  v = static_cast<int>(m_v);
  return true;
}

bool GameEventSDL::IsScrollWheel(bool& up) const {
  if (m_kind != kScrollWheel) return false;
  up = m_scrollX > 0.0f || m_scrollY > 0.0f;
  return true;
}
