// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct PixelImage;

// The real X server that the tests run in: finding the game's window, driving it with xdotool,
// closing it as a window manager would, and reading what is on the screen.
namespace xwindow {

// The id of the first window with that exact title, waiting up to the given seconds; 0 if none.
unsigned long WaitForWindow(const std::string& title, double seconds);
// The id of the window with that exact title that the process with that pid shows, waiting up
// to the given seconds; 0 if none. Other programs' windows of the same title are passed over.
unsigned long WaitForWindowOfProcess(int pid, const std::string& title, double seconds);
// Runs xdotool with the arguments; true when it succeeded.
bool Xdotool(const std::string& args);
// Asks the window to close (WM_DELETE_WINDOW), as the close button of a window manager does.
void RequestClose(unsigned long window);
// The window's size in pixels.
bool WindowSize(unsigned long window, int* width, int* height);
// The size of the X server's screen.
bool ScreenSize(int* width, int* height);
// What the window shows now, as the X server holds it.
bool Capture(unsigned long window, PixelImage* image);

}  // namespace xwindow
