// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A point or a direction in window pixels (x right, y down); z is carried along.
struct TQ3Vector3D {
  float x;
  float y;
  float z;
};

// Each function reads all its inputs before writing out, so out may alias an input.
TQ3Vector3D* Vector3D_Subtract(const TQ3Vector3D* a, const TQ3Vector3D* b, TQ3Vector3D* out);
TQ3Vector3D* Vector3D_Scale(const TQ3Vector3D* v, float s, TQ3Vector3D* out);
// A vector too short to have a direction comes back unchanged, with a length of exactly 0.
TQ3Vector3D* Vector3D_Normalize(const TQ3Vector3D* v, TQ3Vector3D* out, float* length);
