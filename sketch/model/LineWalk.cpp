#include "model/LineWalk.h"

#include <algorithm>
#include <iterator>
#include <optional>

// Finding the first pixel of a walk inside a box without visiting the others.
//
// The walk's major coordinate at pixel i is major0 + sMajor * i, so only an
// interval of indices can meet the box at all. Its minor coordinate is minor0 +
// sMinor * K(i), where K(i) counts the sideways steps taken before pixel i; K
// never decreases, so within that interval the first pixel inside the box is
// found by bisection on K.
//
// While the 16-bit error term stays in range (walks up to 16383 pixels) K has a
// closed form. Beyond, the error term wraps, but it still has only 65536 values
// and each major step's next value depends on the last one only: the sequence
// of error terms repeats within 65536 steps, and K grows by the same amount in
// every period. K is then tabulated up to the first repeat and extended by whole
// periods. The walk's guard against endless sideways loops (kMaxSideSteps) ends
// it at the first pixel whose K would pass the guard's limit.

namespace {

using I64 = std::int64_t;

// K of a pixel the walk never reaches because its sideways steps ran past the
// guard's limit; every K is clamped to it.
constexpr I64 kStopped = kMaxSideSteps + 1;
constexpr int kErrorValues = 65536;

std::int16_t Wrap16(I64 v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }

I64 FloorDiv(I64 a, I64 b) {  // b > 0
  const I64 q = a / b;
  return a % b != 0 && a < 0 ? q - 1 : q;
}

// The sideways steps of one major step that starts with error term e, where
// `twoN` is 2n as the wrapped error term subtracts it, and the error term after
// them. A loop that never ends counts as kStopped steps.
struct SideSteps {
  I64 count;
  std::int16_t e;
};

SideSteps Sideways(std::int16_t e, std::int16_t twoN) {
  if (e <= 0) return {0, e};
  if (twoN > 0) {
    // Subtracting a positive amount from a positive 16-bit value cannot wrap.
    const I64 count = (e + twoN - 1) / twoN;
    return {count, static_cast<std::int16_t>(e - count * twoN)};
  }
  if (twoN == 0) return {kStopped, e};
  // Subtracting a negative amount: the term climbs until it wraps past 32767,
  // which always lands it at or below 0.
  const I64 up = -I64{twoN};
  const I64 count = (32767 - e) / up + 1;
  return {count, Wrap16(e + count * up)};
}

// K of a wrapping walk, tabulated in module-wide scratch tables (the module
// runs on one thread; nothing in them outlives the call that fills them).
std::int32_t gFirstSeen[kErrorValues];
std::int32_t gStepsBefore[kErrorValues + 1];

class WrappingSteps {
 public:
  // Tabulates K for pixels 0 .. last, or up to the error term's first repeat.
  WrappingSteps(I64 n, I64 m, I64 last) {
    std::fill(std::begin(gFirstSeen), std::end(gFirstSeen), -1);
    const std::int16_t twoN = Wrap16(2 * n);
    std::int16_t e = Wrap16(2 * m - n);
    I64 k = 0;
    for (I64 i = 0;; ++i) {
      gStepsBefore[i] = static_cast<std::int32_t>(k);
      std::int32_t& seen = gFirstSeen[e + 32768];
      if (i == last || k == kStopped || seen >= 0) {
        fFilled = i;
        if (seen >= 0 && k < kStopped) {
          fStart = seen;
          fPeriod = i - seen;
        }
        return;
      }
      seen = static_cast<std::int32_t>(i);
      const SideSteps side = Sideways(e, twoN);
      k = std::min(k + side.count, kStopped);
      e = Wrap16(side.e + 2 * m);
    }
  }

  I64 Before(I64 i) const {
    if (i <= fFilled) return gStepsBefore[i];
    if (fPeriod == 0) return kStopped;
    const I64 periods = (i - fStart) / fPeriod;
    const I64 growth = gStepsBefore[fStart + fPeriod] - gStepsBefore[fStart];
    return std::min(gStepsBefore[fStart + (i - fStart) % fPeriod] + periods * growth, kStopped);
  }

 private:
  I64 fFilled = 0;
  I64 fStart = 0;
  I64 fPeriod = 0;
};

}  // namespace

std::int64_t FirstWalkPixelIn(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, const WalkBox& box,
                              std::int64_t* length) {
  const I64 dx = I64{x1} - x0, dy = I64{y1} - y0;
  const I64 ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  const bool yMajor = ay > ax;
  const I64 n = yMajor ? ay : ax;
  const I64 m = yMajor ? ax : ay;
  const bool walks = n > 0 && n <= kMaxWalk;
  if (length != nullptr) *length = walks ? n : 0;
  if (!walks) return -1;
  const I64 sMajor = yMajor ? (dy > 0) - (dy < 0) : (dx > 0) - (dx < 0);
  const I64 sMinor = yMajor ? (dx > 0) - (dx < 0) : (dy > 0) - (dy < 0);
  const I64 major0 = yMajor ? y0 : x0, minor0 = yMajor ? x0 : y0;
  const I64 majorLo = yMajor ? box.top : box.left, majorHi = yMajor ? box.bottom : box.right;
  const I64 minorLo = yMajor ? box.left : box.top, minorHi = yMajor ? box.right : box.bottom;

  // The pixels whose major coordinate lies in the box.
  I64 first = sMajor > 0 ? majorLo - major0 : major0 - (majorHi - 1);
  I64 last = sMajor > 0 ? majorHi - 1 - major0 : major0 - majorLo;
  first = std::max<I64>(first, 0);
  last = std::min(last, n - 1);
  if (first > last) return -1;

  // The values [kLo, kHi) of K that put the minor coordinate in the box (K is
  // never negative, so a negative kLo needs no clamping).
  I64 kLo = 0, kHi = kStopped;
  if (sMinor > 0) {
    kLo = minorLo - minor0;
    kHi = minorHi - minor0;
  } else if (sMinor < 0) {
    kLo = minor0 - minorHi + 1;
    kHi = minor0 - minorLo + 1;
  } else if (minor0 < minorLo || minor0 >= minorHi) {
    return -1;
  }
  kHi = std::min(kHi, kStopped);
  if (kLo >= kHi) return -1;

  constexpr I64 kWithoutWrap = 16383;
  const bool wraps = n > kWithoutWrap;
  std::optional<WrappingSteps> table;
  if (wraps) table.emplace(n, m, last);
  const auto stepsBefore = [&](I64 i) {
    // Without wrapping, K(i) is the least K that brings the error term before
    // pixel i, 2m - n + 2m i - 2n K, to 0 or below.
    return wraps ? table->Before(i) : -FloorDiv(n - 2 * m * i, 2 * n);
  };
  I64 lo = first, hi = last + 1;
  while (lo < hi) {
    const I64 mid = lo + (hi - lo) / 2;
    if (stepsBefore(mid) >= kLo) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo <= last && stepsBefore(lo) < kHi ? lo : -1;
}
