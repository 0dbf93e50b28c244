// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Body.h"

namespace {

void ExpectAt(const Body& body, float x, float y, float z = 0.0f) {
  EXPECT_FLOAT_EQ(body.GetPos().x, x);
  EXPECT_FLOAT_EQ(body.GetPos().y, y);
  EXPECT_FLOAT_EQ(body.GetPos().z, z);
}

TEST(Vector3D, NormalizeSubtractAndScaleMayWorkInPlace) {
  TQ3Vector3D v = {3, 4, 0};
  float length = -1;
  Vector3D_Normalize(&v, &v, &length);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  EXPECT_FLOAT_EQ(length, 5.0f);

  TQ3Vector3D tiny = {1e-8f, 0, 0};
  TQ3Vector3D out;
  Vector3D_Normalize(&tiny, &out, &length);
  EXPECT_EQ(length, 0.0f);
  EXPECT_EQ(out.x, 1e-8f);

  TQ3Vector3D p = {2, -3, 5};
  Vector3D_Subtract(&p, &p, &p);
  EXPECT_EQ(p.x, 0.0f);
  EXPECT_EQ(p.y, 0.0f);
  EXPECT_EQ(p.z, 0.0f);
  TQ3Vector3D s = {1, 2, 3};
  Vector3D_Scale(&s, -2, &s);
  EXPECT_EQ(s.y, -4.0f);
}

TEST(Body, LinearGlidesEndExactlyOnTheirDestination) {
  Body body;
  body.MoveTowards_Linear(TQ3Vector3D{100, 0, 0}, 50);
  for (int i = 0; i < 19; ++i) body.Tick(0.1);
  EXPECT_TRUE(body.IsMoving());
  EXPECT_NEAR(body.GetPos().x, 95.0f, 1e-3f);
  body.Tick(0.1);
  EXPECT_FALSE(body.IsMoving());
  ExpectAt(body, 100, 0);

  // A tick that would carry the body past its destination ends on it.
  Body over(TQ3Vector3D{10, 10, 0});
  over.MoveTowards_Linear(Point{40, 10}, 100);  // v 40, h 10
  over.Tick(5.0);
  EXPECT_FALSE(over.IsMoving());
  ExpectAt(over, 10, 40);

  // Moving the destination changes only where the motion ends.
  Body moved;
  moved.MoveTowards_Linear(TQ3Vector3D{0, 100, 0}, 100);
  moved.Tick(0.5);
  moved.SetMoveDest(TQ3Vector3D{0, 70, 0});
  moved.Tick(0.25);
  EXPECT_NEAR(moved.GetPos().y, 75.0f, 1e-3f);
  moved.Tick(0.25);
  EXPECT_FALSE(moved.IsMoving());
  ExpectAt(moved, 0, 70);

  Body idle(TQ3Vector3D{1, 2, 3});
  idle.Tick(1.0);
  ExpectAt(idle, 1, 2, 3);
}

TEST(Body, GlidesThatCouldNeverEndEndAtOnce) {
  for (float speed : {0.0f, -5.0f, NAN, INFINITY}) {
    Body body(TQ3Vector3D{0, 0, 0});
    body.MoveTowards_Linear(TQ3Vector3D{30, 40, 0}, speed);
    body.Tick(0.016);
    EXPECT_FALSE(body.IsMoving()) << speed;
    ExpectAt(body, 30, 40);
  }
  Body still(TQ3Vector3D{7, 7, 0});
  still.MoveTowards_Linear(TQ3Vector3D{7, 7, 0}, 100);
  EXPECT_FALSE(still.IsMoving());
  for (float accel : {0.0f, -1.0f, NAN}) {
    Body body;
    body.MoveTowards_TSquared(TQ3Vector3D{-570, 0, 0}, accel, true);
    body.Tick(0.016);
    EXPECT_FALSE(body.IsMoving());
    ExpectAt(body, -570, 0);
  }
  Body zero(TQ3Vector3D{5, 5, 0});
  zero.MoveTowards_TSquared(TQ3Vector3D{5, 5, 0}, 800, true);
  EXPECT_FALSE(zero.IsMoving());
  ExpectAt(zero, 5, 5);
}

TEST(Body, AcceleratingGlidesCoverTheFourthPowerOfTheTime) {
  Body body;
  body.MoveTowards_TSquared(TQ3Vector3D{16, 0, 0}, 1, true);
  body.Tick(1.0);
  EXPECT_TRUE(body.IsMoving());
  EXPECT_NEAR(body.GetPos().x, 1.0f, 1e-4f);
  body.Tick(0.5);
  EXPECT_NEAR(body.GetPos().x, 1.5f * 1.5f * 1.5f * 1.5f, 1e-3f);
  body.Tick(0.5);
  EXPECT_FALSE(body.IsMoving());
  ExpectAt(body, 16, 0);

  // An overshooting tick, with the destination moved meanwhile, still lands on it.
  Body page(TQ3Vector3D{20, 30, 0});
  page.MoveTowards_TSquared(TQ3Vector3D{-570, 30, 0}, 100, true);
  page.Tick(0.3);
  EXPECT_LT(page.GetPos().x, 20.0f);
  page.SetMoveDest(TQ3Vector3D{-600, 50, 0});
  page.Tick(10.0);
  EXPECT_FALSE(page.IsMoving());
  ExpectAt(page, -600, 50);
  EXPECT_FALSE(std::isnan(page.GetPos().x));
}

}  // namespace
