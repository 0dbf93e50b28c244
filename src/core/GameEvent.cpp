// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GameEvent.h"

#include "platform/GameEventSDL.h"

GameEvent::GameEvent(GameEventSDL* pEvent) : m_pEvent(pEvent), m_iOffsetH(0), m_iOffsetV(0) {}

GameEvent::~GameEvent() {
  delete m_pEvent;
}

bool GameEvent::IsKey() const {
  return m_pEvent && m_pEvent->IsKey();
}

bool GameEvent::IsKeyDown() const {
  return m_pEvent && m_pEvent->IsKeyDown();
}

bool GameEvent::IsKeyUp() const {
  return m_pEvent && m_pEvent->IsKeyUp();
}

bool GameEvent::IsKey(char c) const {
  return m_pEvent && m_pEvent->IsKey(c);
}

bool GameEvent::IsKey(unsigned short key) const {
  return m_pEvent && m_pEvent->IsKey(key);
}

unsigned short GameEvent::GetUniChar() const {
  return m_pEvent ? m_pEvent->GetUniChar() : 0;
}

void GameEvent::SetOffset(int h, int v) const {
  m_iOffsetH = h;
  m_iOffsetV = v;
}

bool GameEvent::Offset(bool answered, int& h, int& v) const {
  if (answered) {
    h += m_iOffsetH;
    v += m_iOffsetV;
  }
  return answered;
}

bool GameEvent::IsMouseMove(int& dh, int& dv, int& h, int& v) const {
  if (!m_pEvent) {
    dh = dv = 0;
    return false;
  }
  return Offset(m_pEvent->IsMouseMove(dh, dv, h, v), h, v);
}

bool GameEvent::IsMouseDown(int& h, int& v) const {
  int button = -1;
  if (!m_pEvent) {
    h = v = 0;
    return false;
  }
  return Offset(m_pEvent->IsMouseDown(h, v, button), h, v);
}

bool GameEvent::IsMouseUp(int& h, int& v) const {
  int button = -1;
  if (!m_pEvent) {
    h = v = 0;
    return false;
  }
  return Offset(m_pEvent->IsMouseUp(h, v, button), h, v);
}

bool GameEvent::IsScrollWheel(bool& up) const {
  return m_pEvent && m_pEvent->IsScrollWheel(up);
}
