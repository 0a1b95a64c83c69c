#pragma once
// The host's own trackers: the hand tool, which drags the view's image along
// with the mouse, and the zoom tool, which zooms in or out about the point of
// release. Both change only the view, so neither can be undone.

#include <cstdint>

#include "BCommand.h"
#include "BZoom.h"

class TFWCScroll : public BTracker {
  DECLARE_DYNAMIC(TFWCScroll)

 public:
  void IFWCommand(int number, BDocument* handler, BDocument* notify, BView* view, OsImgPoint& point);

  // Every move and the release shift the origin against the mouse's movement,
  // so the image point under the mouse stays under it.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;
};

class TFWCZoom : public BTracker {
  DECLARE_DYNAMIC(TFWCZoom)

 public:
  enum : std::uint8_t { kZoomNone = 0, kZoomIn = 1, kZoomOut = 2 };
  static constexpr float kMaxZoom = 16.0f;
  static constexpr float kMinZoom = 0.0625f;

  void IFWCommand(int number, BDocument* handler, BDocument* notify, BView* view, OsImgPoint& point);

  // On release: kZoomIn doubles, kZoomOut halves each axis's zoom within
  // [kMinZoom, kMaxZoom], keeping the image point under the release where it was.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Set by the host before tracking.
  std::uint8_t fZoomState = kZoomNone;
};

// One step of the zoom tool about view pixel `at`: each axis's zoom doubled
// (`in`) or halved within [kMinZoom, kMaxZoom], the image point under `at`
// staying under it; an axis at its limit keeps its zoom and origin.
BZoom ZoomedAbout(const BZoom& zoom, OsImgPoint at, bool in);
