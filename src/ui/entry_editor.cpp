// The settings panel's entry editor: overwrite, append, delete, move, file choice, pending edits.
#include "core/text.h"
#include "ui/config_dlg.h"
#include "ui/main_form.h"

namespace ui {

void TConfigDlg::EdtURLChange() {
  if (!EdtURL.Text().empty()) {
    ButAppend.SetEnabled(true);
    if (main_.LstURL.Selected() >= 0) ButEdit.SetEnabled(true);
  } else {
    ButAppend.SetEnabled(false);
    ButEdit.SetEnabled(false);
  }
}

void TConfigDlg::ButGetFileNameClick() {
  std::optional<std::string> file = main_.Platform().dialogs.OpenFile(app::OpenFileRequest{});
  if (!file) return;
  EdtTitle.SetText(core::FileNamePart(*file));
  EdtURL.SetText(*file);
}

void TConfigDlg::ButEditClick() {
  TMainForm& m = main_;
  m.ListDirty = true;
  const int i = m.CurrentIndex;
  const std::string url = EdtURL.Text();
  if (!m.LstURL.Valid(i)) return;
  m.LstURL.SetTitle(i, EdtTitle.Text());
  m.LstURL.SetUrl(i, url);
  EdtURL.SetText(url);
}

void TConfigDlg::ButAppendClick() {
  TMainForm& m = main_;
  m.ListDirty = true;
  const std::string url = EdtURL.Text();
  const int index = m.LstURL.Add(EdtTitle.Text());
  m.LstURL.SetUrl(index, url);
  m.LstURL.Select(index);
  ButDel.SetEnabled(true);
}

void TConfigDlg::ButDelClick() {
  TMainForm& m = main_;
  m.ListDirty = true;
  const int i = m.CurrentIndex;
  if (!m.LstURL.Valid(i)) return;
  m.LstURL.Delete(i);
  if (!m.LstURL.Empty()) m.LstURL.Select(i < m.LstURL.Count() ? i : i - 1);
  else ButDel.SetEnabled(false);
}

void TConfigDlg::SpbUPClick() {
  TMainForm& m = main_;
  m.ListDirty = true;
  const int i = m.CurrentIndex;
  if (i <= 0 || !m.LstURL.Valid(i)) return;
  m.LstURL.Exchange(i - 1, i);
  m.LstURL.Select(i - 1);
}

void TConfigDlg::SpbDOWNClick() {
  TMainForm& m = main_;
  m.ListDirty = true;
  const int i = m.CurrentIndex;
  if (!m.LstURL.Valid(i) || i == m.LstURL.Count() - 1) return;
  m.LstURL.Exchange(i, i + 1);
  m.LstURL.Select(i + 1);
}

void TConfigDlg::ApplyPendingEdit() {
  TMainForm& m = main_;
  const bool changed = EdtURL.Text() != m.CurrentURL || EdtTitle.Text() != m.CurrentTitle;
  if (!changed || EdtURL.Text().empty() || EdtTitle.Text().empty()) return;
  const bool hasCurrent = m.LstURL.Valid(m.CurrentIndex);
  switch (RdoAutoEdit.ItemIndex()) {
    case 0:
      if (hasCurrent) ButEditClick();
      break;
    case 1:  // "常に追加": the edits become a new entry
      ButAppendClick();
      break;
    case 2:
      if (hasCurrent && m.Platform().dialogs.MessageBox("リストが変更されています。保存しますか？", ApplicationTitle,
                                                        app::MbYesNo) == app::IdYes) {
        ButEditClick();
      }
      break;
    default:
      break;
  }
}

}  // namespace ui
