#pragma once

#include "scene/QLMPage.h"

class Menu;

// The options page: the player's four options on plain paper.
class PageOptions : public QLMPage {
 public:
  explicit PageOptions(const TQ3Vector3D& pos);
  ~PageOptions() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;

  Menu* GetMenu() const { return m_pMenu; }

 private:
  Menu* m_pMenu;
};
