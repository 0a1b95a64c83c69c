// The click test skips what cannot reach the mouse; it must answer bit for bit as walking everything does.

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
      const int mx = on.x + Below(2 * spread + 1) - spread, my = on.y + Below(2 * spread + 1) - spread;
      TDCheck fast{.fFlags = TDCheck::kSegments, .fTolerance = tolerance, .fParam = 0.5f};
      TDCheck walk = fast;
      const bool quick = s->CheckSegments(mx, my, &fast, &fView.GetZoom());
      const bool hit = s->CheckSegmentsByWalk(mx, my, &walk, &fView.GetZoom());
      differing += quick != hit || fast.fResult != walk.fResult || fast.fShape != walk.fShape ||
                   fast.fUnit != walk.fUnit ||
                   std::bit_cast<std::uint32_t>(fast.fParam) != std::bit_cast<std::uint32_t>(walk.fParam);
      ++(hit ? hits : misses);
    }
    fContainer.DeleteAll();
  }
  EXPECT_EQ(differing, 0);
  // Both outcomes are well represented, or the comparison proves little.
  EXPECT_GT(hits, 1000);
  EXPECT_GT(misses, 1000);
}

// The first pixel of the walk inside the box, by walking every pixel.
std::int64_t WalkedFirstIn(OsImgPoint from, OsImgPoint to, const WalkBox& box) {
  std::int64_t found = -1;
  LineWalk(from.x, from.y, to.x, to.y, [&](std::int64_t x, std::int64_t y, std::int64_t i) {
    if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) found = i;
    return found < 0;
  });
  return found;
}

// The pixel the walk visits at index `at`, if it gets there.
bool PixelAt(OsImgPoint from, OsImgPoint to, std::int64_t at, std::int64_t& x, std::int64_t& y) {
  bool reached = false;
  LineWalk(from.x, from.y, to.x, to.y, [&](std::int64_t px, std::int64_t py, std::int64_t i) {
    x = px;
    y = py;
    reached = i == at;
    return !reached;
  });
  return reached;
}

class WalkSearch : public HitShortcuts {
 protected:
  // The walk from `from`, n pixels along its major axis and m along the other.
  static OsImgPoint End(OsImgPoint from, std::int64_t n, std::int64_t m, bool yMajor, int sx, int sy) {
    return {static_cast<std::int32_t>(from.x + sx * (yMajor ? m : n)),
            static_cast<std::int32_t>(from.y + sy * (yMajor ? n : m))};
  }
  void Compare(OsImgPoint from, OsImgPoint to, const WalkBox& box) {
    std::int64_t length = -1;
    const std::int64_t fast = FirstWalkPixelIn(from.x, from.y, to.x, to.y, box, &length);
    const std::int64_t walked = WalkedFirstIn(from, to, box);
    fDiffering += fast != walked || length != LineWalk(from.x, from.y, to.x, to.y, [](auto...) { return false; });
    fHits += walked >= 0;
  }
  int fDiffering = 0, fHits = 0;
};

TEST_F(WalkSearch, FirstPixelInABoxIsTheOneWalkingFinds) {
  // Short walks, and walks whose 16-bit error term 2n wraps negative (16384..32767) or positive.
  constexpr std::int64_t kLengths[] = {1, 7, 300, 16383, 16384, 20000, 32767, 40000, 70001, 150000};
  for (int round = 0; round < 500; ++round) {
    const std::int64_t n = kLengths[Below(static_cast<int>(std::size(kLengths)))];
    // Nearly flat, exactly diagonal (neither axis leads), or anything between.
    const int slope = Below(4);
    const std::int64_t m = slope == 0 ? Below(4) : slope == 1 ? n : Below(static_cast<int>(n) + 1);
    const OsImgPoint from{Below(2001) - 1000, Below(2001) - 1000};
    const OsImgPoint to = End(from, n, m, Below(2) == 0, Below(2) == 0 ? 1 : -1, Below(2) == 0 ? 1 : -1);
    // Around a pixel the walk visits, or around the middle of its ideal line.
    std::int64_t x = from.x + (to.x - from.x) / 2, y = from.y + (to.y - from.y) / 2;
    if (Below(3) != 0) PixelAt(from, to, Below(static_cast<int>(std::min<std::int64_t>(n, 100000))), x, y);
    const int w = Below(12), h = Below(12);
    const std::int64_t left = x - Below(w + 1), top = y - Below(h + 1);
    Compare(from, to, {left, left + w, top, top + h});
  }
  EXPECT_EQ(fDiffering, 0);
  EXPECT_GT(fHits, 150);
}

TEST_F(WalkSearch, AWalkEndedByItsSidewaysGuardIsFoundUpToWhereItStopped) {
  // 2n wraps to 0 (n = 32768, 65536): the sideways loop never ends by itself;
  // to 2 (n = 32769): with m = 16000 each major step takes 16000 of them.
  struct Case {
    std::int64_t n, m;
    bool yMajor;
  };
  for (const Case c : {Case{32768, 1, false}, Case{65536, 700, true}, Case{32769, 16000, false}}) {
    const OsImgPoint from{5, -7};
    const OsImgPoint to = End(from, c.n, c.m, c.yMajor, -1, 1);
    std::int64_t x = 0, y = 0;
    ASSERT_FALSE(PixelAt(from, to, c.n, x, y));  // (x, y) is the last pixel visited
    Compare(from, to, {x, x + 1, y, y + 1});
    // One major step further, where the walk would have gone on.
    const std::int64_t ahead = c.yMajor ? y + 1 : x - 1;
    Compare(from, to, c.yMajor ? WalkBox{x - 50, x + 50, ahead, ahead + 1} : WalkBox{ahead, ahead + 1, y - 50, y + 50});
  }
  EXPECT_EQ(fDiffering, 0);
  EXPECT_EQ(fHits, 3);
}

}  // namespace
