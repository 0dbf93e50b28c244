#pragma once

#include "scene/QLMPage.h"

class Menu;

// The credits page: who made the game and with what, on plain paper.
class PageCredits : public QLMPage {
 public:
  explicit PageCredits(const TQ3Vector3D& pos);
  ~PageCredits() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;

  Menu* GetMenu() const { return m_pMenu; }

 private:
  Menu* m_pMenu;
};
