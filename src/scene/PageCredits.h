// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/PageWithMenu.h"
#include "ui/MenuNavigation.h"

// The credits page: who made the game and with what, on plain paper.
class PageCredits : public PageWithMenu {
 public:
  explicit PageCredits(const TQ3Vector3D& pos) : PageWithMenu(pos, new MenuCredits()) {}
};
