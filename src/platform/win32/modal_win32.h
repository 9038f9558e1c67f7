#pragma once
// The modal loop of the add-page, rename and About dialogs: the dialog's window is created,
// set up by the dialog's own create/show handler, shown with the program's other windows
// disabled, and pumped until the dialog's Close() has been called; then the windows are
// enabled again, the dialog's window destroyed and the previously active window reactivated.
#include "platform/win32/win_api.h"

#include <vector>

#include "ui/ports.h"

namespace win {

class Win32Modal : public ui::IModal {
 public:
  // mainWindow owns the dialogs' windows and is reactivated when nothing else was active.
  explicit Win32Modal(HWND mainWindow = nullptr) : main_(mainWindow) {}
  void SetMainWindow(HWND mainWindow) { main_ = mainWindow; }

  void RunModal(ui::TDlgAddList& dialog) override;
  void RunModal(ui::TDlgReName& dialog) override;
  void RunModal(ui::TDlgAbout& dialog) override;

  // The innermost dialog window open now, or null (e.g. to bring the About box to the front).
  HWND ActiveDialog() const { return open_.empty() ? nullptr : open_.back(); }

 private:
  template <class Window, class Dialog>
  void Run(Dialog& dialog);
  HWND main_;
  std::vector<HWND> open_;
};

}  // namespace win
