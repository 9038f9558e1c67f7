#pragma once
// The windows of the add-page dialog (TDlgAddList) and the rename dialog (TDlgReName), bound to
// their form logic in ui/dialogs.h. Win32Modal creates one, calls BeforeShow, shows it, pumps
// messages through PreTranslate until the dialog closes, and destroys it.
#include "platform/win32/widgets.h"
#include "ui/dialogs.h"

namespace win {

// Keyboard navigation shared by the dialog-like windows, which are not of the platform's dialog
// class: WM_NEXTDLGCTL (sent by IsDialogMessage for Tab and the arrow keys) moves the focus, and
// an edit reached that way has its text selected.
LRESULT NextDialogControl(HWND dialog, WPARAM wParam, LPARAM lParam);
// WM_ACTIVATE: on deactivation the focused control is remembered (false: let the default handling
// run); on activation the focus goes back to it, else to the first tab stop (true: handled).
bool TrackDialogFocus(HWND dialog, WPARAM activateState, HWND& lastFocus);
// A label grows to its text where the font needs more room than its layout row gives (a
// substituted font can be wider); it never shrinks below the row.
void FitLabelToText(Label& label, UINT dpi);

// A modal dialog window: Enter presses the OK button, Esc and the close box the Cancel button.
class ModalDialogWindow : public Window {
 public:
  // Keyboard navigation (Tab, Enter, Esc) for messages to this window or its controls.
  bool PreTranslate(MSG& msg);

 protected:
  explicit ModalDialogWindow(ui::Button& cancel) : cancel_(cancel) {}
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  ui::Button& cancel_;
  HWND lastFocus_ = nullptr;
};

class AddListWindow : public ModalDialogWindow {
 public:
  AddListWindow(ui::TDlgAddList& dialog, HWND owner);
  ~AddListWindow() override;
  // The dialog's show handler: placement and the captured title and URL.
  void BeforeShow();

 protected:
  void OnDpiChanged(UINT dpi) override;

 private:
  ui::TDlgAddList& dialog_;
  win::Label label3_, label1_, label2_;
  win::Edit edtTitle_, edtURL_;
  win::Button butOK_, butCancel_;
};

class ReNameWindow : public ModalDialogWindow {
 public:
  ReNameWindow(ui::TDlgReName& dialog, HWND owner);
  ~ReNameWindow() override;
  // The dialog's create handler: placement and the old list name.
  void BeforeShow();

 protected:
  void OnDpiChanged(UINT dpi) override;

 private:
  ui::TDlgReName& dialog_;
  win::Label label1_;
  win::Edit edtReName_;
  win::Button butOK_, butCancel_;
};

}  // namespace win
