// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The optional diagnostic log (switched on with the d key), the always-on error log, and the
// small numeric helpers that the whole game shares.

void EnableLogging();
bool IsLogging();
// Writes text as one line of the log once logging is on; the text is not a format.
void LogString(const char* text);
// Always writes text as one line of the log.
void LogError(const char* text);

// A board point or letter coordinate: v grows downward, h to the right.
struct Point {
  int16_t v;
  int16_t h;
};

// The next rand() value scaled into [0, 1]; the 64 largest values round to exactly 1.0.
float Rand();
float Dist(Point a, Point b);
bool PointEquals(Point a, Point b);
bool PointNotEquals(Point a, Point b);
