#pragma once
// The Win32 adapters of the application's ports. There is no separate application window: the
// main window (win::ProgramWindow()) stands in for it as owner and taskbar entry.
#include <string>

#include "app/ports.h"
#include "platform/win32/win_api.h"
#include "ui/ports.h"

namespace win {

class ListView;

// Message boxes owned by the main window unless it is hidden; the error box; GetOpenFileNameW.
class Win32Dialogs : public app::IDialogs {
 public:
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  int OwnerlessMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  void ShowMessage(const std::string& text) override;  // caption "Tavrin", OK
  void ErrorBox(const std::string& message) override;  // message + ".", "Tavrin", error icon
  // filter: "description|pattern|description|pattern..."; defaultExtension "*.wav" or "wav".
  std::optional<std::string> OpenFile(const app::OpenFileRequest& request) override;
  void Beep(unsigned type) override;  // MessageBeep
};

// ShellExecuteW "open", owner the main window, SW_SHOW.
class Win32Shell : public app::IShell {
 public:
  void Open(const std::string& target) override;
};

// Shell_NotifyIconW with the first (V1) record size: the main window, id 100, callback 1025.
class Win32Tray : public app::ITray {
 public:
  explicit Win32Tray(HICON icon) : icon_(icon) {}
  void Add(const std::string& tip) override;     // NIM_ADD, flags 7
  void Modify(const std::string& tip) override;  // NIM_MODIFY, flags 4
  void Remove() override;                        // NIM_DELETE, flags 0
  // The record as the calls pass it (for tests).
  static NOTIFYICONDATAW Record(HWND window, UINT flags, HICON icon, const std::string& tip);

 private:
  HICON icon_;
};

// The help document "Tavrin.html" beside the program, opened in the default browser (the handler
// of "http") through a file: URL with an anchor: contents "#contents", context 1 "#tray",
// context 4 "#settings". No check that the document exists.
class Win32Help : public app::IHelp {
 public:
  explicit Win32Help(std::string programDir) : programDir_(std::move(programDir)) {}
  void Contents() override;
  void Context(int topic) override;
  // The URL that Contents/Context open (for tests).
  std::string Address(const std::string& anchor) const;

 private:
  void Open(const std::string& anchor) const;
  std::string programDir_;
};

// Hide: the main window goes (no window, no taskbar entry; the tray icon stays); ShowMinimized:
// it minimises; Restore: it is restored and shown. Terminate: the windows go and the loop ends.
class Win32Application : public app::IApplication {
 public:
  void ShowApplicationWindow(ShowCommand command) override;
  void ShowMainWindow() override;
  void Terminate() override;
};

class Win32Folders : public app::IFolders {
 public:
  std::string WindowsDirectory() override;  // GetWindowsDirectoryW, no trailing backslash
};

// In-place title editing on the main window's URL list (set once the window exists).
class Win32ListEditing : public ui::IListEditing {
 public:
  void SetListView(ListView* view) { view_ = view; }
  void BeginTitleEdit(int index) override;

 private:
  ListView* view_ = nullptr;
};

// The executable's directory with a trailing backslash, as CP932 text.
std::string ProgramDirectory();

}  // namespace win
