#pragma once
// The settings panel window (TConfigDlg): every component of the panel at its place, bound to
// the panel's logic in ui/config_dlg.h. Modeless: the program's message loop hands it its
// messages through PreTranslate for keyboard navigation.
#include <vector>

#include "platform/win32/widgets.h"
#include "ui/config_dlg.h"

namespace win {

class ConfigWindow : public Window {
 public:
  // Creates the panel hidden and runs the panel's create handler (stay-on-top from the
  // settings). Call it after the main window's create handler has read the settings.
  ConfigWindow(ui::TConfigDlg& dialog, HWND owner);
  ~ConfigWindow() override;

  // Tab, the arrow keys and the mnemonics for messages to the panel or its controls; true when
  // the message was handled (then it must not be translated and dispatched again).
  bool PreTranslate(MSG& msg);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(UINT dpi) override;

 private:
  void UpdateRadioTabStops();

  ui::TConfigDlg& dialog_;
  HWND lastFocus_ = nullptr;
  std::vector<Widget*> widgets_;

  Label label1_, label2_, label3_, label4_;
  Edit edtTitle_, edtURL_;
  Button butGetFileName_, butEdit_, butAppend_, butDel_, butHelp_;
  SpeedButton spbUP_, spbDOWN_;
  Button butReName_, butDelList_, butClose_;
  GroupBox groupBox1_, groupBox2_;
  CheckBox chkTop_, chkStartList_;
  ComboBox cmbStartList_;
  CheckBox chkShow_, chkStatusBar_;
  RadioButton rdoTitle_, rdoURL_;
  Edit edtNtpServer_;
  Button butSetTime_;
  Edit edtSound_;
  Button butSoundFile_, butTestPlay_;
  CheckBox chkLastTop_, chkLastMess_, chkLastSound_, chkLastExit_;
  RadioGroup rdoAutoEdit_;
};

}  // namespace win
