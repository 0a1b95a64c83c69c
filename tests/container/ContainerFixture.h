#pragma once
// A container with a view on a 64 x 64 sketch raster, and finished rectangles to
// put in it: straight edges, so that what they draw, trace and bound can be
// worked out from their corners.

#include <initializer_list>
#include <string>
#include <vector>

#include "BView.h"
#include "OsRuntime.h"
#include "RasterFixture.h"
#include "container/TObjectContainer.h"
#include "model/TDRectangle.h"

class ContainerFixture : public RasterFixture {
 protected:
  void SetUp() override {
    UseScreen(64, 64);
    container.IObjectContainer();
    container.AttachView(&view);
  }
  void TearDown() override {
    OsFailAllocationsAfter(-1);  // a failed assertion must not leave the switch set
    RasterFixture::TearDown();
  }

  void SetZoom(float zoom, float originX, float originY) { view.GetZoom() = BZoom(zoom, zoom, originX, originY); }

  // A rectangle dragged from one view point to another and finished: bounds
  // computed, markers hidden, not selected, not busy, at the end of the list.
  TDRectangle* Rect(int x0, int y0, int x1, int y1) {
    auto* r = new TDRectangle;
    OsImgPoint press{x0, y0}, current{x1, y1};
    EXPECT_TRUE(r->Begin(&container, x0, y0));
    r->Track(2, &press, &current);
    OsImgRect bounds;
    r->CalcBounds(bounds);
    r->SetSelect(0, 1, 0);
    r->SetBusy(0);
    EXPECT_TRUE(container.AddObject(r));
    return r;
  }

  template <typename... Shape>
  static void Select(Shape*... shapes) {
    (shapes->SetSelect(1, 1, 0), ...);
  }

  // One digit per figure: "101" for the first and third of three.
  static std::string Flags(std::initializer_list<const TDShape*> shapes, int TDShape::*flag) {
    std::string out;
    for (const TDShape* s : shapes) out += static_cast<char>('0' + s->*flag);
    return out;
  }

  static std::vector<CObject*> Items(const BList& list) {
    std::vector<CObject*> items;
    for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) items.push_back(list.GetNext(pos));
    EXPECT_EQ(static_cast<int>(items.size()), list.GetCount());
    return items;
  }

  // The rotation-centre mark alone at (5, 5) of an 11 x 11 raster: 33 pixels, the cross reaching 5 each way.
  static bool MarkInTheMiddle() { return InkCount() == 33 && Ink(5, 0) && Ink(5, 10) && Ink(0, 5) && Ink(10, 5); }

  BView view;
  TObjectContainer container;
};
