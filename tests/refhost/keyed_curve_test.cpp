#include "refhost/keyed_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace refhost {
namespace {

TEST(KeyedCurveWithoutKeys, GivesItsStaticValueAtEveryTime) {
  KeyedCurve curve(2.5);
  EXPECT_EQ(curve.valueAt(-10), 2.5);
  EXPECT_EQ(curve.valueAt(0), 2.5);
  EXPECT_EQ(curve.valueAt(1e9), 2.5);
  curve.setStaticValue(-1);
  EXPECT_EQ(curve.valueAt(3), -1);
}

TEST(KeyedCurveLinear, HitsKeysExactlyAndInterpolatesBetween) {
  KeyedCurve curve;
  curve.setKey(0, 0);
  curve.setKey(2, 4);
  curve.setKey(3, 1);
  EXPECT_EQ(curve.valueAt(0), 0);
  EXPECT_EQ(curve.valueAt(2), 4);
  EXPECT_EQ(curve.valueAt(3), 1);
  EXPECT_DOUBLE_EQ(curve.valueAt(0.5), 1);
  EXPECT_DOUBLE_EQ(curve.valueAt(1), 2);
  EXPECT_DOUBLE_EQ(curve.valueAt(2.5), 2.5);
}

TEST(KeyedCurveLinear, HoldsTheEndValuesOutsideTheKeys) {
  KeyedCurve curve(99);
  curve.setKey(1, 10);
  curve.setKey(2, 20);
  EXPECT_EQ(curve.valueAt(0), 10);
  EXPECT_EQ(curve.valueAt(-1e300), 10);
  EXPECT_EQ(curve.valueAt(5), 20);
  EXPECT_EQ(curve.valueAt(INFINITY), 20);
  EXPECT_EQ(curve.valueAt(NAN), 10);
}

TEST(KeyedCurveLinear, OneKeyIsConstant) {
  KeyedCurve curve(99);
  curve.setKey(1, 7);
  EXPECT_EQ(curve.valueAt(0), 7);
  EXPECT_EQ(curve.valueAt(1), 7);
  EXPECT_EQ(curve.valueAt(2), 7);
}

TEST(KeyedCurveSmooth, MatchesHandComputedHermiteValue) {
  // Keys (0,0) (1,1) (2,0): slope 1 at the first key (one-sided), 0 at the
  // peak; halfway 0.5*0 + 0.125*1 + 0.5*1 - 0.125*0 = 0.625.
  KeyedCurve curve;
  curve.setKey(0, 0, KeyShape::Smooth);
  curve.setKey(1, 1, KeyShape::Smooth);
  curve.setKey(2, 0, KeyShape::Smooth);
  EXPECT_DOUBLE_EQ(curve.valueAt(0.5), 0.625);
  EXPECT_DOUBLE_EQ(curve.valueAt(1.5), 0.625);
  EXPECT_EQ(curve.valueAt(1), 1);
}

TEST(KeyedCurveSmooth, FollowsAStraightLineThroughUnevenlySpacedKeys) {
  // Tangents are per second and scaled by the span: collinear keys in time
  // must stay on the line even when the spans differ.
  KeyedCurve curve;
  curve.setKey(0, 0, KeyShape::Smooth);
  curve.setKey(1, 1, KeyShape::Smooth);
  curve.setKey(3, 3, KeyShape::Smooth);
  EXPECT_DOUBLE_EQ(curve.valueAt(0.5), 0.5);
  EXPECT_DOUBLE_EQ(curve.valueAt(2), 2);
  EXPECT_DOUBLE_EQ(curve.valueAt(2.5), 2.5);
}

TEST(KeyedCurveShapes, EachSpanTakesTheShapeOfTheKeyItStartsAt) {
  KeyedCurve curve;
  curve.setKey(0, 0, KeyShape::Linear);
  curve.setKey(1, 1, KeyShape::Smooth);
  curve.setKey(2, 0, KeyShape::Linear);
  EXPECT_DOUBLE_EQ(curve.valueAt(0.5), 0.5);
  // Smooth span: slope 0 at (1,1), one-sided slope -1 at (2,0).
  EXPECT_DOUBLE_EQ(curve.valueAt(1.5), 0.625);
}

TEST(KeyedCurveEditing, KeepsKeysSortedAndReplacesKeysAtTheSameTime) {
  KeyedCurve curve;
  curve.setKey(2, 20);
  curve.setKey(0, 0);
  curve.setKey(1, 10);
  curve.setKey(1, 15, KeyShape::Smooth);
  ASSERT_EQ(curve.keys().size(), 3u);
  EXPECT_EQ(curve.keys()[0].time, 0);
  EXPECT_EQ(curve.keys()[1].time, 1);
  EXPECT_EQ(curve.keys()[1].value, 15);
  EXPECT_EQ(curve.keys()[1].shape, KeyShape::Smooth);
  EXPECT_EQ(curve.keys()[2].time, 2);
}

TEST(KeyedCurveEditing, RemovesOnlyAnExistingKey) {
  KeyedCurve curve(5);
  curve.setKey(1, 10);
  EXPECT_FALSE(curve.removeKey(2));
  EXPECT_TRUE(curve.removeKey(1));
  EXPECT_FALSE(curve.animated());
  EXPECT_EQ(curve.valueAt(1), 5);
}

TEST(KeyedCurveEditing, RefusesATimeThatIsNotFinite) {
  KeyedCurve curve;
  EXPECT_THROW(curve.setKey(NAN, 1), std::invalid_argument);
  EXPECT_THROW(curve.setKey(INFINITY, 1), std::invalid_argument);
  EXPECT_TRUE(curve.keys().empty());
}

}  // namespace
}  // namespace refhost
