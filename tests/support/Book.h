// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "scene/Universe.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

class PageBoard;

// The whole game in a real GL context the size of the default window: fresh preferences, the
// one Game with its book, frames ticked with a chosen time step, and real input events built
// from SDL events at window positions (SDL's convention: origin top left).
class Book {
 public:
  // The integer settings given are stored before the game starts.
  explicit Book(const std::vector<std::pair<std::string, int>>& intSettings = {}, int width = 640,
                int height = 640);
  ~Book();

  Universe& Pages();
  PageBoard& Board();
  // One frame: the book advances by dt seconds and is drawn.
  void Frame(double dt = 1.0 / 60.0);
  // Frames until no page moves (at most a few simulated minutes).
  void Settle(double dt = 0.05);
  void TurnTo(Universe::PageID page);

  // Input at a window position, as the window would deliver it.
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void Click(int x, int y);
  void Key(int sdlKeycode);
  // The window position of a board cell's middle (of its hot zone).
  void CellCentre(int col, int row, int* x, int* y);

  GLContext& GL() { return *m_pGL; }

 private:
  TempDir m_home;
  std::unique_ptr<GLContext> m_pGL;
  int m_width;
  int m_height;
};
