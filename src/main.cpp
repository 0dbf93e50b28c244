// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameView.h"

int main() {
  GameView view;
  return view.Run();
}
