// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BookScale.h"

#include <algorithm>
#include <cmath>

namespace bookscale {

namespace {
double scale = 1.0;
}

int LargestZoom(int deviceWidth, int deviceHeight, double desktopScale) {
  if (!(desktopScale > 0.0)) desktopScale = 1.0;
  const double room = std::min(deviceWidth, deviceHeight) / (kMinimumBookSize * desktopScale);
  const int steps = static_cast<int>(std::floor(room * 100.0 / kZoomStep + 1e-9));
  return std::max(kDefaultZoom, std::min(steps * kZoomStep, 100 * kZoomStep));
}

int ZoomInUse(int storedZoom, int deviceWidth, int deviceHeight, double desktopScale) {
  const int stored = std::clamp(storedZoom, kDefaultZoom, 100 * kZoomStep);
  return std::min(stored, LargestZoom(deviceWidth, deviceHeight, desktopScale));
}

int SteppedZoom(int storedZoom, int step, int largestZoom) {
  if (step == 0) return kDefaultZoom;
  // A stored value off the steps comes back onto them.
  const int onStep = std::clamp(storedZoom, kDefaultZoom, std::max(largestZoom, kDefaultZoom)) /
                     kZoomStep * kZoomStep;
  return std::clamp(onStep + (step > 0 ? kZoomStep : -kZoomStep), kDefaultZoom,
                    std::max(largestZoom, kDefaultZoom));
}

double Scale() {
  return scale;
}

void SetScale(double value) {
  scale = std::isfinite(value) && value > 0.0 ? value : 1.0;
}

int ToDevice(double bookPixels) {
  return static_cast<int>(std::lround(bookPixels * scale));
}

float LineWidth(float bookPixels) {
  return static_cast<float>(bookPixels * scale);
}

}  // namespace bookscale
