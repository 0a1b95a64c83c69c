// The click test passes over figures, segments and walks that cannot reach the
// mouse; it must answer exactly as walking everything does, bit for bit.

#include <bit>
#include <cstdint>

#include "FigureFixture.h"
#include "model/LineWalk.h"
#include "model/Segment.h"

namespace {

class HitShortcuts : public FigureFixture {
 protected:
  int Below(int range) {
    fSeed = fSeed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((fSeed >> 33) % static_cast<std::uint64_t>(range));
  }
  float Around(float centre, int spread) { return centre + static_cast<float>(Below(2 * spread + 1) - spread) * 1.25f; }

  // Both tests on one point; true when they agree in every field.
  bool Same(TDShape* s, int mx, int my, float tolerance, bool* hit = nullptr) {
    TDCheck fast{.fFlags = TDCheck::kSegments, .fTolerance = tolerance, .fParam = 0.5f};
    TDCheck walk = fast;
    const bool a = s->CheckSegments(mx, my, &fast, &fView.GetZoom());
    const bool b = s->CheckSegmentsByWalk(mx, my, &walk, &fView.GetZoom());
    if (hit != nullptr) *hit = b;
    return a == b && fast.fResult == walk.fResult && fast.fShape == walk.fShape && fast.fUnit == walk.fUnit &&
           std::bit_cast<std::uint32_t>(fast.fParam) == std::bit_cast<std::uint32_t>(walk.fParam);
  }

  std::uint64_t fSeed = 12345;
};

TEST_F(HitShortcuts, AnswerAsTheFullWalkOnRandomFiguresZoomsAndClicks) {
  constexpr float kZooms[] = {1.0f, 0.5f, 2.0f, 3.7f, 16.0f, 0.0f, -1.5f};
  constexpr int kScales[] = {6, 150, 3000, 30000};
  int hits = 0, misses = 0, differing = 0;
  for (int round = 0; round < 1000; ++round) {
    const float zoom = kZooms[Below(7)];
    const int scale = kScales[Below(zoom > 2.0f ? 3 : 4)];  // large figures only at small zooms
    SetZoom(zoom, static_cast<float>(Below(200) - 100), static_cast<float>(Below(200) - 100));
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    const float cx = Around(0, scale), cy = Around(0, scale);
    const int count = 2 + Below(4);
    for (int i = 0; i < count; ++i) {
      const float x = Around(cx, scale), y = Around(cy, scale);
      const bool straight = Below(3) == 0;
      s->AddUnit(x, y, straight ? x : Around(x, scale), straight ? y : Around(y, scale),
                 straight ? x : Around(x, scale), straight ? y : Around(y, scale), 1, 0,
                 static_cast<std::uint8_t>(Below(4) == 0 ? 0 : Below(40)), TDUnit::kHidden);
    }
    s->fOpen = Below(2);
    fContainer.AddObject(s);
    const float tolerance = Below(4) == 0 ? static_cast<float>(Below(100)) / 10.0f : 4.0f;
    for (int click = 0; click < 6; ++click) {
      // Mostly on or beside the path, where the answers are decided.
      const TDUnit& a = *Unit(*s, Below(count - 1));
      const TDUnit& b = *Unit(*s, Below(count));
      const OsImgPoint on = ImageToView(BezierPoint(a, b, static_cast<float>(Below(1001)) / 1000.0f), fView.GetZoom());
      const int spread = click < 4 ? 6 : 400;
      bool hit = false;
      if (!Same(s, on.x + Below(2 * spread + 1) - spread, on.y + Below(2 * spread + 1) - spread, tolerance, &hit)) {
        ++differing;
      }
      ++(hit ? hits : misses);
    }
    fContainer.DeleteAll();
  }
  EXPECT_EQ(differing, 0);
  // Both outcomes are well represented, or the comparison proves little.
  EXPECT_GT(hits, 1000);
  EXPECT_GT(misses, 1000);
}

TEST_F(HitShortcuts, LongWalksThatWrapStillHitWhereTheyWander) {
  // Longer than the 16-bit error term can follow: the walk leaves the box of its
  // end points, and a click out there hits it.
  const OsImgPoint from{0, 0}, to{40000, 1000};
  OsImgPoint away{0, 0};
  bool found = false;
  LineWalk(from.x, from.y, to.x, to.y, [&](std::int64_t x, std::int64_t y, std::int64_t) {
    found = y > to.y + 10;
    away = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    return !found;
  });
  ASSERT_TRUE(found);
  TDShape* s = Polyline({{0, 0}, {40000, 1000}});
  bool hit = false;
  EXPECT_TRUE(Same(s, away.x, away.y, 4.0f, &hit));
  EXPECT_TRUE(hit);
}

}  // namespace
