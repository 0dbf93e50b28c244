// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GameSession.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Generous: a sanitizer build starts, draws and writes slowly.
const double kWait = 30.0;

void Pause(double seconds) {
  usleep(static_cast<useconds_t>(seconds * 1e6));
}

// The X server that DISPLAY names: finding the game's window, driving it with xdotool, closing it
// as a window manager would, and reading what it shows. Xlib's own error handler would end the
// whole test program on any error, such as a window that went away because its program has just
// quit; here the call fails instead.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

// A connection to the X server for one call, with that lenient handler while it lasts.
class Connection {
 public:
  Connection() : m_oldHandler(XSetErrorHandler(IgnoreError)), m_display(XOpenDisplay(nullptr)) {}
  ~Connection() {
    // Closing waits for the server's answers, so every error of the call is handled here.
    if (m_display) XCloseDisplay(m_display);
    XSetErrorHandler(m_oldHandler);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  Display* Get() const { return m_display; }

 private:
  XErrorHandler m_oldHandler;
  Display* m_display;
};

unsigned long WaitForWindowOfProcess(int pid, const std::string& title, double seconds) {
  for (double waited = 0.0; waited < seconds; waited += 0.1) {
    ProcessResult r = RunProcess({"/usr/bin/xdotool", "search", "--onlyvisible", "--pid",
                                  std::to_string(pid), "--name", "^" + title + "$"});
    if (r.status == 0 && !r.out.empty()) return strtoul(r.out.c_str(), nullptr, 10);
    usleep(100000);
  }
  return 0;
}

bool Xdotool(const std::string& args) {
  return RunProcess({"/bin/sh", "-c", "xdotool " + args}).status == 0;
}

void RequestClose(unsigned long window) {
  Connection connection;
  Display* display = connection.Get();
  if (!display) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

bool Capture(unsigned long window, PixelImage* image) {
  Connection connection;
  Display* display = connection.Get();
  if (!display) return false;
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  XImage* shot = ok ? XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                                static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap)
                    : nullptr;
  if (!shot) return false;
  // The X server's screen is 24-bit true colour: eight bits a channel, where the masks say.
  auto channel = [](unsigned long pixel, unsigned long mask) {
    return static_cast<uint8_t>((pixel & mask) >> __builtin_ctzl(mask));
  };
  image->width = shot->width;
  image->height = shot->height;
  image->pixels.clear();
  image->pixels.reserve(static_cast<size_t>(shot->width) * shot->height);
  for (int y = 0; y < shot->height; ++y)
    for (int x = 0; x < shot->width; ++x) {
      const unsigned long pixel = XGetPixel(shot, x, y);
      image->pixels.push_back({channel(pixel, shot->red_mask), channel(pixel, shot->green_mask),
                               channel(pixel, shot->blue_mask), 255});
    }
  XDestroyImage(shot);
  return true;
}

}  // namespace

GameSession::GameSession(int screenWidth, int screenHeight)
    : m_screenWidth(screenWidth),
      m_screenHeight(screenHeight),
      m_pServer(std::make_unique<PrivateXServer>(screenWidth, screenHeight)) {
  if (!m_pServer->Ready()) m_error = m_pServer->Error();
  std::filesystem::create_directories(m_home.Path() + "/quillmere");
}

GameSession::~GameSession() {
  m_pGame.reset();  // the game goes before its X server
  m_pServer.reset();
}

std::string GameSession::Pref(const std::string& key) const {
  const std::string text = "\n" + ReadFile(PrefsPath());
  const size_t at = text.find("\n" + key + "=");
  if (at == std::string::npos) return "(absent)";
  const size_t from = at + key.size() + 2;
  return text.substr(from, text.find('\n', from) - from);
}

bool GameSession::WaitForPref(const std::string& key, const std::string& value) const {
  for (double waited = 0.0; waited < kWait; waited += 0.05, Pause(0.05))
    if (Pref(key) == value) return true;
  return false;
}

bool GameSession::Start() {
  if (!m_error.empty()) return false;
  m_pGame.reset();
  m_pGame = std::make_unique<ChildProcess>(
      std::vector<std::string>{QM_GAME_PROGRAM},
      std::vector<std::string>{"DISPLAY=" + m_pServer->Display(),
                               "XDG_CONFIG_HOME=" + m_home.Path(), "SDL_VIDEODRIVER=x11",
                               "SDL_AUDIODRIVER=dummy"});
  // A sanitizer build loads the word list several times slower.
  m_window = WaitForWindowOfProcess(m_pGame->Pid(), "Quillmere", 120.0);
  // Keys go where the keyboard focus is; with no window manager nobody else gives it.
  PixelImage shot;
  if (m_window && Xdotool("windowfocus --sync " + std::to_string(m_window)) &&
      WaitForPage(0, 120.0, &shot))
    return true;
  m_error = "the game's title page did not show: " + m_pGame->Stderr();
  return false;
}

