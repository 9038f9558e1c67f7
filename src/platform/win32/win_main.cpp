// The program's entry point: the single-instance lock, the ports, the two long-lived windows and
// the message loop.
#include <exception>
#include <filesystem>
#include <string>

#include "app/settings_store.h"
#include "clock/correct_clock.h"
#include "core/text_path.h"
#include "platform/win32/app_win32.h"
#include "platform/win32/browser_query_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/config_window.h"
#include "platform/win32/main_window.h"
#include "platform/win32/modal_win32.h"
#include "platform/win32/sound_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/widgets.h"
#include "ui/config_dlg.h"
#include "ui/main_form.h"

namespace {

constexpr int ProgramIconId = 1;

void UsePerMonitorDpi() {
  using Fn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto set = user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                    : nullptr;
  if (set) set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

// Windows redirects an old program's writes to its own directory into the user's VirtualStore,
// keeping the path below the drive (C:\Windows -> VirtualStore\Windows).
std::filesystem::path VirtualStoreDirectory(const std::string& windowsDir) {
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  if (length == 0) return {};
  std::wstring local(length, L'\0');
  local.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), length));
  if (local.empty()) return {};
  std::wstring below = win::Widen(windowsDir);
  if (below.size() >= 2 && below[1] == L':') below.erase(0, 2);
  while (!below.empty() && (below.front() == L'\\' || below.front() == L'/')) below.erase(0, 1);
  if (below.empty()) below = L"Windows";
  return std::filesystem::path(local) / L"VirtualStore" / below;
}

int Run(HINSTANCE instance) {
  HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
  HICON smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                   LR_SHARED));
  const std::string programDir = win::ProgramDirectory();

  win::Win32Dialogs dialogs;
  win::Win32Shell shell;
  win::Win32Tray tray(smallIcon ? smallIcon : icon);
  win::Win32Help help(programDir);
  win::Win32Application application;
  win32::Win32Sound sound;
  win::Win32Folders folders;
  win32::Win32BrowserQuery browser;
  win::Win32Modal modal;
  win::Win32ListEditing listEditing;
  const std::string windowsDir = folders.WindowsDirectory();
  const app::SettingsStore settings(core::PathFromText(windowsDir), VirtualStoreDirectory(windowsDir));
  win32::Win32ClockPorts clockPorts(dialogs, sound);
  ui::Ports ports{dialogs, shell, tray, help, application, sound, folders, browser, modal, listEditing, settings,
                  [&clockPorts](const std::string& server, const std::string& soundFile) {
                    return timesync::CorrectClock(server, soundFile, clockPorts.Ports());
                  }};

  ui::TMainForm form(ports, programDir);
  win::MainWindow mainWindow(form);
  if (!mainWindow.Create(icon)) return 0;
  listEditing.SetListView(&mainWindow.UrlList());
  modal.SetMainWindow(mainWindow.Handle());
  form.BringAboutToFront = [&modal] {
    if (HWND about = modal.ActiveDialog()) SetForegroundWindow(about);
  };

  // A failed creation step is shown and start-up goes on.
  win::Guard([&form] { form.FormCreate(); });

  ui::TConfigDlg config(form);
  form.AttachConfigDlg(&config);
  if (form.ShowAtStart && !form.Closed()) {
    ShowWindow(mainWindow.Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(mainWindow.Handle());
  }
  // The panel's window is made once the main window shows, so the user sees the program sooner;
  // it stays hidden until asked for. It is owned by a hidden window of its own, like every window
  // of the program by the application window: owned by the main window, Wine keeps it on top
  // after the stay-on-top option has been turned off.
  HWND panelOwner =
      CreateWindowExW(0, L"STATIC", L"Tavrin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  win::ConfigWindow configWindow(config, panelOwner);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (mainWindow.TranslateKeys(msg)) continue;
    if (configWindow.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // One atomic test: the lock exists already when another instance runs. The handle stays open
  // until the process ends.
  HANDLE lock = CreateMutexW(nullptr, FALSE, L"AppMutex");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    if (lock) CloseHandle(lock);
    return 0;
  }
  UsePerMonitorDpi();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    Run(instance);
  } catch (const std::exception& e) {
    win::ShowErrorBox(e.what());
  } catch (...) {
    win::ShowErrorBox("予期しないエラーが発生しました");
  }
  return 0;
}
