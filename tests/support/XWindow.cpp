// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>

#include "support/GLContext.h"
#include "support/TestSupport.h"

namespace xwindow {

namespace {

// Xlib's own handler ends the whole test program on any error, such as a window that went away
// because its program has just quit; here the call fails instead.
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

}  // namespace

unsigned long WaitForWindow(const std::string& title, double seconds) {
  for (double waited = 0.0; waited < seconds; waited += 0.1) {
    ProcessResult r =
        RunProcess({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"});
    if (r.status == 0 && !r.out.empty()) return strtoul(r.out.c_str(), nullptr, 10);
    usleep(100000);
  }
  return 0;
}

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

bool WindowSize(unsigned long window, int* width, int* height) {
  Connection connection;
  Display* display = connection.Get();
  if (!display) return false;
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  if (ok) {
    *width = attributes.width;
    *height = attributes.height;
  }
  return ok;
}

bool ScreenSize(int* width, int* height) {
  Connection connection;
  Display* display = connection.Get();
  if (!display) return false;
  *width = DisplayWidth(display, DefaultScreen(display));
  *height = DisplayHeight(display, DefaultScreen(display));
  return true;
}

namespace {

// One colour channel of a pixel value: where its mask lies and how many bits it has.
struct ChannelShape {
  explicit ChannelShape(unsigned long mask) : mask(mask) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    while ((mask >> (shift + bits)) & 1) ++bits;
  }
  uint8_t Of(unsigned long pixel) const {
    if (bits == 0) return 0;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / ((1ul << bits) - 1));
  }
  unsigned long mask;
  int shift = 0;
  int bits = 0;
};

}  // namespace

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
  const ChannelShape red(shot->red_mask), green(shot->green_mask), blue(shot->blue_mask);
  image->width = shot->width;
  image->height = shot->height;
  image->pixels.assign(static_cast<size_t>(shot->width) * shot->height, {});
  for (int y = 0; y < shot->height; ++y) {
    for (int x = 0; x < shot->width; ++x) {
      unsigned long pixel = XGetPixel(shot, x, y);
      PixelImage::Pixel& p = image->pixels[static_cast<size_t>(y) * shot->width + x];
      p.r = red.Of(pixel);
      p.g = green.Of(pixel);
      p.b = blue.Of(pixel);
      p.a = 255;
    }
  }
  XDestroyImage(shot);
  return true;
}

}  // namespace xwindow
