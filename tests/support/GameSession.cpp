// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GameSession.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/XWindow.h"

namespace {

bool Dark(const PixelImage::Pixel& p) {
  return p.r + p.g + p.b < 40;
}

bool Light(const PixelImage::Pixel& p) {
  return p.r + p.g + p.b > 360;
}

void Pause(double seconds) {
  usleep(static_cast<useconds_t>(seconds * 1e6));
}

}  // namespace

GameSession::GameSession(int screenWidth, int screenHeight)
    : m_pServer(std::make_unique<PrivateXServer>(screenWidth, screenHeight)) {
  if (!m_pServer->Ready()) m_error = m_pServer->Error();
  std::filesystem::create_directories(m_home.Path() + "/quillmere");
}

GameSession::~GameSession() {
  // The game goes before its X server.
  m_pGame.reset();
  m_pServer.reset();
}

std::string GameSession::PrefsPath() const {
  return m_home.Path() + "/quillmere/preferences.ini";
}

void GameSession::WritePrefs(const std::string& text) {
  WriteFile(PrefsPath(), text);
}

std::string GameSession::Prefs() const {
  return ReadFile(PrefsPath());
}

bool GameSession::PrefValue(const std::string& key, std::string* value) const {
  std::istringstream in(Prefs());
  std::string line;
  bool inGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      inGroup = line == "[Quillmere]";
      continue;
    }
    if (inGroup && line.compare(0, key.size() + 1, key + "=") == 0) {
      *value = line.substr(key.size() + 1);
      return true;
    }
  }
  return false;
}

std::vector<int> GameSession::PrefInts(const std::string& key) const {
  std::vector<int> values;
  std::string text;
  if (!PrefValue(key, &text)) return values;
  std::istringstream in(text);
  std::string item;
  while (std::getline(in, item, ';'))
    if (!item.empty()) values.push_back(atoi(item.c_str()));
  return values;
}

bool GameSession::Start() {
  if (!m_error.empty()) return false;
  m_pGame.reset();
  m_pGame = std::make_unique<ChildProcess>(
      std::vector<std::string>{QM_GAME_PROGRAM},
      std::vector<std::string>{"DISPLAY=" + m_pServer->Display(),
                               "XDG_CONFIG_HOME=" + m_home.Path(), "SDL_VIDEODRIVER=x11",
                               "SDL_AUDIODRIVER=dummy"});
  // Generous: a sanitizer build loads the word list several times slower.
  m_window = xwindow::WaitForWindowOfProcess(m_pGame->Pid(), "Quillmere", 120.0);
  if (!m_window) {
    m_error = "the game's window did not show: " + m_pGame->Stderr();
    return false;
  }
  // Keys go where the keyboard focus is; with no window manager nobody else gives it.
  xwindow::Xdotool("windowfocus --sync " + std::to_string(m_window));
  // The first frames come after the window shows: wait for the book to be drawn.
  PixelImage shot;
  if (!WaitForPage(0, 120.0, &shot)) {
    m_error = "the title page did not show: " + m_pGame->Stderr();
    return false;
  }
  return true;
}

bool GameSession::Running() {
  return m_pGame && m_pGame->Running();
}

bool GameSession::Close(int* status) {
  if (!m_pGame) return false;
  xwindow::RequestClose(m_window);
  // A sanitizer build checks for leaks on the way out.
  return m_pGame->WaitExit(60.0, status);
}

bool GameSession::WaitExit(double seconds, int* status) {
  return m_pGame && m_pGame->WaitExit(seconds, status);
}

std::string GameSession::GameStderr() const {
  return m_pGame ? m_pGame->Stderr() : std::string();
}

bool GameSession::MoveTo(int x, int y) {
  return xwindow::Xdotool("mousemove --window " + std::to_string(m_window) + " " +
                          std::to_string(x) + " " + std::to_string(y));
}

bool GameSession::Click(int x, int y) {
  return MoveTo(x, y) && xwindow::Xdotool("click 1");
}

