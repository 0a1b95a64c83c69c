#include "BRegion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

using Span = BRegion::Span;
using Band = BRegion::Band;

// A product of two 33-bit differences does not fit in 64 bits; the crossing
// tests below must be exact, so they multiply in 128.
__extension__ using Int128 = __int128;

// Appends the rows [top, bottom) with spans, extending the last band instead when
// it touches and holds the same spans, which keeps the bands canonical.
void AppendBand(std::vector<Band>& bands, std::int32_t top, std::int32_t bottom, std::vector<Span>&& spans) {
  if (spans.empty() || top >= bottom) return;
  if (!bands.empty() && bands.back().bottom == top && bands.back().spans == spans) {
    bands.back().bottom = bottom;
    return;
  }
  bands.push_back(Band{top, bottom, std::move(spans)});
}

// An edge oriented downwards: y0 < y1.
struct Edge {
  std::int64_t x0, y0, x1, y1;
};

std::int64_t CeilDiv(Int128 a, Int128 b) {  // b > 0
  Int128 q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return static_cast<std::int64_t>(q);
}

// The first pixel of row y whose centre lies on or right of the edge's crossing
// with the line through the row's centres, which is required to exist. With
// twice-scaled coordinates everything stays integral: the centre row is at
// 2y + 1, the crossing at 2 x0 + (2y + 1 - 2 y0) dx / dy.
std::int64_t FirstPixelAtOrRightOf(const Edge& e, std::int64_t y) {
  const Int128 dy = e.y1 - e.y0;
  const Int128 t = Int128{2 * y + 1 - 2 * e.y0} * (e.x1 - e.x0);
  // Centre x + 0.5 is at or right of the crossing when 2x + 1 - 2 x0 >= t / dy.
  const std::int64_t k = CeilDiv(t, dy);
  return CeilDiv(Int128{2 * e.x0 - 1 + k}, 2);
}

// Span lists are sorted and non-touching, so each one's boundaries strictly
// increase; their union's parity changes exactly at the boundaries that occur
// in one list but not both.
std::vector<Span> XorSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
  std::vector<std::int32_t> edges;
  edges.reserve(2 * (a.size() + b.size()));
  std::size_t i = 0, j = 0;
  const std::size_t na = 2 * a.size(), nb = 2 * b.size();
  auto at = [](const std::vector<Span>& s, std::size_t k) { return k % 2 == 0 ? s[k / 2].left : s[k / 2].right; };
  while (i < na || j < nb) {
    if (j == nb || (i < na && at(a, i) < at(b, j))) {
      edges.push_back(at(a, i++));
    } else if (i == na || at(b, j) < at(a, i)) {
      edges.push_back(at(b, j++));
    } else {
      ++i;
      ++j;
    }
  }
  std::vector<Span> out;
  out.reserve(edges.size() / 2);
  for (std::size_t k = 0; k + 1 < edges.size(); k += 2) out.push_back(Span{edges[k], edges[k + 1]});
  return out;
}

}  // namespace

int BRegion::IRegion() {
  fBands.clear();
  return 1;
}

void BRegion::EmptyRegion() { fBands.clear(); }

void BRegion::CopyRegion(const BRegion& other) {
  if (&other != this) fBands = other.fBands;
}

