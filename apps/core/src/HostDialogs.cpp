#include "HostDialogs.h"

#include <utility>

HostDialogs::HostDialogs(std::vector<std::string>& messages) : fMessages(messages) { OsSetUserInterface(this); }

HostDialogs::~HostDialogs() {
  // Another host made since may have installed its own; that one stays.
  if (OsGetUserInterface() == this) OsSetUserInterface(nullptr);
}

void HostDialogs::Queue(unsigned templateId, DialogAnswer answer) { fAnswers[templateId].push_back(std::move(answer)); }

void HostDialogs::RunModal(CDialog& dialog) {
  std::deque<DialogAnswer>& queue = fAnswers[dialog.OsTemplateId()];
  while (!dialog.OsHasEnded() && !queue.empty()) {
    const DialogAnswer answer = std::move(queue.front());
    queue.pop_front();
    for (const DialogAction& action : answer) {
      switch (action.kind) {
        case DialogAction::Kind::Type: dialog.OsType(action.control, action.text); break;
        case DialogAction::Kind::Click: dialog.OsClick(action.control); break;
        case DialogAction::Kind::Close: dialog.OsClose(); break;
      }
    }
  }
  if (!dialog.OsHasEnded()) dialog.OsClose();
}

int HostDialogs::MessageBox(const char* text, const char*, UINT) {
  fMessages.emplace_back(text);
  return IDOK;
}
