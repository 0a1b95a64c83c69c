// The module's preferences as a person's profile may hold them: any keys and
// values in its section. The module is loaded as the host loads it, reads them,
// is used with what it took, and is unloaded, which writes them back.
//
// Input: lines of KEY=VALUE (the first '=' splits; a line without one is a key
// with an empty value), each written into section "Sketch" in turn.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Host.h"
#include "OsAfxWin.h"
#include "ui/CPolygonOptionView.h"

namespace {

constexpr char kSection[] = "Sketch";

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_profile: %s: %s\n", what, detail.c_str());
  std::abort();
}

std::string Written(const char* key) {
  const auto& profile = AfxGetApp()->fProfile;
  const auto section = profile.find(kSection);
  if (section == profile.end()) return "(no section)";
  const auto entry = section->second.find(key);
  return entry == section->second.end() ? "(missing)" : entry->second;
}

void SeedProfile(std::string_view text) {
  AfxGetApp()->fProfile.clear();
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    const std::size_t equals = line.find('=');
    const std::string key(line.substr(0, equals));
    const std::string value(equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1));
    if (!key.empty()) AfxGetApp()->WriteProfileString(kSection, key.c_str(), value.c_str());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SeedProfile(std::string_view(reinterpret_cast<const char*>(data), size));
  int tool = 0;
  {
    Host host;
    if (std::string error = host.Load(SKETCH_MODULE_PATH); !error.empty()) Broken("the module does not load", error);
    const auto* apex = static_cast<const int*>(host.Loader().Symbol("gPolygonApex"));
    if (apex == nullptr) Broken("the module does not export", "gPolygonApex");
    if (*apex < CPolygonOptionView::kMinApex || *apex > CPolygonOptionView::kMaxApex) {
      Broken("the polygon count taken from the profile is out of range", std::to_string(*apex));
    }
    // What the module took must also hold up in use: the chosen tool picks the
    // cursor, the option palette and the gesture of a press.
    BModuleInterface* module = host.Module();
    host.OpenDocument("profile", RgbImage(32, 24));
    module->DoModeChange(1);
    host.Press({10, 10});
    host.Move({20, 15});
    host.Release({20, 15});
    module->DoModeChange(0);
    tool = module->fCurrentTool;
    host.Unload();
  }
  // Unloading writes back what the module holds: a count it would correct when
  // read is never kept.
  if (Written("CurrentTool") != std::to_string(tool)) {
    Broken("the tool written back is not the tool in use", Written("CurrentTool") + " vs " + std::to_string(tool));
  }
  const std::string apex = Written("PolygonOption-Apex");
  char* end = nullptr;
  const long count = std::strtol(apex.c_str(), &end, 10);
  if (apex.empty() || *end != '\0' || count < CPolygonOptionView::kMinApex || count > CPolygonOptionView::kMaxApex) {
    Broken("the polygon count written back is out of range", apex);
  }
  return 0;
}
