// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "support/Pixels.h"
#include "support/TestSupport.h"
#include "support/XServer.h"

// The real game program, played as a person plays it: in an X server of its own, with a fresh
// preference folder, driven through the real pointer and keyboard (xdotool) and watched through
// what its window shows. Positions are window pixels, origin at the top left.
class GameSession {
 public:
  explicit GameSession(int screenWidth = 1024, int screenHeight = 768);
  ~GameSession();
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Empty when all is well, else what went wrong in setting up.
  const std::string& Error() const { return m_error; }
  int ScreenWidth() const { return m_screenWidth; }
  int ScreenHeight() const { return m_screenHeight; }

  // The preference file ($XDG_CONFIG_HOME/quillmere/preferences.ini).
  std::string PrefsPath() const { return m_home.Path() + "/quillmere/preferences.ini"; }
  void WritePrefs(const std::string& text) { WriteFile(PrefsPath(), text); }
  // A key's value as written in the file, "(absent)" when it is not there.
  std::string Pref(const std::string& key) const;
  // Waits (generously) until the key holds the value.
  bool WaitForPref(const std::string& key, const std::string& value) const;

  // Starts the game and waits until its title page shows; false (see Error()) when it did not.
  bool Start();
  // Closes the window as a window manager's close button does; true with the exit status when
  // the game then ended.
  bool Close(int* status);
  bool WaitExit(double seconds, int* status) { return m_pGame->WaitExit(seconds, status); }
  std::string GameStderr() const { return m_pGame ? m_pGame->Stderr() : ""; }

  // Real input through the X server.
  bool Click(int x, int y);
  bool MoveTo(int x, int y);
  // Presses at the first point, drags in small steps to the second and releases there.
  bool Stroke(int x0, int y0, int x1, int y1);
  // One key by its X name ("Escape", "F11", "ctrl+0").
  bool Key(const std::string& name);

  PixelImage Shot();
  // A screenshot taken once two looks a moment apart agree.
  PixelImage SteadyShot();
  // Looks at the window (generously long) until the condition holds; the last look is left in
  // *shot when one is given.
  bool WaitFor(const std::function<bool(const PixelImage&)>& condition, PixelImage* shot = nullptr);
  // Keeps a screenshot under the build folder (screenshots/e2e/NAME.png) for people to look at.
  void Keep(const PixelImage& shot, const std::string& name) const;

  // Device pixels per book pixel, as the game's "Zoom" sets them.
  void SetZoom(double zoom) { m_zoom = zoom; }
  // A box given in book pixels on a page lying at rest, in window pixels, for the window's size
  // at the last screenshot.
  Box OnPage(int page, Box box) const;
  // Waits until the page lies in front at rest and its turn has ended; the last screenshot is
  // left in *shot either way.
  bool WaitForPage(int page, double seconds, PixelImage* shot);
  // The edges of the pages above it are gone and its own edge lies where the stack puts it.
  bool ShowsPageInFront(const PixelImage& shot, int page) const;

 private:
  int m_screenWidth, m_screenHeight;
  std::unique_ptr<PrivateXServer> m_pServer;
  TempDir m_home;
  std::unique_ptr<ChildProcess> m_pGame;
  unsigned long m_window = 0;
  int m_width = 640, m_height = 640;  // the window's, at the last screenshot
  double m_zoom = 1.0;
  std::string m_error;
};
