// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/QLMLetter.h"

#include <algorithm>
#include <cmath>

#include "core/GameSettings.h"
#include "puzzle/Scribble.h"
#include "ui/Overlay.h"

Overlay* QLMLetter::m_apOverlay[26] = {};
bool QLMLetter::m_fStaticInit = false;

namespace {
// Where the letters' ink sits, from an overlay's top: the middle between the highest and the
// lowest ink centre of the alphabet, so that all letters keep one baseline.
float inkMiddleV = 0.0f;
}  // namespace

QLMLetter::QLMLetter(char ch, int x, int y) : m_ch('A') {
  SetChar(ch);
  SetPos(static_cast<float>(x), static_cast<float>(y), 0.0f);
  InitStatic();
}

QLMLetter::~QLMLetter() = default;

void QLMLetter::SetChar(char ch) {
  if (ch <= 'A' - 1) {
    m_ch = 'A';
  } else if (ch > 'Z') {
    m_ch = 'Z';
  } else {
    m_ch = ch;
  }
}

void QLMLetter::InitStatic() {
  if (m_fStaticInit) return;
  char fontName[256];
  GameSettings::GetStringParam("_FontName", fontName, sizeof(fontName));
  int fontSize = GameSettings::GetIntParam("_FontSize");
  for (int i = 0; i < 26; ++i) {
    Overlay* overlay = new Overlay(0, 0, fontSize, fontName);
    overlay->SetTextColor(0.0f, 0.0f, 0.0f, 1.0f);
    overlay->SetBgColor(0.0f, 0.0f, 0.0f, 0.0f);
    const char text[2] = {static_cast<char>('A' + i), '\0'};
    overlay->SetString(text);
    m_apOverlay[i] = overlay;
  }
  float lowest = 0.0f, highest = 0.0f;
  for (int i = 0; i < 26; ++i) {
    float x, y;
    m_apOverlay[i]->GetInkCentre(&x, &y);
    lowest = i == 0 ? y : std::max(lowest, y);
    highest = i == 0 ? y : std::min(highest, y);
  }
  inkMiddleV = (lowest + highest) / 2.0f;
  m_fStaticInit = true;
}

// The letter's ink is centred in the mark that circles a selected tile, whatever the font: the
// mark, the hot zone and a stroke through the middles of the letters then all meet the letter.
// Across, each letter is centred on its own; up and down, the alphabet as a whole.
void QLMLetter::Render(int, int) {
  Overlay* overlay = m_apOverlay[m_ch - 'A'];
  if (!overlay) return;
  float markH, markV, inkX, inkY;
  Scribble::CircleCentre(markH, markV);
  overlay->GetInkCentre(&inkX, &inkY);
  inkY = inkMiddleV;
  overlay->MoveTo(static_cast<int>(m_pos.x) + static_cast<int>(std::lround(markH - inkX)),
                  static_cast<int>(m_pos.y) + static_cast<int>(std::lround(markV - inkY)));
  overlay->RenderString();
}
