#include "platform/GameView.h"

int main() {
  GameView view;
  return view.Run();
}
