// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/PageWithMenu.h"

class Overlay;

// The title page: the printed title with the table of contents over it, and the version line.
class PageTitle : public PageWithMenu {
 public:
  explicit PageTitle(const TQ3Vector3D& pos);
  ~PageTitle() override;

 protected:
  void RenderOnPage() override;

 private:
  Overlay* m_pOverlayVersion;
};