int BRegion::PolygonRegion(const OsImgPoint* points, int count) {
  fBands.clear();
  if (points == nullptr || count < 3) return 0;

  // Horizontal edges never cross a row of centres, and every other edge is kept
  // half-open in y; centres sit at half-integers and vertices at integers, so no
  // centre row ever passes through a vertex and no tie needs breaking there.
  std::vector<Edge> edges;
  edges.reserve(static_cast<std::size_t>(count));
  std::int64_t minY = points[0].y, maxY = points[0].y;
  for (int i = 0; i < count; ++i) {
    const OsImgPoint& p = points[i];
    const OsImgPoint& q = points[(i + 1) % count];
    minY = std::min<std::int64_t>(minY, p.y);
    maxY = std::max<std::int64_t>(maxY, p.y);
    if (p.y == q.y) continue;
    if (p.y < q.y) {
      edges.push_back(Edge{p.x, p.y, q.x, q.y});
    } else {
      edges.push_back(Edge{q.x, q.y, p.x, p.y});
    }
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });

  // Only the rows inside the kept range are visited, so a polygon as large as
  // the coordinate space costs no more than one as large as the range.
  const std::int64_t top = std::max<std::int64_t>(minY, kMin);
  const std::int64_t bottom = std::min<std::int64_t>(maxY, kMax);
  std::vector<const Edge*> active;
  std::vector<std::int64_t> crossings;
  std::size_t next = 0;
  for (std::int64_t y = top; y < bottom; ++y) {
    // The row's centres are at y + 0.5: an edge covers them when y0 <= y < y1.
    while (next < edges.size() && edges[next].y0 <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const Edge* e) { return e->y1 <= y; });

    crossings.clear();
    for (const Edge* e : active) crossings.push_back(FirstPixelAtOrRightOf(*e, y));
    std::sort(crossings.begin(), crossings.end());

    // A centre is inside when an odd number of crossings lie at or left of it;
    // clamping to the range keeps the order and cuts the pixels beyond it.
    std::vector<Span> spans;
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
      const auto left = static_cast<std::int32_t>(std::clamp<std::int64_t>(crossings[k], kMin, kMax));
      const auto right = static_cast<std::int32_t>(std::clamp<std::int64_t>(crossings[k + 1], kMin, kMax));
      if (left == right) continue;
      if (!spans.empty() && spans.back().right == left) {
        spans.back().right = right;
      } else {
        spans.push_back(Span{left, right});
      }
    }
    AppendBand(fBands, static_cast<std::int32_t>(y), static_cast<std::int32_t>(y + 1), std::move(spans));
  }
  return 1;
}

void BRegion::XorRegion(const BRegion& other) {
  // other may be this region: both are only read until the result replaces it.
  const std::vector<Band>& a = fBands;
  const std::vector<Band>& b = other.fBands;
  static const std::vector<Span> kNone;
  constexpr std::int64_t kPast = std::numeric_limits<std::int64_t>::max();

  // Sweep down through every band boundary of either region; between two
  // consecutive ones each region has one span list or none.
  std::vector<Band> out;
  std::size_t i = 0, j = 0;
  std::int64_t y = std::numeric_limits<std::int64_t>::min();
  while (i < a.size() || j < b.size()) {
    const std::int64_t topA = i < a.size() ? a[i].top : kPast;
    const std::int64_t topB = j < b.size() ? b[j].top : kPast;
    y = std::max(y, std::min(topA, topB));  // skip a gap in both
    const bool inA = topA <= y;
    const bool inB = topB <= y;
    const std::int64_t end = std::min<std::int64_t>(inA ? a[i].bottom : topA, inB ? b[j].bottom : topB);
    AppendBand(out, static_cast<std::int32_t>(y), static_cast<std::int32_t>(end),
               XorSpans(inA ? a[i].spans : kNone, inB ? b[j].spans : kNone));
    if (inA && a[i].bottom == end) ++i;
    if (inB && b[j].bottom == end) ++j;
    y = end;
  }
  fBands = std::move(out);
}

bool BRegion::Contains(std::int32_t x, std::int32_t y) const {
  const auto band =
      std::upper_bound(fBands.begin(), fBands.end(), y, [](std::int32_t v, const Band& b) { return v < b.bottom; });
  if (band == fBands.end() || band->top > y) return false;
  const auto span = std::upper_bound(band->spans.begin(), band->spans.end(), x,
                                     [](std::int32_t v, const Span& s) { return v < s.right; });
  return span != band->spans.end() && span->left <= x;
}

OsImgRect BRegion::GetBounds() const {
  if (fBands.empty()) return OsImgRect{};
  OsImgRect r{fBands.front().spans.front().left, fBands.front().top, fBands.front().spans.back().right,
              fBands.back().bottom};
  for (const Band& band : fBands) {
    r.left = std::min(r.left, band.spans.front().left);
    r.right = std::max(r.right, band.spans.back().right);
  }
  return r;
}

std::vector<OsImgRect> BRegion::GetRects() const {
  std::vector<OsImgRect> rects;
  for (const Band& band : fBands) {
    for (const Span& s : band.spans) rects.push_back(OsImgRect{s.left, band.top, s.right, band.bottom});
  }
  return rects;
}
