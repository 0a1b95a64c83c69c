#pragma once
// The class library's window, string, application and extension-library pieces
// that the module uses, reduced to what its calls need.

#include <cstdarg>
#include <map>
#include <string>

#include "OsAfx.h"
#include "OsMenu.h"
#include "OsWindows.h"

struct OsModuleInstance;

// ---- strings ------------------------------------------------------------------

class CString {
 public:
  CString() = default;
  CString(const char* text) : fText(text != nullptr ? text : "") {}  // NOLINT: implicit as in the class library
  CString(std::string text) : fText(std::move(text)) {}              // NOLINT

  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  int GetLength() const { return static_cast<int>(fText.size()); }
  bool IsEmpty() const { return fText.empty(); }
  operator const char*() const { return fText.c_str(); }  // NOLINT
  const std::string& str() const { return fText; }

  // The string under that number in any attached library, searched as
  // LoadString with a null instance searches them; false, and the text left as
  // it was, when there is none.
  BOOL LoadString(UINT id);

 private:
  std::string fText;
};

// ---- windows ------------------------------------------------------------------

enum : UINT {
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_SHOWWINDOW = 0x0040,
  SWP_HIDEWINDOW = 0x0080,
};

// Message boxes: buttons, icons, and the buttons' answers. The platform's values.
enum : UINT {
  MB_OK = 0x00000000,
  MB_OKCANCEL = 0x00000001,
  MB_YESNO = 0x00000004,
  MB_ICONSTOP = 0x00000010,
  MB_ICONQUESTION = 0x00000020,
  MB_ICONEXCLAMATION = 0x00000030,
  MB_ICONASTERISK = 0x00000040,
};

enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDYES = 6,
  IDNO = 7,
};

// A window as the host keeps it: where it stands on the screen, how large its
// client area is, the frame around it, its parent and its menu.
class CWnd : public CObject {
 public:
  CWnd() = default;
  ~CWnd() override = default;

  static CWnd* FromHandle(CWnd* handle) { return handle; }
  CWnd* GetParent() const { return fParent; }
  void GetWindowRect(RECT* rect) const;
  void GetClientRect(RECT* rect) const;
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  HMENU GetMenu() const { return fMenu; }
  bool IsWindowVisible() const { return fVisible; }

  // Shown by the user interface the host installed (OsDialog.h); returns the
  // button pressed. A null caption is the application's title.
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

  // Host side: the window's place, its client size and frame thickness.
  void OsPlace(int x, int y, int clientWidth, int clientHeight, int frameX = 0, int frameY = 0);
  void OsSetParent(CWnd* parent) { fParent = parent; }
  void OsSetMenu(HMENU menu) { fMenu = menu; }

  CWnd* fParent = nullptr;
  HMENU fMenu = nullptr;
  int fX = 0, fY = 0;
  int fClientWidth = 0, fClientHeight = 0;
  int fFrameX = 0, fFrameY = 0;  // frame thickness on each side
  bool fVisible = false;
};

// ---- the application: main window and profile ----------------------------------

// The profile lives in the platform; a host may seed it, read it back, or
// persist it as it likes.
class CWinApp {
 public:
  CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr) const;
  BOOL WriteProfileString(const char* section, const char* entry, const char* value);

  CWnd* m_pMainWnd = nullptr;
  // The title message boxes carry when their caller gives none; the host names it.
  const char* m_pszAppName = nullptr;
  std::map<std::string, std::map<std::string, std::string>> fProfile;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// ---- extension libraries -------------------------------------------------------

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = 0;
  OsModuleInstance* hModule = nullptr;
  OsModuleInstance* hResource = nullptr;
};

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, OsModuleInstance* instance);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state);

// Joins the library to the class library's chain, through which the host finds
// the library's resources; the chain owns the object until the library ends.
class CDynLinkLibrary : public CObject {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
  ~CDynLinkLibrary() override;

  OsModuleInstance* m_hModule;
};

// Libraries in the chain, for the host's checks.
int OsDynLinkLibraryCount();
