#pragma once

#include "scene/QLMPage.h"

class Menu;
class Overlay;

// The title page: the printed title with the table of contents over it, and the version line.
class PageTitle : public QLMPage {
 public:
  explicit PageTitle(const TQ3Vector3D& pos);
  ~PageTitle() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;

  Menu* GetMenu() const { return m_pMenu; }

 private:
  Menu* m_pMenu;
  Overlay* m_pOverlayVersion;
};
