#include "OsAfxWin.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "OsResources.h"

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n >= 0) {
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(n));
    fText = std::move(text);
  }
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  const char* text = OsFindString(nullptr, id);
  if (text == nullptr) return 0;
  fText = text;
  return 1;
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (rect == nullptr) return;
  *rect = {fX, fY, fX + fClientWidth + 2 * fFrameX, fY + fClientHeight + 2 * fFrameY};
}

void CWnd::GetClientRect(RECT* rect) const {
  if (rect != nullptr) *rect = {0, 0, fClientWidth, fClientHeight};
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  if (!(flags & SWP_NOMOVE)) {
    fX = x;
    fY = y;
  }
  if (!(flags & SWP_NOSIZE)) {
    fClientWidth = std::max(0, cx - 2 * fFrameX);
    fClientHeight = std::max(0, cy - 2 * fFrameY);
  }
  if (flags & SWP_SHOWWINDOW) fVisible = true;
  if (flags & SWP_HIDEWINDOW) fVisible = false;
  return 1;
}

void CWnd::OsPlace(int x, int y, int clientWidth, int clientHeight, int frameX, int frameY) {
  fX = x;
  fY = y;
  fClientWidth = clientWidth;
  fClientHeight = clientHeight;
  fFrameX = frameX;
  fFrameY = frameY;
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) const {
  if (section != nullptr && entry != nullptr) {
    auto s = fProfile.find(section);
    if (s != fProfile.end()) {
      auto e = s->second.find(entry);
      if (e != s->second.end()) return CString(e->second);
    }
  }
  return CString(defaultValue);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
  if (section == nullptr) return 0;
  if (entry == nullptr) {
    fProfile.erase(section);
  } else if (value == nullptr) {
    fProfile[section].erase(entry);
  } else {
    fProfile[section][entry] = value;
  }
  return 1;
}

CWinApp* AfxGetApp() {
  static CWinApp app;
  return &app;
}

CWnd* AfxGetMainWnd() { return AfxGetApp()->m_pMainWnd; }

namespace {
std::vector<CDynLinkLibrary*>& Chain() {
  static auto* chain = new std::vector<CDynLinkLibrary*>;  // outlives a library still loaded at exit
  return *chain;
}
}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, OsModuleInstance* instance) {
  if (instance == nullptr) return 0;
  state.hModule = instance;
  state.hResource = instance;
  state.bInitialized = 1;
  return 1;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state) {
  // The class library frees the chain's objects of a library when it ends.
  auto& chain = Chain();
  for (auto it = chain.begin(); it != chain.end();) {
    if ((*it)->m_hModule == state.hModule) {
      CDynLinkLibrary* library = *it;
      it = chain.erase(it);
      library->m_hModule = nullptr;
      delete library;
    } else {
      ++it;
    }
  }
  state.bInitialized = 0;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state) : m_hModule(state.hModule) { Chain().push_back(this); }

CDynLinkLibrary::~CDynLinkLibrary() {
  auto& chain = Chain();
  chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

int OsDynLinkLibraryCount() { return static_cast<int>(Chain().size()); }
