#pragma once
// The polygon tool's option palette: a label and the host's scroll-bar control
// for the number of vertices. The palette corrects the count to 3..100 and
// publishes it in gPolygonApex; it keeps the count in the profile under
// "PolygonOption-Apex" in the section the option set passes.
//
// The interface creates it and hands it to the host's option set, which owns,
// shows and hides it.

#include <cstdint>

#include "CToolOption.h"
#include "OsScrollControl.h"
#include "ui/CPScrollBar.h"

class BModuleInterface;

class CPolygonOptionView final : public CToolOptionView, public OsMessageWindow {
 public:
  static constexpr int kMinApex = 3;
  static constexpr int kMaxApex = 100;

  // Creates the window from dialog template 2004 at once. A template that
  // cannot be found leaves a palette without a control: it reads 0 and sets
  // nothing, and the count stays where it was.
  explicit CPolygonOptionView(CWnd* parent);
  ~CPolygonOptionView() override = default;

  // The handler the palette's events go to: the module's interface.
  void IToolOptionView(BModuleInterface* eventHandler) { fEventHandler = eventHandler; }

  void ReadPreferences(const char* section) override;
  void WritePreferences(const char* section) override;

  // The host's messages: focus leaves the palette; the palette is closed; and
  // what the control sends.
  void OnKillFocus(CWnd* newFocus);
  void OnClose();
  std::intptr_t OsWindowMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam) override;

  std::int16_t fApex = kMinApex;  // the count shown
  CPScrollBar fScrollBar;         // control 2005
  BModuleInterface* fEventHandler = nullptr;

 private:
  void DoDataExchange(std::unique_ptr<OsScrollControl> control);
  BOOL OnInitDialog();
  std::intptr_t OnScrollNotify(std::uintptr_t wParam, std::intptr_t lParam);
  void ApplyApex();
};
