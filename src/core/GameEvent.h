// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class GameEventSDL;

// One input event as the game sees it: questions instead of the toolkit's event. Positions
// count from the window's lower left corner upward, plus an offset that a receiver sets so that
// they come out in its own coordinates. Valid for one delivery.
class GameEvent {
 public:
  explicit GameEvent(GameEventSDL* pEvent);
  ~GameEvent();
  GameEvent(const GameEvent&) = delete;
  GameEvent& operator=(const GameEvent&) = delete;

  bool IsKey() const;
  bool IsKeyDown() const;
  bool IsKeyUp() const;
  // True when the key's characters contain c.
  bool IsKey(char c) const;
  // True when the key's characters are exactly the one character key.
  bool IsKey(unsigned short key) const;
  unsigned short GetUniChar() const;

  // Replaces the offset; receivers set it through the const event they are given, and later
  // receivers of the same delivery see it.
  void SetOffset(int h, int v) const;
  bool IsMouseMove(int& dh, int& dv, int& h, int& v) const;
  bool IsMouseDown(int& h, int& v) const;
  bool IsMouseUp(int& h, int& v) const;
  bool IsScrollWheel(bool& up) const;

 private:
  // Adds the offset to a position the adapter answered with; passes the answer on.
  bool Offset(bool answered, int& h, int& v) const;

  GameEventSDL* m_pEvent;
  mutable int m_iOffsetH;
  mutable int m_iOffsetV;
};