bool GameSession::Stroke(int x0, int y0, int x1, int y1) {
  const std::string window = std::to_string(m_window);
  std::string args = "mousemove --window " + window + " " + std::to_string(x0) + " " +
                     std::to_string(y0) + " mousedown 1";
  // Steps of a few pixels, as a hand draws; the board keeps points more than 3 pixels apart.
  const int steps = std::max(1, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 4);
  for (int i = 1; i <= steps; ++i)
    args += " mousemove --window " + window + " " + std::to_string(x0 + (x1 - x0) * i / steps) +
            " " + std::to_string(y0 + (y1 - y0) * i / steps);
  args += " mouseup 1";
  return xwindow::Xdotool(args);
}

bool GameSession::Key(const std::string& name) {
  return xwindow::Xdotool("key " + name);
}

PixelImage GameSession::Shot() {
  PixelImage shot;
  xwindow::Capture(m_window, &shot);
  return shot;
}

PixelImage GameSession::SteadyShot() {
  PixelImage previous = Shot();
  for (int look = 0; look < 100; ++look) {
    Pause(0.1);
    PixelImage shot = Shot();
    if (shot.width == previous.width && shot.height == previous.height &&
        ChangedIn(previous, shot, 0, 0, shot.width, shot.height) == 0)
      return shot;
    previous = shot;
  }
  return previous;
}

void GameSession::Keep(const PixelImage& shot, const std::string& name) const {
  const std::string folder = std::string(QM_BINARY_DIR) + "/screenshots/e2e";
  std::filesystem::create_directories(folder);
  shot.SavePng(folder + "/" + name + ".png");
}

void GameSession::PagePos(int page, int* x, int* y) const {
  int width = 640, height = 640;
  xwindow::WindowSize(m_window, &width, &height);
  // The book's own layout: pages 512 pixels square, stacked 4 pixels apart, centred.
  const int bookWidth = static_cast<int>(width / m_zoom),
            bookHeight = static_cast<int>(height / m_zoom);
  *x = static_cast<int>(((bookWidth - 512) * 0.5 + (page - 3.5) * 4.0) * m_zoom);
  *y = static_cast<int>(((bookHeight - 512) * 0.5 + (page - 3.5) * 4.0) * m_zoom);
}

bool GameSession::ShowsPageInFront(const PixelImage& shot, int page) const {
  int px, py;
  PagePos(page, &px, &py);
  const int size = static_cast<int>(512 * m_zoom);
  if (shot.width < px + size + 8 || shot.height < py + size + 8 || px < 4 || py < 4) return false;
  // Left of the page's edge lies the black of the window, right of it paper; the same above
  // and below its top edge. A page above it, or a page still sliding, covers one of them.
  int left = 0, top = 0;
  for (int k = 2; k < 62; ++k) {
    const int i = size * k / 64;
    const int in = static_cast<int>(3 * m_zoom);
    left += Dark(shot.At(px - 3, py + i)) && Light(shot.At(px + in, py + i));
    top += Dark(shot.At(px + i, py - 3)) && Light(shot.At(px + i, py + in));
  }
  return left >= 58 && top >= 58;
}

bool GameSession::WaitForPage(int page, double seconds, PixelImage* shot) {
  int px, py;
  PagePos(page, &px, &py);
  PixelImage previous;
  int steady = 0;
  for (double waited = 0.0; waited <= seconds; waited += 0.1) {
    *shot = Shot();
    if (ShowsPageInFront(*shot, page)) {
      // At rest: nothing moves along the page's edges between two looks.
      bool still = previous.width == shot->width &&
                   ChangedIn(previous, *shot, 0, 0, px + 8, shot->height) == 0 &&
                   ChangedIn(previous, *shot, 0, 0, shot->width, py + 8) == 0;
      if (still && ++steady >= 2) {
        // The turn ends for the pages in the first frame after all are still.
        Pause(0.2);
        *shot = Shot();
        return true;
      }
      if (!still) steady = 0;
    } else {
      steady = 0;
    }
    previous = *shot;
    Pause(0.1);
  }
  return false;
}

int ChangedIn(const PixelImage& a, const PixelImage& b, int x, int y, int width, int height) {
  int count = 0;
  for (int j = std::max(0, y); j < std::min({a.height, b.height, y + height}); ++j)
    for (int i = std::max(0, x); i < std::min({a.width, b.width, x + width}); ++i) {
      const auto& p = a.At(i, j);
      const auto& q = b.At(i, j);
      if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24) ++count;
    }
  return count;
}
