// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/GLContext.h"
#include "support/TestSupport.h"
#include "support/XServer.h"

// The real game program, played as a person plays it: in an X server of its own, with a fresh
// preference folder, driven through the real pointer and keyboard (xdotool) and watched through
// what its window shows. Positions are window pixels, origin at the top left.
class GameSession {
 public:
  // The X server's screen, in pixels.
  explicit GameSession(int screenWidth = 1024, int screenHeight = 768);
  ~GameSession();
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Empty when all is well, else what went wrong in setting up.
  const std::string& Error() const { return m_error; }

  // The preference file ($XDG_CONFIG_HOME/quillmere/preferences.ini).
  std::string PrefsPath() const;
  void WritePrefs(const std::string& text);
  std::string Prefs() const;
  // The value of a key of the game's group, as written in the file; false when it is not there.
  bool PrefValue(const std::string& key, std::string* value) const;
  // An integer list of the game's group; empty when the key is not there.
  std::vector<int> PrefInts(const std::string& key) const;

  // Starts the game and waits until its window shows; false (see Error()) when it did not.
  bool Start();
  bool Running();
  // Closes the window as a window manager's close button does; true with the exit status when
  // the game then ended.
  bool Close(int* status);
  // Waits for the game to end by itself; true with the exit status when it did.
  bool WaitExit(double seconds, int* status);
  std::string GameStderr() const;
  unsigned long Window() const { return m_window; }

  // Real input through the X server.
  bool Click(int x, int y);
  bool MoveTo(int x, int y);
  // Presses at the first point, drags in small steps to the second and releases there.
  bool Stroke(int x0, int y0, int x1, int y1);
  // One key by its X name ("Escape", "F11").
  bool Key(const std::string& name);

  PixelImage Shot();
  // A screenshot taken once two looks a moment apart agree (what a frame or two still changes,
  // such as a highlight that follows the pointer, has settled).
  PixelImage SteadyShot();
  // Keeps a screenshot under the build folder (screenshots/e2e/NAME.png) for people to look at.
  void Keep(const PixelImage& shot, const std::string& name) const;

  // Device pixels per book pixel, as the game's "Zoom" sets them; positions on a page are
  // given in book pixels and come out in window pixels.
  void SetZoom(double zoom) { m_zoom = zoom; }
  double Zoom() const { return m_zoom; }
  // The top-left corner of a page lying at rest in the book, for the window's present size.
  void PagePos(int page, int* x, int* y) const;
  // Waits until the given page lies in front at rest and the turn has ended, watching the
  // screen; false when it did not within the given seconds. The last screenshot is left in
  // *shot either way.
  bool WaitForPage(int page, double seconds, PixelImage* shot);
  // True when the screenshot shows the given page in front at its resting place: the edges of
  // the pages above it are gone, its own edge lies where the stack puts it.
  bool ShowsPageInFront(const PixelImage& shot, int page) const;

 private:
  std::unique_ptr<PrivateXServer> m_pServer;
  TempDir m_home;
  std::unique_ptr<ChildProcess> m_pGame;
  unsigned long m_window = 0;
  double m_zoom = 1.0;
  std::string m_error;
};

// Pixels of the rectangle that differ between two screenshots by more than a trace.
int ChangedIn(const PixelImage& a, const PixelImage& b, int x, int y, int width, int height);
