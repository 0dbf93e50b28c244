// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/PageWithMenu.h"
#include "ui/MenuOptions.h"

// The options page: the player's four options on plain paper.
class PageOptions : public PageWithMenu {
 public:
  explicit PageOptions(const TQ3Vector3D& pos) : PageWithMenu(pos, new MenuOptions()) {}
};
