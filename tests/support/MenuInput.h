// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/GLContext.h"

class Menu;

// A menu on its own in a real GL context, driven as its page drives it: drawn inside the overlay
// pass at the window's size (so that its items are measured), and handed real SDL mouse events
// at window positions (SDL's convention: origin top left, y downward).
class MenuInput {
 public:
  explicit MenuInput(GLContext& gl) : m_gl(gl) {}

  // One frame of the menu alone on a grey window; returns what it drew.
  PixelImage Draw(Menu& menu);
  void Move(Menu& menu, int x, int y);
  void Release(Menu& menu, int x, int y);

 private:
  GLContext& m_gl;
};
