// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MenuInput.h"

#include <SDL.h>

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
