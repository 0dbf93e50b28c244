// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

union SDL_Event;

// The toolkit half of an input event: one SDL event read in the game's terms. Positions count
// from the window's lower left corner upward; a key carries the characters it types.
class GameEventSDL {
 public:
  enum Kind {
    kNone,
    kLeftMouseDown,
    kLeftMouseUp,
    kRightMouseDown,
    kRightMouseUp,
    kMouseMoved,
    kKeyDown,
    kKeyUp,
    kScrollWheel,
  };

  GameEventSDL(const SDL_Event& event, int windowHeight);
  // An event of the given kind at a position already in the game's orientation.
  GameEventSDL(Kind kind, double h, double v);

  bool IsKey() const { return m_kind == kKeyDown || m_kind == kKeyUp; }
  bool IsKeyDown() const { return m_kind == kKeyDown; }
  bool IsKeyUp() const { return m_kind == kKeyUp; }
  bool IsKey(char c) const;
  bool IsKey(unsigned short key) const;
  unsigned short GetUniChar() const;

  bool IsMouseDown(int& h, int& v, int& button) const;
  bool IsMouseUp(int& h, int& v, int& button) const;
  bool IsMouseMove(int& dh, int& dv, int& h, int& v) const;
  bool IsScrollWheel(bool& up) const;

  // The characters a key gives: printable ASCII, upper-case letters with Shift, and Escape 27,
  // Return 13, Tab 9, Backspace 127; other keys give none.
  static std::string KeyCharacters(int keycode, bool shift);

 private:
  Kind m_kind = kNone;
  double m_h = 0.0;
  double m_v = 0.0;
  int m_dh = 0;
  int m_dv = 0;
  float m_scrollX = 0.0f;
  float m_scrollY = 0.0f;
  std::string m_chars;
};
