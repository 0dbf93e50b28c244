// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "core/Log.h"

// A stroke: an ordered list of board points, drawn as a line strip with whatever matrix, colour
// and line width the caller has set. Also draws the built-in shapes, such as the circle that
// marks the selected tile.
class Scribble {
 public:
  enum ScribbleID { kScribbleCircle = 0 };

  Scribble() = default;

  void Clear() { m_aPoints.clear(); }
  int Size() const { return static_cast<int>(m_aPoints.size()); }
  void AddPoint(const Point& pt) { m_aPoints.push_back(pt); }
  Point GetPoint(int i) const { return m_aPoints[static_cast<size_t>(i)]; }

  void Render() const;
  static void Render(ScribbleID id, Point at);
  // Writes the points as the lines of a point table, so that a shape drawn with the mouse can
  // become a built-in shape.
  void DumpToLog() const;

  // The middle of the circle's extent from a cell's top-left corner: where a tile's letter
  // belongs.
  static void CircleCentre(float& h, float& v);

  // The circle as (h, v) pairs from a cell's top-left corner, ended by (-100, -100).
  static const int circle[];

 private:
  std::vector<Point> m_aPoints;
};
