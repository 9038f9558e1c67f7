// List management from the main window: switch, new, next, and the URL list's pop-up menu.
#include "core/file_io.h"
#include "core/text.h"
#include "core/text_path.h"
#include "ui/config_dlg.h"
#include "ui/main_form.h"

namespace ui {

int TMainForm::OpenListItem() const { return CmbList.IndexOfName(CurrentListName); }

void TMainForm::CmbListChange() {
  int index = CmbList.IndexOfName(CmbList.Text());
  if (index >= 0) {
    if (ListDirty) SaveCurrentList();
    CurrentListName = CmbList.Text();
    LoadCurrentList();
    CmbList.MarkItem(index);  // the open list's item stays the selected one
  }
  if (ConfigDlg) ConfigDlg->ButDel.SetEnabled(!LstURL.Empty());
}

void TMainForm::ButNewListClick() {
  const std::string name = CmbList.Text();
  if (core::Trim(name).empty()) {
    ports_.dialogs.MessageBox("リスト名を入力して下さい", ApplicationTitle, app::MbOk);
    return;
  }
  if (CmbList.IndexOfName(name) < 0) {
    if (ListDirty) SaveCurrentList();
    int index = CmbList.Add(name);
    CurrentListName = name;
    LstURL.Clear();
    core::CreateEmptyFile(core::PathFromText(ListFilePath(CurrentListName)));  // not reported
    CmbList.MarkItem(index);
  }
  if (ConfigDlg) ConfigDlg->ButDel.SetEnabled(false);
}

void TMainForm::PM_NextListClick() {
  if (ListDirty) SaveCurrentList();
  if (CmbList.Count() == 0) return;
  int current = OpenListItem();
  CmbList.SetItemIndex(current == CmbList.Count() - 1 ? 0 : current + 1);
  CurrentListName = CmbList.Text();
  LoadCurrentList();
}

void TMainForm::PMnuListPopup() {
  const bool selected = LstURL.Selected() >= 0;
  PMnuListDel.SetEnabled(selected);
  PMnuListRename.SetEnabled(selected);
}

void TMainForm::PMnuListDelClick() {
  if (CurrentIndex == -1 || LstURL.Empty()) return;
  ListDirty = true;
  const int a = CurrentIndex;
  if (!LstURL.Valid(a)) return;
  if (ports_.dialogs.MessageBox(LstURL.Title(a) + "を削除してもよろしいですか?", ApplicationTitle, app::MbYesNo) ==
      app::IdYes) {
    LstURL.Delete(a);
  }
  if (!LstURL.Empty()) LstURL.Select(a == LstURL.Count() ? a - 1 : a);
}

void TMainForm::PMnuListRenameClick() {
  if (LstURL.Selected() >= 0) ports_.listEditing.BeginTitleEdit(LstURL.Selected());
}

void TMainForm::LstURLEdited(int index, const std::string& title) {
  if (!LstURL.Valid(index)) return;
  LstURL.SetTitle(index, title);
  ListDirty = true;  // a retitle is a change of the list like any other
}

}  // namespace ui
