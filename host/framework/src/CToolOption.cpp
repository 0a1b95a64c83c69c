#include "CToolOption.h"

void CToolOption::AddView(CToolOptionView* view) {
  if (view != nullptr) fViews.emplace_back(view);
}

void CToolOption::ShowView(int dialogId) {
  fShown = -1;
  for (auto& view : fViews) {
    view->fVisible = view->fDialogId == dialogId;
    if (view->fVisible) fShown = dialogId;
  }
}

void CToolOption::ReadPreferences(const char* section) {
  for (auto& view : fViews) view->ReadPreferences(section);
}

void CToolOption::WritePreferences(const char* section) {
  for (auto& view : fViews) view->WritePreferences(section);
}
