// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/PageWithMenu.h"
#include "ui/MenuNavigation.h"

// The how-to-play page: the printed rules and the way back to the table of contents.
class PageInstructions : public PageWithMenu {
 public:
  explicit PageInstructions(const TQ3Vector3D& pos)
      : PageWithMenu(pos, new MenuBack(), "InstructionsPage.png") {}
};
