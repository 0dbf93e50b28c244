// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/Body.h"

#include <cmath>

Body::Body() : Body(TQ3Vector3D{0.0f, 0.0f, 0.0f}) {}

Body::Body(const TQ3Vector3D& pos)
    : m_pos(pos),
      m_vecVelocity{0.0f, 0.0f, 0.0f},
      m_fSpeed(0.0f),
      m_moveType(kMoveIdle),
      m_posDest{0.0f, 0.0f, 0.0f},
      m_dTimeTotal(0.0),
      m_dTimeLeft(0.0),
      m_fAccel(0.0f),
      m_fFromStart(false),
      m_posStart{0.0f, 0.0f, 0.0f} {}

Body::~Body() = default;

void Body::Translate(const TQ3Vector3D& v) {
  m_pos.x += v.x;
  m_pos.y += v.y;
  m_pos.z += v.z;
}

void Body::Arrive() {
  m_pos = m_posDest;
  m_moveType = kMoveIdle;
  m_dTimeLeft = 0.0;
}

void Body::MoveTowards_Linear(const TQ3Vector3D& dest, float speed) {
  m_posStart = m_pos;
  TQ3Vector3D d;
  Vector3D_Subtract(&dest, &m_pos, &d);
  float length = 0.0f;
  Vector3D_Normalize(&d, &d, &length);
  m_fSpeed = speed;
  m_posDest = dest;
  m_moveType = kMoveLinear;
  // Nothing may wait for ever on a glide that cannot end, nor carry a not-a-number position.
  if (length == 0.0f || !(speed > 0.0f) || std::isinf(speed)) {
    m_vecVelocity = {0.0f, 0.0f, 0.0f};
    Arrive();
    return;
  }
  Vector3D_Scale(&d, speed, &m_vecVelocity);
  m_dTimeLeft = static_cast<double>(length / speed);
}

void Body::MoveTowards_Linear(const Point& dest, float speed) {
  MoveTowards_Linear(TQ3Vector3D{static_cast<float>(dest.h), static_cast<float>(dest.v), 0.0f},
                     speed);
}

void Body::MoveTowards_TSquared(const TQ3Vector3D& dest, float accel, bool fFromStart) {
  m_posStart = m_pos;
  TQ3Vector3D d;
  Vector3D_Subtract(&dest, &m_pos, &d);
  float length = 0.0f;
  Vector3D_Normalize(&d, &m_vecVelocity, &length);
  m_posDest = dest;
  m_fAccel = accel;
  m_fFromStart = fFromStart;
  m_moveType = kMoveTSquared;
  if (length == 0.0f || !(accel > 0.0f) || std::isinf(accel)) {
    m_dTimeTotal = 0.0;
    Arrive();
    return;
  }
  double t = std::sqrt(std::sqrt(static_cast<double>(length / accel)));
  m_dTimeTotal = t;
  m_dTimeLeft = t;
}

void Body::Tick(double dt) {
  switch (m_moveType) {
    case kMoveLinear: {
      TQ3Vector3D step;
      Vector3D_Scale(&m_vecVelocity, static_cast<float>(dt), &step);
      float length = 0.0f;
      TQ3Vector3D unit;
      Vector3D_Normalize(&step, &unit, &length);
      if (length == 0.0f) return;
      Translate(step);
      if (m_dTimeLeft > 0.0) {
        m_dTimeLeft -= dt;
        if (m_dTimeLeft <= 0.0) Arrive();
      }
      break;
    }
    case kMoveTSquared: {
      m_dTimeLeft -= dt;
      // The motion always runs from its start, whatever the flag asks for.
      double s = m_dTimeTotal - m_dTimeLeft;
      double f = static_cast<double>(m_fAccel) * s * s * s * s;
      m_pos.x = static_cast<float>(m_posStart.x + m_vecVelocity.x * f);
      m_pos.y = static_cast<float>(m_posStart.y + m_vecVelocity.y * f);
      m_pos.z = static_cast<float>(m_posStart.z + m_vecVelocity.z * f);
      if (m_dTimeLeft <= 0.0) Arrive();
      break;
    }
    case kMoveIdle:
      break;
  }
}
