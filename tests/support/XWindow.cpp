#include "support/XWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TestSupport.h"

namespace xwindow {

unsigned long WaitForWindow(const std::string& title, double seconds) {
  for (double waited = 0.0; waited < seconds; waited += 0.1) {
    ProcessResult r =
        RunProcess({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"});
    if (r.status == 0 && !r.out.empty()) return strtoul(r.out.c_str(), nullptr, 10);
    usleep(100000);
  }
  return 0;
}

bool Xdotool(const std::string& args) {
  return RunProcess({"/bin/sh", "-c", "xdotool " + args}).status == 0;
}

void RequestClose(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
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
  XCloseDisplay(display);
}

bool WindowSize(unsigned long window, int* width, int* height) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  if (ok) {
    *width = attributes.width;
    *height = attributes.height;
  }
  XCloseDisplay(display);
  return ok;
}

}  // namespace xwindow
