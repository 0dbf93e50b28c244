// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one transform between the book's pixels, in which every page is laid out, drawn and
// hit-tested, and the window's device pixels: the zoom the player chose (percent) times the
// desktop's own scale, lowered while the window is too small to hold the book at that zoom.
namespace bookscale {

constexpr int kDefaultZoom = 100;
constexpr int kZoomStep = 25;
// The least room the book needs, in book pixels: the window's minimum size.
constexpr int kMinimumBookSize = 560;

// The largest zoom, a whole number of steps and never below 100%, at which an area of the given
// device pixels still holds the book's minimum size.
int LargestZoom(int deviceWidth, int deviceHeight, double desktopScale);
// The stored zoom, clamped to 100% and lowered to what the area holds.
int ZoomInUse(int storedZoom, int deviceWidth, int deviceHeight, double desktopScale);
// The zoom after Ctrl+Plus (+1), Ctrl+Minus (-1) or Ctrl+0 (0), within 100% and the largest.
int SteppedZoom(int storedZoom, int step, int largestZoom);

// Device pixels per book pixel for the frame being drawn; 1 until the window sets it.
double Scale();
void SetScale(double scale);
// A length in book pixels as whole device pixels.
int ToDevice(double bookPixels);
// A line width in book pixels, as GL takes it for the device.
float LineWidth(float bookPixels);

}  // namespace bookscale
