// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/QLMPage.h"

class Menu;

// The best-scores page: the two lists side by side on the printed page, read afresh from the
// preferences every time the book opens here.
class PageScores : public QLMPage {
 public:
  explicit PageScores(const TQ3Vector3D& pos);
  ~PageScores() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;
  void BecomeForemost() override;

  Menu* GetMenu() const { return m_pMenu; }
  Menu* GetMenu2() const { return m_pMenu2; }

 private:
  Menu* m_pMenu;
  Menu* m_pMenu2;
};
