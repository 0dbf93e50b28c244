// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <cstdio>

// Writes an opaque (RGB24) image as a PNG file whose pixels are stored, not compressed: rows
// without filters in stored deflate blocks. Three times the size of a compressed file, but the
// game reads it about five times as fast, and the page images are what its first frame waits
// for. False, with a line on stderr, when the image is not opaque or cannot be written.
bool WriteStoredPng(cairo_surface_t* surface, FILE* file);
