// The main window's shell commands, the tray icon, page capture, the clock and dropped files.
#include "browser/shortcut_file.h"
#include "browser/window_info.h"
#include "core/text.h"
#include "ui/config_dlg.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

namespace ui {

void TMainForm::SpbWindwSizeClick() {
  if (!ConfigDlg) return;
  if (!ConfigDlg->Visible()) ConfigDlg->Show();
  else ConfigDlg->Close();
}

void TMainForm::MnuHideClick() {
  if (ConfigOpen && ConfigDlg) ConfigDlg->Close();
  ports_.application.ShowApplicationWindow(app::IApplication::ShowMinimized);
  ports_.application.ShowApplicationWindow(app::IApplication::Hide);
}

void TMainForm::MnuHelpTopicClick() { ports_.help.Contents(); }

void TMainForm::PM_HelpClick() { ports_.help.Context(1); }

void TMainForm::PM_ShowClick() {
  ports_.application.ShowApplicationWindow(app::IApplication::Restore);
  ports_.application.ShowMainWindow();
}

void TMainForm::MnuAboutClick() {
  if (aboutOpen_) {  // one About box at a time: the open one comes to the front
    if (BringAboutToFront) BringAboutToFront();
    return;
  }
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{aboutOpen_ = true};
  TDlgAbout dialog(*this);
  ports_.modal.RunModal(dialog);
}

void TMainForm::SetTrayTip(const std::string& text) {
  trayTip_ = core::FirstBytes(text, 63);
  ports_.tray.Modify(trayTip_);
}

void TMainForm::WMTrayIcon(unsigned mouseMessage) {
  constexpr unsigned WmLButtonDblClk = 515, WmRButtonDown = 516;
  if (mouseMessage == WmRButtonDown) {
    if (PopupTrayMenu) PopupTrayMenu();
  } else if (mouseMessage == WmLButtonDblClk) {
    SpbGoClick();
  }
}

void TMainForm::TaskbarCreated() {
  if (!closed_) ports_.tray.Add(trayTip_);
}

void TMainForm::SpeedButton1Click() {
  if (addPageOpen_) return;  // one add-page dialog at a time
  constexpr std::size_t capacity = 2047;
  browser::QueryResult reply;
  for (const char* service : {"IEXPLORE", "NETSCAPE"}) {
    reply = ports_.browser.Query(service, capacity);
    if (reply.status == browser::QueryStatus::StartFailed) {
      ports_.dialogs.OwnerlessMessageBox("DDEの初期化に失敗しました。", "ブラウザ情報の取得",
                                         app::MbOk | app::MbIconExclamation);
    }
    if (reply.status == browser::QueryStatus::Ok) break;
  }
  if (reply.status != browser::QueryStatus::Ok) return;
  browser::WindowInfo info = browser::ParseWindowInfo(reply.text);
  CapturedTitle = core::Trim(info.title);
  CapturedURL = core::Trim(info.url);
  if (CapturedURL.empty()) return;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{addPageOpen_ = true};
  TDlgAddList dialog(*this);
  ports_.modal.RunModal(dialog);
}

void TMainForm::SpbSetTimeClick() {
  if (NtpServer.empty()) return;
  StatusBar.SetText(ports_.correctClock(NtpServer, NtpSound));
}

void TMainForm::WMDropFiles(const std::string& firstPath) {
  ListDirty = true;
  const std::string title = browser::TitleFromDroppedPath(firstPath);
  if (ConfigDlg) ConfigDlg->EdtTitle.SetText(title);
  std::string url;
  for (const std::string& found : browser::ReadShortcutUrls(firstPath).urls) {
    if (ConfigDlg) ConfigDlg->EdtURL.SetText(found);
    url = found;
  }
  AppendEntry(title, url);
}

}  // namespace ui
