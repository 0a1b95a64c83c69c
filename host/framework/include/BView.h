#pragma once
// The host's view of a document: its zoom, its window (client size), the event
// handler that converts between view pixels and image coordinates, the grid, and
// the repaint the module asks for with RedrawWindow.

#include <functional>

#include "BZoom.h"
#include "OsAfx.h"
#include "OsAfxWin.h"

class BAnt;
class BCommand;
class BDocument;
class BView;

// Conversions of the view: view to image trunc(v / zoom + origin), image to view
// trunc((v - origin) * zoom), per axis.
class BEventHandler {
 public:
  explicit BEventHandler(BView& view) : fView(view) {}
  virtual ~BEventHandler() = default;

  void DPToIP(OsImgPoint& p) const;
  void DPToIP(OsImgRect& r) const;
  void DPToIP(OsImgSize& s) const;
  void IPToDP(OsImgPoint& p) const;
  void IPToDP(OsImgRect& r) const;
  void IPToDP(OsImgSize& s) const;

  // Hands a command or tracker to the host, which owns it from then on and runs
  // it once the handler that posted it has returned.
  void PostCommand(BCommand* command);

 private:
  BView& fView;
};

class BView : public CObject {
  DECLARE_DYNAMIC(BView)

 public:
  // RedrawWindow flags: invalidate, and update before returning.
  enum : UINT { RDW_INVALIDATE = 0x0001, RDW_UPDATENOW = 0x0100 };

  BView() = default;
  BView(const BView&) = delete;
  BView& operator=(const BView&) = delete;

  BZoom& GetZoom() { return fZoom; }
  const BZoom& GetZoom() const { return fZoom; }
  BDocument* GetDocument() const { return fDocument; }
  BEventHandler* GetEventHandler() { return &fEventHandler; }
  // The window whose client area shows the view.
  CWnd* GetWindow() { return &fWindow; }
  const CWnd* GetWindow() const { return &fWindow; }

  // Makes the view the target of drawing; the host has nothing to switch.
  void Focus() {}
  // With RDW_UPDATENOW the host repaints before this returns.
  BOOL RedrawWindow(const RECT* rect, const void* region, UINT flags);

  bool fGridOn = false;
  int fGridSize = 8;
  // The marching ants shown on the view, drawn over it at every repaint; not owned.
  BAnt* fShownAnt = nullptr;

  // Host side.
  void OsSetDocument(BDocument* document) { fDocument = document; }
  void OsSetRepaint(std::function<void(BView&)> repaint) { fRepaint = std::move(repaint); }
  void OsSetPost(std::function<void(BCommand*)> post) { fPost = std::move(post); }
  const std::function<void(BCommand*)>& OsPost() const { return fPost; }

 private:
  BZoom fZoom;
  BDocument* fDocument = nullptr;
  BEventHandler fEventHandler{*this};
  CWnd fWindow;
  std::function<void(BView&)> fRepaint;
  std::function<void(BCommand*)> fPost;
};
