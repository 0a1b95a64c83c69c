#pragma once
// The headless host's user interface: it works each modal dialog with answers
// queued for the dialog's template, as a person would, and answers message
// boxes with OK at once, keeping their texts. Installed while it lives.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "OsDialog.h"

// One thing a person does in a dialog.
struct DialogAction {
  enum class Kind { Type, Click, Close };
  Kind kind = Kind::Click;
  int control = 0;   // Type and Click
  std::string text;  // Type
};

// What a person does between the dialog opening (or its last rejected
// answer) and pressing a button that closes it.
using DialogAnswer = std::vector<DialogAction>;

class HostDialogs final : public OsUserInterface {
 public:
  // Message texts are appended to `messages`, which must outlive this.
  explicit HostDialogs(std::vector<std::string>& messages);
  ~HostDialogs() override;
  HostDialogs(const HostDialogs&) = delete;
  HostDialogs& operator=(const HostDialogs&) = delete;

  // For the next dialog made from template `templateId`.
  void Queue(unsigned templateId, DialogAnswer answer);

  // Answer after answer until the dialog ends; an answer it rejects leaves it
  // open for the next one, and with none left it is closed, as cancelled.
  void RunModal(CDialog& dialog) override;
  int MessageBox(const char* text, const char* caption, UINT type) override;

 private:
  std::vector<std::string>& fMessages;
  std::map<unsigned, std::deque<DialogAnswer>> fAnswers;
};