bool GameSession::Close(int* status) {
  RequestClose(m_window);
  return m_pGame && m_pGame->WaitExit(60.0, status);  // a sanitizer build checks for leaks
}

bool GameSession::Click(int x, int y) {
  return MoveTo(x, y) && Xdotool("click 1");
}

bool GameSession::Key(const std::string& name) {
  return Xdotool("key " + name);
}

bool GameSession::MoveTo(int x, int y) {
  return Xdotool("mousemove --window " + std::to_string(m_window) + " " + std::to_string(x) + " " +
                 std::to_string(y));
}

bool GameSession::Stroke(int x0, int y0, int x1, int y1) {
  auto move = [&](int x, int y) {
    return " mousemove --window " + std::to_string(m_window) + " " + std::to_string(x) + " " +
           std::to_string(y);
  };
  std::string args = move(x0, y0) + " mousedown 1";
  // Steps of a few pixels, as a hand draws; the board keeps points more than 3 pixels apart.
  const int steps = std::max(1, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 4);
  for (int i = 1; i <= steps; ++i)
    args += move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  return Xdotool(args + " mouseup 1");
}

PixelImage GameSession::Shot() {
  PixelImage shot;
  if (Capture(m_window, &shot)) m_width = shot.width, m_height = shot.height;
  return shot;
}

PixelImage GameSession::SteadyShot() {
  PixelImage previous = Shot(), shot;
  for (int look = 0; look < 100; ++look, previous = shot) {
    Pause(0.1);
    shot = Shot();
    if (shot.width == previous.width && shot.height == previous.height &&
        Changed(previous, shot, {0, 0, shot.width, shot.height}) == 0)
      break;
  }
  return shot;
}

bool GameSession::WaitFor(const std::function<bool(const PixelImage&)>& condition,
                          PixelImage* shot) {
  PixelImage look;
  bool met = false;
  for (double waited = 0.0; waited < kWait && !met; waited += 0.1) {
    if (waited > 0.0) Pause(0.1);
    met = condition(look = Shot());
  }
  if (shot) *shot = look;
  return met;
}

void GameSession::Keep(const PixelImage& shot, const std::string& name) const {
  const std::string folder = std::string(QM_BINARY_DIR) + "/screenshots/e2e";
  std::filesystem::create_directories(folder);
  shot.SavePng(folder + "/" + name + ".png");
}

Box GameSession::OnPage(int page, Box box) const {
  // The book's own layout: pages 512 pixels square, stacked 4 pixels apart, centred.
  auto corner = [&](int window) {
    return static_cast<int>(((window / m_zoom - 512) * 0.5 + (page - 3.5) * 4.0) * m_zoom);
  };
  auto zoomed = [&](int length) { return static_cast<int>(length * m_zoom); };
  return {corner(m_width) + zoomed(box.x), corner(m_height) + zoomed(box.y), zoomed(box.width),
          zoomed(box.height)};
}

bool GameSession::ShowsPageInFront(const PixelImage& shot, int page) const {
  const Box at = OnPage(page, {0, 0, 512, 512});
  const int in = static_cast<int>(3 * m_zoom);
  if (shot.width < at.x + at.width + 8 || shot.height < at.y + at.height + 8 || at.x < 4 ||
      at.y < 4)
    return false;
  // Left of the page's edge lies the black of the window, right of it paper; the same above
  // and below its top edge. A page above it, or a page still sliding, covers one of them.
  auto edge = [](const PixelImage::Pixel& out, const PixelImage::Pixel& inside) {
    return out.Sum() < 40 && inside.Sum() > 360;
  };
  int left = 0, top = 0;
  for (int k = 2; k < 62; ++k) {
    const int i = at.width * k / 64;
    left += edge(shot.At(at.x - 3, at.y + i), shot.At(at.x + in, at.y + i));
    top += edge(shot.At(at.x + i, at.y - 3), shot.At(at.x + i, at.y + in));
  }
  return left >= 58 && top >= 58;
}

bool GameSession::WaitForPage(int page, double seconds, PixelImage* shot) {
  PixelImage previous;
  int steady = 0;
  for (double waited = 0.0; waited <= seconds; waited += 0.1, previous = *shot) {
    *shot = Shot();
    // At rest: nothing moves along the page's edges between two looks.
    const Box at = OnPage(page, {0, 0, 512, 512});
    const bool still = ShowsPageInFront(*shot, page) && previous.width == shot->width &&
                       Changed(previous, *shot, {0, 0, at.x + 8, shot->height}) == 0 &&
                       Changed(previous, *shot, {0, 0, shot->width, at.y + 8}) == 0;
    steady = still ? steady + 1 : 0;
    if (steady >= 2) {
      Pause(0.2);  // the turn ends for the pages in the first frame after all are still
      *shot = Shot();
      return true;
    }
    Pause(0.1);
  }
  return false;
}
