// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Menu.h"

// The options page: the four player options, each shown with its current value and cycled to
// the next value by a click, and the link back to the table of contents.
class MenuOptions : public Menu {
 public:
  MenuOptions();
  bool MouseUp(int item) override;
  void Reposition(int width, int height) override;

  // Shows the option's label with the value stored now (items 0 to 3).
  void SetStringForItem(int item);
  // Stores the option's next value and shows it (items 0 to 3).
  void RotateSetting(int item);
};
