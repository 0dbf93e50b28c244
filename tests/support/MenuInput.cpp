// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MenuInput.h"

#include <SDL.h>

#include <algorithm>

#include "core/GameEvent.h"
#include "platform/GameEventSDL.h"
#include "support/SdlEvents.h"
#include "ui/Menu.h"
#include "ui/Overlay.h"

PixelImage MenuInput::Draw(Menu& menu) {
  m_gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
  Overlay::RenderSetup(m_gl.Width(), m_gl.Height());
  menu.Render(m_gl.Width(), m_gl.Height());
  Overlay::RenderUnsetup();
  return m_gl.ReadPixels();
}

void MenuInput::Move(Menu& menu, int x, int y) {
  GameEvent event(new GameEventSDL(sdlevents::MouseMotion(x, y), m_gl.Height()));
  menu.HandleEvent(&event);
}

void MenuInput::Release(Menu& menu, int x, int y) {
  GameEvent event(new GameEventSDL(sdlevents::MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y),
                                   m_gl.Height()));
  menu.HandleEvent(&event);
}

void MenuInput::Centre(const Menu& menu, int item, int* x, int* y) {
  int ix, iy, width, height;
  menu.GetItem(item)->GetDimensions(&ix, &iy, &width, &height);
  *x = ix + width / 2;
  *y = iy + height / 2;
}

bool DiffersIn(const PixelImage& a, const PixelImage& b, int x, int y, int width, int height) {
  for (int j = std::max(0, y); j < std::min(a.height, y + height); ++j)
    for (int i = std::max(0, x); i < std::min(a.width, x + width); ++i) {
      const auto& p = a.At(i, j);
      const auto& q = b.At(i, j);
      if (p.r != q.r || p.g != q.g || p.b != q.b) return true;
    }
  return false;
}

int DarkPixels(const PixelImage& image, int x, int y, int width, int height) {
  int count = 0;
  for (int j = std::max(0, y); j < std::min(image.height, y + height); ++j)
    for (int i = std::max(0, x); i < std::min(image.width, x + width); ++i) {
      const auto& p = image.At(i, j);
      if (p.r < 100 && p.g < 100 && p.b < 100) ++count;
    }
  return count;
}
