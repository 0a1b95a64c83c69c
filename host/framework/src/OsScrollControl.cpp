#include "OsScrollControl.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Every live control, so that a host can find one by parent and id.
std::vector<OsScrollControl*>& Controls() {
  static auto* controls = new std::vector<OsScrollControl*>;  // outlives a library still loaded at exit
  return *controls;
}

// A whole number, or nothing: "3x" is not 3.
bool ParseNumber(std::string_view text, LONG& out) {
  LONG value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  out = value;
  return true;
}

}  // namespace

OsMessageWindow::~OsMessageWindow() = default;

OsScrollControl::OsScrollControl(int id, CWnd* parent) : fId(id) {
  OsSetParent(parent);
  Controls().push_back(this);
}

OsScrollControl::~OsScrollControl() {
  auto& controls = Controls();
  controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
}

std::unique_ptr<OsScrollControl> OsScrollControl::FromTemplate(const OsDialogControlResource& entry, CWnd* parent) {
  if (entry.className == nullptr || std::strcmp(entry.className, kClassName) != 0) return nullptr;
  auto control = std::make_unique<OsScrollControl>(entry.id, parent);
  control->OsPlace(entry.x, entry.y, entry.cx, entry.cy);
  control->fVisible = (entry.style & WS_VISIBLE) != 0;
  std::string_view rest = entry.initData != nullptr ? entry.initData : "";
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(';'), rest.size());
    const std::string_view pair = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = pair.substr(0, equals), value = pair.substr(equals + 1);
    if (name == "min") ParseNumber(value, control->fMin);
    if (name == "max") ParseNumber(value, control->fMax);
    if (name == "value") ParseNumber(value, control->fValue);
  }
  return control;
}

void OsScrollControl::SetValue(LONG value) {
  if (value == fValue) return;
  fValue = value;
  // The platform gives every library that registers the name the same number,
  // so the module's handler recognises it.
  static const UINT message = RegisterWindowMessage(kNotifyMessageName);
  if (auto* target = dynamic_cast<OsMessageWindow*>(fNotifyWindow)) {
    target->OsWindowMessage(message, static_cast<std::uintptr_t>(fId), Handle());
  }
}

OsScrollControl* OsFindScrollControl(const CWnd* parent, int id) {
  for (OsScrollControl* control : Controls()) {
    if (control->GetParent() == parent && control->GetId() == id) return control;
  }
  return nullptr;
}
