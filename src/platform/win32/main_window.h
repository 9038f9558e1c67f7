#pragma once
// The main window (class "TMainForm"): the controls of TMainForm laid out from its table at
// 96 DPI and scaled by the window's DPI, its menus, the tray notifications and dropped files.
#include "platform/win32/widgets.h"
#include "ui/main_form.h"

namespace win {

class MainWindow : public Window {
 public:
  explicit MainWindow(ui::TMainForm& form);
  ~MainWindow() override;

  // Creates the window hidden, with its controls, menus and accelerators, and binds the form's
  // frame and controls. Makes it the owner of message boxes (win::SetProgramWindow).
  bool Create(HICON icon);

  // F1 for the main window and its controls; true when the message was translated.
  bool TranslateKeys(MSG& msg);
  ListView& UrlList() { return lstURL_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(UINT dpi) override;

 private:
  void BuildControls();
  void BuildMenus();
  void Layout();
  void PopupTrayMenu();
  void PopupListMenu(POINT screen);
  void SyncMenu(HMENU menu);
  bool ListKey(UINT virtualKey);
  ui::MenuItem* MenuItemOf(int id);
  void DropFiles(HDROP drop);

  ui::TMainForm& form_;
  Panel panel1_, panel2_, panel3_, panel4_, panel5_;
  ComboBox cmbList_;
  Button butNewList_;
  ListView lstURL_;
  SpeedButton spbTop_, spbGo_, spbSkip_, speedButton1_, spbSetTime_, spbWindwSize_;
  StatusBar statusBar_;
  HMENU mainMenu_ = nullptr;
  HMENU listMenu_ = nullptr;  // PMnuList
  HMENU trayMenu_ = nullptr;  // PopupMenu1
  HACCEL accelerators_ = nullptr;
  UINT taskbarCreated_ = 0;
};

}  // namespace win
