#include "platform/win32/modal_win32.h"

#include <algorithm>

#include "platform/win32/about_window.h"
#include "platform/win32/dialog_windows.h"
#include "ui/dialogs.h"

namespace win {
namespace {

struct ThreadWindows {
  HWND except;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<ThreadWindows*>(param);
  if (hwnd != state->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    state->disabled.push_back(hwnd);
  }
  return TRUE;
}

// Disables the thread's visible, enabled top-level windows but one; returns those it disabled.
std::vector<HWND> DisableOtherWindows(HWND except) {
  ThreadWindows state{except, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&state));
  return state.disabled;
}

}  // namespace

template <class Window, class Dialog>
void Win32Modal::Run(Dialog& dialog) {
  if (dialog.IsClosed()) return;
  HWND previouslyActive = GetActiveWindow();
  Window window(dialog, main_);
  HWND hwnd = window.Handle();
  open_.push_back(hwnd);

  // The dialog's own create/show handler places it and fills it before it becomes visible.
  window.BeforeShow();
  // The loop wakes on the message posted here when Close() comes from outside a message.
  dialog.OnClosed = [hwnd] { PostMessageW(hwnd, WM_NULL, 0, 0); };
  std::vector<HWND> disabled = DisableOtherWindows(hwnd);
  if (!dialog.IsClosed()) {
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
  }

  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!dialog.IsClosed() && IsWindow(hwnd)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (got == -1) break;
    if (!window.PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  dialog.OnClosed = nullptr;

  // Enabled again before the dialog goes, so the activation passes back to its owner.
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  open_.erase(std::remove(open_.begin(), open_.end(), hwnd), open_.end());
  window.Destroy();
  HWND reactivate = previouslyActive && IsWindow(previouslyActive) ? previouslyActive : main_;
  if (reactivate && IsWindow(reactivate) && IsWindowVisible(reactivate)) SetForegroundWindow(reactivate);
  // The program is ending: the outer loop must see the quit request too.
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

void Win32Modal::RunModal(ui::TDlgAddList& dialog) { Run<AddListWindow>(dialog); }
void Win32Modal::RunModal(ui::TDlgReName& dialog) { Run<ReNameWindow>(dialog); }
void Win32Modal::RunModal(ui::TDlgAbout& dialog) { Run<AboutWindow>(dialog); }

}  // namespace win
