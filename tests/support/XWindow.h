#pragma once

#include <string>

// The real X server that the tests run in: finding the game's window, driving it with xdotool,
// closing it as a window manager would, and reading what is on the screen.
namespace xwindow {

// The id of the first window with that exact title, waiting up to the given seconds; 0 if none.
unsigned long WaitForWindow(const std::string& title, double seconds);
// Runs xdotool with the arguments; true when it succeeded.
bool Xdotool(const std::string& args);
// Asks the window to close (WM_DELETE_WINDOW), as the close button of a window manager does.
void RequestClose(unsigned long window);
// The window's size in pixels.
bool WindowSize(unsigned long window, int* width, int* height);

}  // namespace xwindow
