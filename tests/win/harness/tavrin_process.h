#pragma once
// Tavrin.exe started as its own process, the way a user starts it from its folder, and stopped
// again whatever happens: the destructor kills a process that is still running.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/wait.h"

namespace harness {

class ProgramFolder;

class TavrinProcess {
 public:
  TavrinProcess() = default;
  ~TavrinProcess();
  TavrinProcess(const TavrinProcess&) = delete;
  TavrinProcess& operator=(const TavrinProcess&) = delete;

  // Starts the folder's Tavrin.exe with the folder as working directory. False when
  // CreateProcessW fails (the reason is in LastError()). A started process is killed first.
  bool Start(const ProgramFolder& folder);
  bool Start(const std::wstring& exePath, const std::wstring& workingDirectory);
  const std::wstring& LastError() const { return Error; }

  bool Started() const { return Process != nullptr; }
  DWORD Id() const { return ProcessId; }
  HANDLE Handle() const { return Process; }
  bool Running() const;
  // The exit code once the process has ended; nullopt while it runs (or was never started).
  std::optional<DWORD> ExitCode() const;
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;
  // WaitForInputIdle: start-up has run and the message loop waits for input.
  bool WaitForIdle(DWORD timeoutMs = kDefaultTimeoutMs) const;

  // The main window (class TMainForm of this process, shown or hidden); nullptr when none.
  HWND MainWindow() const;
  HWND WaitForMainWindow(DWORD timeoutMs = kDefaultTimeoutMs) const;
  // Other top-level windows of the process by class (TConfigDlg, TDlgAddList, TDlgReName,
  // TDlgAbout, "#32770" for message boxes).
  HWND FindWindowOfClass(const wchar_t* className) const;
  HWND WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs = kDefaultTimeoutMs) const;
  // A visible message box ("#32770") of the process.
  HWND WaitForMessageBox(DWORD timeoutMs = kDefaultTimeoutMs) const;
  std::vector<HWND> TopLevelWindows() const;

  // The user's close: WM_CLOSE posted to the main window; then waits for the exit code.
  std::optional<DWORD> Close(DWORD timeoutMs = kDefaultTimeoutMs) const;
  // The exit command (e.g. IDM_EXIT or IDM_PM_EXIT) posted to the main window; then waits.
  std::optional<DWORD> ExitByCommand(int commandId, DWORD timeoutMs = kDefaultTimeoutMs) const;
  // Ends a process that still runs (TerminateProcess) and waits until it is gone.
  void Kill();

 private:
  void Release();
  HANDLE Process = nullptr;
  HANDLE Job = nullptr;
  DWORD ProcessId = 0;
  std::wstring Error;
};

}  // namespace harness
