#pragma once
// The host's set of floating option palettes. Modules add their palettes; the
// host shows the one for the tool in force and keeps their settings with the
// module's preferences. The set owns the palettes it was given.

#include <memory>
#include <vector>

#include "OsAfxWin.h"

class CToolOptionView : public CWnd {
 public:
  CToolOptionView(int dialogId, CWnd* parent) : fDialogId(dialogId) { OsSetParent(parent); }
  ~CToolOptionView() override = default;

  virtual void ReadPreferences(const char* /*section*/) {}
  virtual void WritePreferences(const char* /*section*/) {}

  const int fDialogId;
};

class CToolOption {
 public:
  CToolOption() = default;
  CToolOption(const CToolOption&) = delete;
  CToolOption& operator=(const CToolOption&) = delete;

  void AddView(CToolOptionView* view);
  // Shows the palette made from that dialog template and hides the others; -1
  // hides them all.
  void ShowView(int dialogId);
  void ReadPreferences(const char* section);
  void WritePreferences(const char* section);

  int GetShownView() const { return fShown; }
  const std::vector<std::unique_ptr<CToolOptionView>>& GetViews() const { return fViews; }
  void DestroyViews() { fViews.clear(); }

 private:
  std::vector<std::unique_ptr<CToolOptionView>> fViews;
  int fShown = -1;
};
