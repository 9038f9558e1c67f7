// Start-up benchmark: the time from CreateProcess to the main window being visible, for Tavrin.exe
// and for minimal_window.exe (a program that only creates and shows one window), best of several
// runs each, and their ratio. It measures and prints; it judges nothing. Exit code 0 unless a
// program cannot be started or shows no window.
//
// Tavrin runs from a scratch folder holding a copy of the exe and one small list, with no settings
// file (so it starts with its defaults and shows its window); a settings file present before the
// run is put back afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr DWORD kWindowTimeoutMs = 30000;

std::wstring ExeDirectory() {
  wchar_t buf[32768];
  DWORD n = GetModuleFileNameW(nullptr, buf, 32768);
  std::wstring path(buf, n);
  return path.substr(0, path.find_last_of(L'\\'));
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::string> ReadWhole(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

// The program's settings file and its per-user redirected copy, kept aside during the runs.
class SettingsKeeper {
 public:
  SettingsKeeper() {
    wchar_t buf[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryW(buf, MAX_PATH + 1);
    std::wstring windows(buf, n);
    if (!windows.empty() && windows.back() == L'\\') windows.pop_back();
    Paths.push_back(windows + L"\\Tavrin.ini");
    wchar_t local[32768];
    DWORD m = GetEnvironmentVariableW(L"LOCALAPPDATA", local, 32768);
    if (m > 0 && m < 32768) Paths.push_back(std::wstring(local, m) + L"\\VirtualStore\\Windows\\Tavrin.ini");
    for (const std::wstring& path : Paths) Saved.push_back(ReadWhole(path));
  }
  ~SettingsKeeper() {
    for (std::size_t i = 0; i < Paths.size(); ++i) {
      if (Saved[i]) WriteWhole(Paths[i], *Saved[i]);
      else DeleteFileW(Paths[i].c_str());
    }
  }
  void Clear() const {
    for (const std::wstring& path : Paths) DeleteFileW(path.c_str());
  }

 private:
  std::vector<std::wstring> Paths;
  std::vector<std::optional<std::string>> Saved;
};

struct FindState {
  DWORD ProcessId;
  const wchar_t* ClassName;
  HWND Found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != state->ProcessId || !IsWindowVisible(window)) return TRUE;
  wchar_t name[256];
  int n = GetClassNameW(window, name, 256);
  if (n > 0 && std::wstring(name, n) == state->ClassName) {
    state->Found = window;
    return FALSE;
  }
  return TRUE;
}

double Milliseconds(LONGLONG ticks) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One start: milliseconds until a visible top-level window of className belongs to the new
// process; then the program is closed (killed if it does not end). nullopt when it failed.
std::optional<double> TimeStart(const std::wstring& exe, const std::wstring& directory, const wchar_t* className) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si,
                      &pi)) {
    std::printf("cannot start %s (error %lu)\n", Narrow(exe).c_str(), GetLastError());
    return std::nullopt;
  }
  CloseHandle(pi.hThread);
  FindState state{pi.dwProcessId, className, nullptr};
  const ULONGLONG deadline = GetTickCount64() + kWindowTimeoutMs;
  bool ended = false;
  for (;;) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&state));
    if (state.Found) break;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
      ended = true;
      break;
    }
    if (GetTickCount64() >= deadline) break;
    Sleep(1);
  }
  QueryPerformanceCounter(&end);
  std::optional<double> result;
  if (state.Found) {
    result = Milliseconds(end.QuadPart - start.QuadPart);
    PostMessageW(state.Found, WM_CLOSE, 0, 0);
  } else {
    std::printf("%s %s without showing a %s window\n", Narrow(exe).c_str(), ended ? "ended" : "ran 30 s",
                Narrow(className).c_str());
  }
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  CloseHandle(pi.hProcess);
  return result;
}

bool RemoveFolder(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name != L"." && name != L"..") DeleteFileW((dir + L"\\" + name).c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  return RemoveDirectoryW(dir.c_str()) != 0;
}

}  // namespace

int main() {
  const std::wstring bin = ExeDirectory();
  const std::wstring minimal = bin + L"\\minimal_window.exe";
  wchar_t tempBuf[MAX_PATH + 1];
  DWORD tempLength = GetTempPathW(MAX_PATH + 1, tempBuf);
  std::wstring folder = std::wstring(tempBuf, tempLength);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  folder += L"tavrin-startup-bench-" + std::to_wstring(GetCurrentProcessId());
  if (!CreateDirectoryW(folder.c_str(), nullptr)) {
    std::printf("cannot create %s\n", Narrow(folder).c_str());
    return 1;
  }
  const std::wstring tavrin = folder + L"\\Tavrin.exe";
  int status = 0;
  {
    SettingsKeeper settings;
    if (!CopyFileW((bin + L"\\Tavrin.exe").c_str(), tavrin.c_str(), FALSE) ||
        !WriteWhole(folder + L"\\Bench.ini", "Example\r\nhttp://example.invalid/\r\n")) {
      std::printf("cannot prepare %s\n", Narrow(folder).c_str());
      status = 1;
    }
    std::vector<double> tavrinTimes, minimalTimes;
    // One run of each first, not counted: it brings the files and libraries into the caches.
    for (int run = 0; run <= kRuns && status == 0; ++run) {
      settings.Clear();
      std::optional<double> t = TimeStart(tavrin, folder, L"TMainForm");
      std::optional<double> m = TimeStart(minimal, bin, L"MinimalWindow");
      if (!t || !m) {
        status = 1;
        break;
      }
      if (run == 0) continue;
      tavrinTimes.push_back(*t);
      minimalTimes.push_back(*m);
    }
    if (status == 0) {
      auto show = [](const char* name, const std::vector<double>& times) {
        std::printf("  %-20s best %8.1f ms   runs:", name, *std::min_element(times.begin(), times.end()));
        for (double t : times) std::printf(" %.1f", t);
        std::printf("\n");
      };
      std::printf("Start-up: CreateProcess to the main window visible, best of %d (after one uncounted run)\n",
                  kRuns);
      show("Tavrin.exe", tavrinTimes);
      show("minimal_window.exe", minimalTimes);
      const double ratio =
          *std::min_element(tavrinTimes.begin(), tavrinTimes.end()) /
          *std::min_element(minimalTimes.begin(), minimalTimes.end());
      std::printf("  ratio Tavrin/minimal: %.2f (goal: 1.50 or less) %s\n", ratio,
                  ratio <= 1.5 ? "within the goal" : "ABOVE the goal");
    }
  }
  RemoveFolder(folder);
  return status;
}
