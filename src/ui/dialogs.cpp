// The add-page dialog, the rename dialog and the About box.
#include "ui/dialogs.h"

#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "core/text_path.h"
#include "ui/config_dlg.h"
#include "ui/main_form.h"

namespace ui {

namespace fs = std::filesystem;

// ---- TDlgAddList ----

TDlgAddList::TDlgAddList(TMainForm& main) : main_(main) {
  Frame.SetCaption("リストに追加");
  Frame.SetBounds(0, 0, 360, 163);
  Frame.SetStayOnTop(true);
  ButOK.SetCaption("OK");
  ButCancel.SetCaption("キャンセル");
  ButOK.OnClick = [this] { ButOKClick(); };
  ButCancel.OnClick = [this] { ButCancelClick(); };
}

void TDlgAddList::FormShow() {
  Frame.SetTop(main_.Frame.Top() + 50);
  Frame.SetLeft(main_.Frame.Left() + 30);
  EdtTitle.SetText(main_.CapturedTitle);
  EdtURL.SetText(main_.CapturedURL);
}

void TDlgAddList::ButOKClick() {
  const std::string title = EdtTitle.Text(), url = EdtURL.Text();
  main_.AppendEntry(title, url);
  Close();
}

// ---- TDlgReName ----

TDlgReName::TDlgReName(TMainForm& main) : main_(main) {
  Frame.SetCaption("Tavrin");
  Frame.SetBounds(0, 0, 182, 119);
  Frame.SetStayOnTop(true);
  ButOK.SetCaption("OK");
  ButCancel.SetCaption("キャンセル");
  ButOK.OnClick = [this] { ButOKClick(); };
  ButCancel.OnClick = [this] { ButCancelClick(); };
}

void TDlgReName::FormCreate() {
  Frame.SetTop(main_.Frame.Top() + 120);
  Frame.SetLeft(main_.Frame.Left() + 170);
  OldListName = main_.CmbList.Text();
  EdtReName.SetText(OldListName);
  OldFileName = main_.CurrentListName + ".ini";
}

namespace {

// MoveFile semantics: refused when the target names another existing file or is no file name.
bool RenameListFile(const fs::path& from, const fs::path& to, const std::string& newName) {
  if (newName.find_first_of("\\/:*?\"<>|") != std::string::npos) return false;
  std::error_code ec;
  if (!fs::exists(from, ec)) return false;
  if (fs::exists(to, ec) && !fs::equivalent(from, to, ec)) return false;
  fs::rename(from, to, ec);
  return !ec;
}

}  // namespace

void TDlgReName::ButOKClick() {
  TMainForm& m = main_;
  TConfigDlg* panel = m.ConfigDlg;
  const std::string startList = panel ? panel->CmbStartList.Text() : std::string();
  const std::string newName = EdtReName.Text();
  if (newName == OldListName) {
    Close();
    return;
  }
  if (core::Trim(newName).empty()) {
    m.Platform().dialogs.MessageBox("リスト名を入力して下さい", ApplicationTitle, app::MbOk);
    return;
  }
  const std::string oldName = OldFileName.substr(0, OldFileName.size() - 4);
  if (!RenameListFile(core::PathFromText(m.ProgramDir + OldFileName), core::PathFromText(m.ListFilePath(newName)),
                      newName)) {
    m.Platform().dialogs.MessageBox("リスト名の変更に失敗しました\n同じ名前のリストが存在する可能性があります",
                                    ApplicationTitle, app::MbIconExclamation);
    return;
  }
  m.CurrentListName = newName;
  const int index = m.CmbList.IndexOfName(oldName);
  if (index >= 0) {
    m.CmbList.Delete(index);
    m.CmbList.Insert(index, newName);  // at the old name's place, not re-sorted
    m.CmbList.SetItemIndex(index);
  } else {
    m.CmbList.SetItemIndex(m.CmbList.Add(newName));
  }
  if (panel) {
    // The start list is kept by name: a renamed start list stays the start list.
    panel->CmbStartList.SetItems(m.CmbList.Items());
    const std::string keep = core::SameNameIgnoreCase(startList, oldName) && !startList.empty() ? newName : startList;
    panel->CmbStartList.SetItemIndex(keep.empty() ? -1 : panel->CmbStartList.IndexOfName(keep));
  }
  Close();
}

// ---- TDlgAbout ----

const char* const TDlgAbout::SupportUrl = "Tavrin.html#support";
const char* const TDlgAbout::SupportMail = "mailto:tavrin-maintainers@example.org";

TDlgAbout::TDlgAbout(TMainForm& main) : main_(main) {
  Frame.SetCaption("Tavrin");
  Frame.SetBounds(0, 0, 302, 195);
  Frame.SetStayOnTop(true);
  Label3Caption = "(C) 2026 Tavrin maintainers";  // upright in the vertical-writing face
}

std::string TDlgAbout::SupportPageAddress() const {
  std::string path = main_.ProgramDir + SupportUrl;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (!path.empty() && path.front() != '/') path.insert(0, "/");
  return "file://" + path;
}

void TDlgAbout::FormCreate() {
  Frame.SetTop(main_.Frame.Top() + 45);
  Frame.SetLeft(main_.Frame.Left() + 120);
  LblURLCaption = " " + SupportPageAddress();
  LblMailCaption = std::string(" ") + SupportMail;
}

void TDlgAbout::LblURLClick() { main_.Platform().shell.Open(SupportPageAddress()); }

void TDlgAbout::LblMailClick() { main_.Platform().shell.Open(SupportMail); }

void TDlgAbout::SetColors(unsigned url, unsigned mail) {
  if (url == LblURLColor && mail == LblMailColor) return;
  LblURLColor = url;
  LblMailColor = mail;
  if (ColorsChanged) ColorsChanged();
}

void TDlgAbout::LblURLMouseMove() { SetColors(Blue, LblMailColor); }

void TDlgAbout::LblMailMouseMove() { SetColors(LblURLColor, Blue); }

void TDlgAbout::Label4MouseMove() { SetColors(Black, Black); }

}  // namespace ui
