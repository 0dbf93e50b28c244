#pragma once

#include "scene/QLMPage.h"

class Menu;

// The how-to-play page: the rules are printed on its image; its menu is the way back.
class PageInstructions : public QLMPage {
 public:
  explicit PageInstructions(const TQ3Vector3D& pos);
  ~PageInstructions() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;

  Menu* GetMenu() const { return m_pMenu; }

 private:
  Menu* m_pMenu;
};
