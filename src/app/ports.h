#pragma once
// The outside world as the program's logic sees it. Each interface has one Win32 adapter in
// platform/win32/ and fakes in the tests.
#include <optional>
#include <string>
#include <vector>

namespace app {

// Message box flags and results, with the platform's values.
enum : unsigned {
  MbOk = 0x0,
  MbOkCancel = 0x1,
  MbYesNo = 0x4,
  MbIconError = 0x10,
  MbIconQuestion = 0x20,
  MbIconExclamation = 0x30,
  MbDefButton2 = 0x100,
};
enum : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

struct OpenFileRequest {
  std::string filter;            // "description|pattern|..." or empty for all files
  std::string defaultExtension;  // as given, e.g. "*.wav"
  std::string initialDirectory;  // empty: the platform's choice
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // MessageBox owned by the application window.
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
  // A message box with no owner window.
  virtual int OwnerlessMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return MessageBox(text, caption, flags);
  }
  // The simple message dialog: one OK button, the application's title as caption.
  virtual void ShowMessage(const std::string& text) = 0;
  // The application's error box: text + ".", caption "Tavrin", error icon.
  virtual void ErrorBox(const std::string& message) = 0;
  // A file-open dialog; the full path of the confirmed file, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
  virtual void Beep(unsigned type) = 0;  // MessageBeep
};

class IShell {
 public:
  virtual ~IShell() = default;
  // ShellExecute with the verb "open", owner the main window, SW_SHOW.
  virtual void Open(const std::string& target) = 0;
};

class ITray {
 public:
  virtual ~ITray() = default;
  virtual void Add(const std::string& tip) = 0;     // NIM_ADD, flags 7, callback 1025
  virtual void Modify(const std::string& tip) = 0;  // NIM_MODIFY, flags 4; tip at most 63 bytes
  virtual void Remove() = 0;                        // NIM_DELETE
};

class IHelp {
 public:
  virtual ~IHelp() = default;
  virtual void Contents() = 0;         // HELP_FINDER
  virtual void Context(int topic) = 0;  // HELP_CONTEXT
};

// The application window (taskbar entry, owner of all windows) and the event loop.
class IApplication {
 public:
  virtual ~IApplication() = default;
  enum ShowCommand : int { Hide = 0, ShowMinimized = 2, Restore = 9 };
  virtual void ShowApplicationWindow(ShowCommand command) = 0;
  virtual void ShowMainWindow() = 0;  // make the main window visible and bring it to the front
  virtual void Terminate() = 0;  // the main window closed: end the event loop
};

class ISound {
 public:
  virtual ~ISound() = default;
  enum : unsigned { Sync = 0, Async = 1 };
  virtual void Play(const std::string& fileName, unsigned flags) = 0;  // sndPlaySound
};

class IFolders {
 public:
  virtual ~IFolders() = default;
  virtual std::string WindowsDirectory() = 0;  // GetWindowsDirectory, no trailing separator
};

}  // namespace app
