// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Log.h"
#include "scene/Vector3D.h"

// A point that glides to a destination, at constant speed or accelerating from rest. Pages and
// letter tiles are bodies; the book waits for all of them to come to rest.
class Body {
 public:
  enum MoveType { kMoveLinear, kMoveTSquared, kMoveIdle };

  Body();
  explicit Body(const TQ3Vector3D& pos);
  virtual ~Body();

  void SetPos(const TQ3Vector3D& pos) { m_pos = pos; }
  void SetPos(float x, float y, float z) { m_pos = {x, y, z}; }
  const TQ3Vector3D& GetPos() const { return m_pos; }
  TQ3Vector3D& GetPos() { return m_pos; }
  const TQ3Vector3D& GetPosDest() const { return m_posDest; }
  // Moves the end of the current motion; its speed, start and timing stay.
  void SetMoveDest(const TQ3Vector3D& dest) { m_posDest = dest; }
  void Translate(const TQ3Vector3D& v);

  // A glide of length 0 or at a speed of 0 or less ends at once on its destination.
  void MoveTowards_Linear(const TQ3Vector3D& dest, float speed);
  void MoveTowards_Linear(const Point& dest, float speed);
  // Covers the distance L in T = (L / accel)^(1/4) seconds, the distance growing with the
  // fourth power of the time; an acceleration of 0 or less ends at once on the destination.
  void MoveTowards_TSquared(const TQ3Vector3D& dest, float accel, bool fFromStart);

  bool IsMoving() const { return m_moveType != kMoveIdle; }
  void Tick(double dt);

 protected:
  TQ3Vector3D m_pos;
  TQ3Vector3D m_vecVelocity;
  float m_fSpeed;
  MoveType m_moveType;
  TQ3Vector3D m_posDest;
  double m_dTimeTotal;
  double m_dTimeLeft;
  float m_fAccel;
  bool m_fFromStart;
  TQ3Vector3D m_posStart;

 private:
  void Arrive();
};
