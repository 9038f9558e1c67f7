// Patrol: the current entry follows the selection; Go, Top, Skip and the list's double-click.
#include "core/text.h"
#include "ui/config_dlg.h"
#include "ui/main_form.h"

namespace ui {

namespace {

// An empty or blank address is not handed to the shell: it would open a folder window.
void OpenUrl(app::IShell& shell, const std::string& url) {
  if (!core::Trim(url).empty()) shell.Open(url);
}

}  // namespace

void TMainForm::LstURLChange(int index) {
  CurrentIndex = index;
  const bool valid = LstURL.Valid(CurrentIndex);
  const std::string title = valid ? LstURL.Title(CurrentIndex) : std::string();
  const std::string url = valid ? LstURL.Url(CurrentIndex) : std::string();
  if (ConfigOpen && ConfigDlg) ConfigDlg->EdtTitle.SetText(title);
  CurrentURL = core::Trim(url);
  CurrentTitle = title;
  RefreshStatusText();
  if (ConfigOpen && ConfigDlg) {
    ConfigDlg->EdtURL.SetText(url);
    const bool selected = LstURL.IsSelected(index);
    ConfigDlg->ButDel.SetEnabled(selected);
    ConfigDlg->SpbUP.SetEnabled(selected);
    ConfigDlg->SpbDOWN.SetEnabled(selected);
    if (!selected) {
      ConfigDlg->EdtTitle.SetText(std::string());
      ConfigDlg->EdtURL.SetText(std::string());
    }
  }
  SetTrayTip(CurrentListName + " - " + title);
}

void TMainForm::RefreshStatusText() { StatusBar.SetText(StatusShowsTitle ? CurrentTitle : CurrentURL); }

std::string TMainForm::UrlOfEntry(int index) {
  if (index == LstURL.Count()) {
    CurrentIndex = 0;
    index = 0;
  }
  return LstURL.Valid(index) ? LstURL.Url(index) : std::string();
}

void TMainForm::SpbGoClick() {
  if (CurrentIndex == -1 || LstURL.Empty() || CurrentIndex > LstURL.Count()) return;
  OpenUrl(ports_.shell, UrlOfEntry(CurrentIndex));
  if (CurrentIndex != LstURL.Count() - 1) {
    LstURL.Select(CurrentIndex + 1);
    return;
  }
  if (LastTop) LstURL.Select(0);
  if (LastSound) ports_.dialogs.Beep(0xFFFFFFFF);
  if (LastMess) ports_.dialogs.ShowMessage("リストの最後尾です");
  if (LastExit) Close();
}

void TMainForm::SpbTopClick() {
  if (LstURL.Empty()) return;
  LstURL.Select(0);
  OpenUrl(ports_.shell, UrlOfEntry(CurrentIndex));
}

void TMainForm::SpbSkipClick() { PM_NextURLClick(); }

void TMainForm::PM_NextURLClick() {
  if (CurrentIndex == -1 || LstURL.Empty()) return;
  LstURL.Select(CurrentIndex >= LstURL.Count() - 1 ? 0 : CurrentIndex + 1);
}

void TMainForm::LstURLDblClick() {
  if (CurrentIndex == -1 || LstURL.Empty() || CurrentIndex > LstURL.Count()) return;
  OpenUrl(ports_.shell, UrlOfEntry(CurrentIndex));
  LstURL.Select(CurrentIndex >= LstURL.Count() - 1 ? 0 : CurrentIndex + 1);
}

}  // namespace ui
