// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/Body.h"

class Overlay;

// One tile of the letter board: a gliding body that carries an upper-case letter. All tiles
// share one text overlay per letter, built once.
class QLMLetter : public Body {
 public:
  QLMLetter(char ch, int x, int y);
  ~QLMLetter() override;

  char GetChar() const { return m_ch; }
  // Keeps A to Z; anything below A becomes A, anything above Z becomes Z.
  void SetChar(char ch);
  void Render(int, int);

  static void InitStatic();
  static Overlay* m_apOverlay[26];
  static bool m_fStaticInit;

 private:
  char m_ch;
};
