// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>

// The program's shell: one SDL window with a compatibility GL context, the frame loop (tick,
// render, present), full screen on F11, input turned into game events, and pause while the
// window is hidden, minimised or unfocused.
class GameView {
 public:
  GameView();
  ~GameView();
  GameView(const GameView&) = delete;
  GameView& operator=(const GameView&) = delete;

  // Opens the window and runs frames until the window closes; the process's exit status.
  int Run();

  // Ends the frame loop as closing the window does.
  static void RequestQuit();

  // Called after every presented frame; lets a benchmark watch the real frame loop.
  void SetFrameHook(std::function<void()> hook);
  // When the first frame was presented, its buffers swapped: before what the game starts once
  // that frame is shown (the word list, the pages' images, the sounds), which the hook follows.
  std::chrono::steady_clock::time_point FirstFramePresented() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_pImpl;
};
