#include "harness/tavrin_process.h"

#include "harness/program_folder.h"
#include "harness/window_driver.h"
#include "platform/win32/control_ids.h"

namespace harness {

TavrinProcess::~TavrinProcess() { Kill(); }

bool TavrinProcess::Start(const ProgramFolder& folder) { return Start(folder.ProgramPath(), folder.Path()); }

bool TavrinProcess::Start(const std::wstring& exePath, const std::wstring& workingDirectory) {
  Kill();
  Error.clear();
  std::wstring commandLine = L"\"" + exePath + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, workingDirectory.c_str(), &si, &pi)) {
    Error = L"CreateProcessW(" + exePath + L") failed with error " + std::to_wstring(GetLastError());
    return false;
  }
  // The job ends the program with the test process, should the test itself die.
  Job = CreateJobObjectW(nullptr, nullptr);
  if (Job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(Job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(Job, pi.hProcess);
  }
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  Process = pi.hProcess;
  ProcessId = pi.dwProcessId;
  return true;
}

bool TavrinProcess::Running() const { return Process && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> TavrinProcess::ExitCode() const {
  if (!Process || Running()) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(Process, &code)) return std::nullopt;
  return code;
}

std::optional<DWORD> TavrinProcess::WaitForExit(DWORD timeoutMs) const {
  if (!Process) return std::nullopt;
  WaitUntil([&] { return !Running(); }, timeoutMs);
  return ExitCode();
}

bool TavrinProcess::WaitForIdle(DWORD timeoutMs) const {
  return Process && WaitForInputIdle(Process, timeoutMs) == 0;
}

HWND TavrinProcess::MainWindow() const { return FindWindowOfClass(TAVRIN_CLASS_MAIN); }

HWND TavrinProcess::WaitForMainWindow(DWORD timeoutMs) const {
  return WaitForWindowOfClass(TAVRIN_CLASS_MAIN, timeoutMs);
}

HWND TavrinProcess::FindWindowOfClass(const wchar_t* className) const {
  return Process ? FindTopLevelWindow(ProcessId, className) : nullptr;
}

HWND TavrinProcess::WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOfClass(className)) != nullptr || (Process && !Running()); },
            timeoutMs);
  return found;
}

HWND TavrinProcess::WaitForMessageBox(DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindows()) {
          if (ClassNameOf(w) == kDialogClass && IsWindowVisible(w)) {
            found = w;
            return true;
          }
        }
        return !Running();
      },
      timeoutMs);
  return found;
}

std::vector<HWND> TavrinProcess::TopLevelWindows() const {
  return Process ? TopLevelWindowsOf(ProcessId) : std::vector<HWND>{};
}

std::optional<DWORD> TavrinProcess::Close(DWORD timeoutMs) const {
  if (HWND main = MainWindow()) PostClose(main);
  return WaitForExit(timeoutMs);
}

std::optional<DWORD> TavrinProcess::ExitByCommand(int commandId, DWORD timeoutMs) const {
  if (HWND main = MainWindow()) PostCommand(main, commandId);
  return WaitForExit(timeoutMs);
}

void TavrinProcess::Kill() {
  if (Process && Running()) {
    TerminateProcess(Process, 255);
    WaitForSingleObject(Process, 10000);
  }
  Release();
}

void TavrinProcess::Release() {
  if (Process) CloseHandle(Process);
  if (Job) CloseHandle(Job);
  Process = nullptr;
  Job = nullptr;
  ProcessId = 0;
}

}  // namespace harness
