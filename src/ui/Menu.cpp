// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Menu.h"

#include <cstring>
#include <string>

#include "core/GameEvent.h"
#include "platform/GameSound.h"
#include "platform/Localize.h"
#include "ui/Overlay.h"

Menu* Menu::m_pmenuCurrent = nullptr;
GameSound* Menu::m_psndClick = nullptr;
GameSound* Menu::m_psndMouseover = nullptr;

Menu::Menu(int x, int y, int count, const char* fontName, int fontSize)
    : m_apOverlay(nullptr),
      m_iRollover(-1),
      m_szFontName{},
      m_nFontSize(fontSize),
      m_nCount(count > 0 ? count : 0),
      m_iLastWidth(0),
      m_iLastHeight(0),
      m_iOriginX(x),
      m_iOriginY(y),
      m_asItemText(static_cast<size_t>(m_nCount)) {
  strncpy(m_szFontName, fontName ? fontName : "", sizeof(m_szFontName) - 1);
  m_apOverlay = new Overlay*[static_cast<size_t>(m_nCount)];
  for (int i = 0; i < m_nCount; ++i) {
    m_apOverlay[i] = new Overlay(x, y + 2 * i * fontSize, fontSize, m_szFontName);
    m_apOverlay[i]->SetBorderColor(0.0f, 0.0f, 0.0f, 0.0f);
    m_apOverlay[i]->SetTextColor(0.0f, 0.0f, 0.0f, 1.0f);
  }
}

Menu::~Menu() {
  for (int i = 0; i < m_nCount; ++i) delete m_apOverlay[i];
  delete[] m_apOverlay;
}

bool Menu::DoesItemReactToMouse(int) const {
  return true;
}

bool Menu::KeyDown(unsigned short) {
  return false;
}

void Menu::SetItem(int item, const char* text) {
  if (item < 0 || item >= m_nCount) return;
  m_apOverlay[item]->SetString(text);
  m_asItemText[static_cast<size_t>(item)] = text ? text : "";
}

const std::string& Menu::GetItemText(int item) const {
  static const std::string kNone;
  if (item < 0 || item >= m_nCount) return kNone;
  return m_asItemText[static_cast<size_t>(item)];
}

void Menu::SetItemLocalized(int item, const char* english) {
  SetItem(item, Localize(english).c_str());
}

void Menu::SetOffset(int x, int y) {
  for (int i = 0; i < m_nCount; ++i) {
    int ix, iy, width, height;
    m_apOverlay[i]->GetDimensions(&ix, &iy, &width, &height);
    m_apOverlay[i]->MoveTo(ix - m_iOriginX + x, iy - m_iOriginY + y);
  }
  m_iOriginX = x;
  m_iOriginY = y;
}

void Menu::PlaceAt(int width, int height, int x, int y) {
  m_iLastWidth = width;
  m_iLastHeight = height;
  SetOffset(x, y);
}

void Menu::Reposition(int width, int height) {
  PlaceAt(width, height, 204, 230);
}

void Menu::Render(int width, int height) {
  if (height != m_iLastHeight || width != m_iLastWidth) Reposition(width, height);
  for (int i = 0; i < m_nCount; ++i) m_apOverlay[i]->RenderString();
}

int Menu::PointToIOverlay(int x, int y) const {
  int yOverlay = m_iLastHeight - y;
  for (int i = 0; i < m_nCount; ++i) {
    int ix, iy, width, height;
    m_apOverlay[i]->GetDimensions(&ix, &iy, &width, &height);
    if (ix <= x && x <= ix + width && iy <= yOverlay && yOverlay <= iy + height) return i;
  }
  return -1;
}

void Menu::HandleEvent(const GameEvent* event) {
  int dh, dv, x, y;
  if (event->IsMouseMove(dh, dv, x, y)) {
    int hit = PointToIOverlay(x, y);
    int previous = m_iRollover;
    m_iRollover = hit;
    if (hit == previous) return;
    if (previous >= 0 && DoesItemReactToMouse(previous)) {
      m_apOverlay[previous]->SetTextColor(0.0f, 0.0f, 0.0f, 1.0f);
      m_apOverlay[previous]->SetBorderColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
    if (hit >= 0 && DoesItemReactToMouse(hit)) {
      m_apOverlay[hit]->SetTextColor(0.0f, 0.0f, 0.0f, 1.0f);
      m_apOverlay[hit]->SetBorderColor(0.0f, 0.0f, 0.0f, 1.0f);
      if (!m_psndMouseover) m_psndMouseover = new GameSound("Rollover.AIFF");
      m_psndMouseover->Play();
    }
    return;
  }
  if (event->IsMouseUp(x, y)) {
    if (MouseUp(PointToIOverlay(x, y))) {
      if (!m_psndClick) m_psndClick = new GameSound("Click.AIFF");
      m_psndClick->Play();
    }
    return;
  }
  if (event->IsKey()) KeyDown(event->GetUniChar());
}

void Menu::RenderCurrent(int width, int height) {
  if (!m_pmenuCurrent) return;
  if (width != m_pmenuCurrent->m_iLastWidth || height != m_pmenuCurrent->m_iLastHeight)
    m_pmenuCurrent->Reposition(width, height);
  m_pmenuCurrent->Render(width, height);
}

void Menu::HandleEventCurrent(const GameEvent* event) {
  if (m_pmenuCurrent) m_pmenuCurrent->HandleEvent(event);
}
