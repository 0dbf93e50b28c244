// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/QLMPage.h"

class Menu;

// A page that shows one menu, drawn under the page's translation and answering events in page
// coordinates, on the page's own image or on plain paper.
class PageWithMenu : public QLMPage {
 public:
  // Takes ownership of the menu; image may be null for plain paper.
  PageWithMenu(const TQ3Vector3D& pos, Menu* pMenu, const char* image = nullptr);
  ~PageWithMenu() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;

  Menu* GetMenu() const { return m_pMenu; }

 protected:
  // Draws whatever else the page shows, under the page's translation.
  virtual void RenderOnPage() {}

  Menu* m_pMenu;
};
