#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/types/TColor32.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec3.h"

namespace {

void ExpectVec(const TVec2& v, float x, float y) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
}

TEST(TVec2, Arithmetic) {
  TVec2 a(3, 4);
  TVec2 b(1, -2);
  ExpectVec(a + b, 4, 2);
  ExpectVec(a - b, 2, 6);
  ExpectVec(a * 2, 6, 8);
  ExpectVec(0.5f * a, 1.5f, 2);
  TVec2 c = a;
  c /= 2;
  ExpectVec(c, 1.5f, 2);
  EXPECT_FLOAT_EQ(a.Dot(b), -5);
  EXPECT_FLOAT_EQ(a.LengthSquared(), 25);
  EXPECT_FLOAT_EQ(a.Length(), 5);
  ExpectVec(TVec2(), 0, 0);
}

TEST(TVec2, NormalizeGivesUnitLengthButLeavesZeroAlone) {
  TVec2 v(3, -4);
  ExpectVec(v.Normalize(), 0.6f, -0.8f);
  TVec2 zero;
  ExpectVec(zero.Normalize(), 0, 0);
  EXPECT_FALSE(std::isnan(zero.x));
}

TEST(TVec3, BuiltFromAPlanePointAndAddedComponentWise) {
  TVec3 v(TVec2(1, 2), 3);
  v += TVec3(TVec2(10, 20), 30);
  EXPECT_FLOAT_EQ(v.x, 11);
  EXPECT_FLOAT_EQ(v.y, 22);
  EXPECT_FLOAT_EQ(v.z, 33);
}

struct RectPairCase {
  std::string name;
  TRect a, b;
  TRect intersection, unionRect;
  bool intersectionEmpty;
};

void PrintTo(const RectPairCase& c, std::ostream* out) { *out << c.name; }

class TRectPair : public testing::TestWithParam<RectPairCase> {};

TEST_P(TRectPair, IntersectAndUnion) {
  const RectPairCase& c = GetParam();
  TRect meet = TRect::Intersect(c.a, c.b);
  EXPECT_EQ(meet, c.intersection);
  EXPECT_EQ(meet.IsEmpty(), c.intersectionEmpty);
  EXPECT_EQ(TRect::Union(c.a, c.b), c.unionRect);
  EXPECT_EQ(TRect::Intersect(c.b, c.a), c.intersection);
  EXPECT_EQ(TRect::Union(c.b, c.a), c.unionRect);
}

INSTANTIATE_TEST_SUITE_P(
    Rect, TRectPair,
    testing::Values(
        RectPairCase{"Overlapping", {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20},
                     false},
        RectPairCase{"Nested", {0, 0, 100, 100}, {10, 20, 30, 40}, {10, 20, 30, 40},
                     {0, 0, 100, 100}, false},
        RectPairCase{"Disjoint", {0, 0, 10, 10}, {20, 30, 40, 50}, {20, 30, 10, 10},
                     {0, 0, 40, 50}, true},
        RectPairCase{"DisjointSideBySide", {0, 0, 10, 10}, {11, 0, 20, 10}, {11, 0, 10, 10},
                     {0, 0, 20, 10}, true},
        RectPairCase{"SharingAnEdge", {0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10},
                     {0, 0, 20, 10}, false},
        RectPairCase{"NegativeEdges", {-50, -50, -10, -10}, {-20, -30, 5, 5},
                     {-20, -30, -10, -10}, {-50, -50, 5, 5}, false}),
    [](const testing::TestParamInfo<RectPairCase>& info) { return info.param.name; });

TEST(TRect, UnionWithAnEmptyIntersectionStillSpansBothCorners) {
  TRect a(0, 0, 10, 10), b(20, 30, 40, 50);
  TRect empty = TRect::Intersect(a, b);
  ASSERT_TRUE(empty.IsEmpty());
  EXPECT_EQ(TRect::Union(a, empty), TRect(0, 0, 10, 10));
  EXPECT_EQ(TRect::Union(empty, b), TRect(20, 30, 40, 50));
}

TEST(TRect, ContainsIsInclusiveOnEveryEdge) {
  TRect r(10, 20, 30, 40);
  struct Probe {
    float x, y;
    bool inside;
  };
  const Probe probes[] = {
      {10, 20, true},     {30, 40, true},   {10, 40, true},   {30, 20, true},  {20, 30, true},
      {9.5f, 30, false},  {30.5f, 30, false}, {20, 19.9f, false}, {20, 40.1f, false},
      {-20, -30, false},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(r.Contains(TVec2(p.x, p.y)), p.inside) << p.x << ", " << p.y;
  }
  EXPECT_TRUE(TRect(5, 5, 5, 5).Contains(TVec2(5, 5))) << "a single point holds itself";
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 20);
}

TEST(TColor32, PacksAlphaRedGreenBlue) {
  TColor32 c(0x12, 0x34, 0x56, 0x78);
  EXPECT_EQ(c.GetValue(), 0x78123456u);
  EXPECT_EQ(c.GetAlpha(), 0x78);
  EXPECT_EQ(c.GetRed(), 0x12);
  EXPECT_EQ(c.GetGreen(), 0x34);
  EXPECT_EQ(c.GetBlue(), 0x56);
  EXPECT_EQ(TColor32(0xAABBCCDDu).GetRed(), 0xBB);
  EXPECT_EQ(TColor32().GetValue(), 0u) << "transparent black";
}

TEST(TColorTest, IntegerChannelsRunFromZeroTo255) {
  TColor tagged(255, 0, 51, 128);
  EXPECT_FLOAT_EQ(tagged.r, 1.0f);
  EXPECT_FLOAT_EQ(tagged.g, 0.0f);
  EXPECT_FLOAT_EQ(tagged.b, 0.2f);
  EXPECT_FLOAT_EQ(tagged.a, 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(TColor(0.0f, 0.0f, 0.0f, 1.0f).a, 1.0f) << "float channels are taken as they are";
}

struct FloatColorCase {
  std::string name;
  TColor color;
  uint32_t packed;
};

void PrintTo(const FloatColorCase& c, std::ostream* out) { *out << c.name; }

class TColor32FromFloats : public testing::TestWithParam<FloatColorCase> {};

TEST_P(TColor32FromFloats, Packs) {
  EXPECT_EQ(TColor32(GetParam().color).GetValue(), GetParam().packed)
      << std::hex << TColor32(GetParam().color).GetValue();
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Color, TColor32FromFloats,
    testing::Values(
        FloatColorCase{"TruncatesHalfDown", TColor(1.0f, 0.5f, 0.0f, 1.0f), 0xFFFF7F00},
        FloatColorCase{"TruncatesJustBelowOne", TColor(0.999f, 0.004f, 0.2f, 0.6f), 0x99FE0133},
        FloatColorCase{"ClampsAboveOne", TColor(2.0f, 1.5f, 0.0f, 1.0f), 0xFFFFFF00},
        FloatColorCase{"ClampsBelowZero", TColor(-1.0f, 0.0f, -0.5f, -3.0f), 0x00000000},
        FloatColorCase{"ClampedChannelLeavesItsNeighboursAlone", TColor(0.0f, 4.0f, 0.0f, 0.0f), 0x0000FF00},
        FloatColorCase{"NotANumberIsZero", TColor(kNaN, 1.0f, 1.0f, 1.0f), 0xFF00FFFF}),
    [](const testing::TestParamInfo<FloatColorCase>& info) { return info.param.name; });

}  // namespace
