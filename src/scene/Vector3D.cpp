// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/Vector3D.h"

#include <cmath>

namespace {
constexpr float kEpsilon = 1.1920928955078125e-07f;
}

TQ3Vector3D* Vector3D_Subtract(const TQ3Vector3D* a, const TQ3Vector3D* b, TQ3Vector3D* out) {
  TQ3Vector3D r = {a->x - b->x, a->y - b->y, a->z - b->z};
  *out = r;
  return out;
}

TQ3Vector3D* Vector3D_Scale(const TQ3Vector3D* v, float s, TQ3Vector3D* out) {
  TQ3Vector3D r = {v->x * s, v->y * s, v->z * s};
  *out = r;
  return out;
}

TQ3Vector3D* Vector3D_Normalize(const TQ3Vector3D* v, TQ3Vector3D* out, float* length) {
  TQ3Vector3D in = *v;
  float sum = in.x * in.x + in.y * in.y + in.z * in.z;
  float len = static_cast<float>(std::sqrt(static_cast<double>(sum)));
  // A sum of infinities or a not-a-number component has no direction either.
  if (!(len >= kEpsilon) || std::isinf(len)) {
    *out = in;
    if (length) *length = 0.0f;
    return out;
  }
  float k = 1.0f / len;
  *out = {in.x * k, in.y * k, in.z * k};
  if (length) *length = len;
  return out;
}
