#pragma once
// The settings panel: every option, the entry editor and the list buttons. Modeless; docks at
// the main window's right edge each time it opens.
#include <string>

#include "ui/controls.h"

namespace ui {

class TMainForm;

class TConfigDlg {
 public:
  explicit TConfigDlg(TMainForm& main);
  TConfigDlg(const TConfigDlg&) = delete;
  TConfigDlg& operator=(const TConfigDlg&) = delete;

  // --- controls ---
  FormFrame Frame;  // caption "設定"; hidden until opened
  Edit EdtTitle;
  Button ButGetFileName;
  Edit EdtURL;
  Button ButEdit, ButAppend, ButDel, ButHelp;
  Button SpbUP, SpbDOWN;
  Button ButReName, ButDelList, ButClose;
  std::string GroupBox1Caption = "詳細設定";
  CheckBox ChkTop, ChkStartList;
  ComboBox CmbStartList;
  CheckBox ChkShow, ChkStatusBar;
  RadioButton RdoTitle, RdoURL;
  Edit EdtNtpServer;
  Button ButSetTime;
  Edit EdtSound;
  Button ButSoundFile, ButTestPlay;
  std::string GroupBox2Caption = "リスト最後尾まで行った時";
  CheckBox ChkLastTop, ChkLastMess, ChkLastSound, ChkLastExit;
  RadioGroup RdoAutoEdit;

  // Created hidden, after the main window: the style follows StayOnTop.
  void FormCreate();
  void Show();   // the opening steps, then visible
  void Close();  // the closing steps, then hidden (any way of closing)
  bool Visible() const { return Frame.Visible(); }

  // --- option rules ---
  void ChkStartListClick();
  void ChkStatusBarClick();
  void RdoTitleClick();
  void RdoURLClick();
  void EdtNtpServerChange();
  void ButSetTimeClick();
  void ButSoundFileClick();
  void ButTestPlayClick();
  void ButHelpClick();

  // --- entry editor ---
  void EdtURLChange();
  void ButGetFileNameClick();
  void ButEditClick();
  void ButAppendClick();
  void ButDelClick();
  void SpbUPClick();
  void SpbDOWNClick();
  void ApplyPendingEdit();

  // --- list buttons ---
  void ButReNameClick();
  void ButDelListClick();

 private:
  TMainForm& main_;
};

}  // namespace ui
