// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <cstdint>

// A square sheet of old, cream-coloured book paper: cloudy unevenness, a fine grain, loose fibres,
// a few faint foxing spots and edges browned by age. The same seed gives the same sheet.
// The sheet is `size` book pixels square, painted at `density` image pixels per book pixel: a
// denser sheet is the same sheet with finer detail, which averages back to the plain one.
// The caller owns the returned RGB24 surface.
cairo_surface_t* PaintPaper(int size, uint64_t seed, int density = 1);
