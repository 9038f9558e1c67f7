// The settings panel: opening and closing, the option rules and the list buttons.
#include "ui/config_dlg.h"

#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "core/text.h"
#include "core/text_path.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

namespace ui {

TConfigDlg::TConfigDlg(TMainForm& main) : main_(main) {
  Frame.SetCaption("設定");
  Frame.SetBounds(376, 105, 407, 388);  // client size; the window adds its border
  Frame.SetVisible(false);
  ButGetFileName.SetCaption("参照(&B)...");
  ButEdit.SetCaption("上書き(&S)");
  ButAppend.SetCaption("追加(&A)");
  ButDel.SetCaption("削除(&D)");
  ButHelp.SetCaption("ヘルプ(&H)...");
  for (Button* b : {&ButEdit, &ButAppend, &ButDel, &ButHelp, &ButSetTime}) b->SetEnabled(false);
  SpbUP.SetHint("順位を上へ");
  SpbDOWN.SetHint("順位を下へ");
  ButReName.SetCaption("リスト名 変更");
  ButDelList.SetCaption("リスト削除");
  ButClose.SetCaption("閉じる");
  ChkTop.SetCaption("：常に手前に表示");
  ChkTop.SetChecked(true);
  ChkStartList.SetCaption("：起動時のリストを指定する");
  CmbStartList.Sorted = true;
  CmbStartList.HasEditField = false;
  CmbStartList.SetHint("リスト名BOX");
  ChkShow.SetCaption("：起動時に Tavrin を表示する");
  ChkShow.SetChecked(true);
  ChkStatusBar.SetCaption("ステータスバーを表示する");
  RdoTitle.SetCaption("タイトルを表示");
  RdoURL.SetCaption("URLを表示");
  RdoTitle.Siblings = RdoURL.Siblings = {&RdoTitle, &RdoURL};
  ButSetTime.SetCaption("時刻修正(&T)");
  ButSoundFile.SetCaption("参照...");
  ButTestPlay.SetCaption("テスト");
  ChkLastTop.SetCaption("先頭に戻る");
  ChkLastMess.SetCaption("ﾒｯｾｰｼﾞで通知");
  ChkLastSound.SetCaption("音で通知");
  ChkLastExit.SetCaption("終了する");
  RdoAutoEdit.Caption = "設定ウィンドを閉じた時の処理 (変更があった時)";
  RdoAutoEdit.Items = {"常に上書き", "常に追加", "警告をする", "何もしない"};
  RdoAutoEdit.Columns = 4;
  RdoAutoEdit.SetItemIndex(3);

  ButGetFileName.OnClick = [this] { ButGetFileNameClick(); };
  EdtURL.OnChange = [this] { EdtURLChange(); };
  ButEdit.OnClick = [this] { ButEditClick(); };
  ButAppend.OnClick = [this] { ButAppendClick(); };
  ButDel.OnClick = [this] { ButDelClick(); };
  ButHelp.OnClick = [this] { ButHelpClick(); };
  SpbUP.OnClick = [this] { SpbUPClick(); };
  SpbDOWN.OnClick = [this] { SpbDOWNClick(); };
  ButReName.OnClick = [this] { ButReNameClick(); };
  ButDelList.OnClick = [this] { ButDelListClick(); };
  ButClose.OnClick = [this] { Close(); };
  ChkStartList.OnClick = [this] { ChkStartListClick(); };
  ChkStatusBar.OnClick = [this] { ChkStatusBarClick(); };
  RdoTitle.OnClick = [this] { RdoTitleClick(); };
  RdoURL.OnClick = [this] { RdoURLClick(); };
  EdtNtpServer.OnChange = [this] { EdtNtpServerChange(); };
  ButSetTime.OnClick = [this] { ButSetTimeClick(); };
  ButSoundFile.OnClick = [this] { ButSoundFileClick(); };
  ButTestPlay.OnClick = [this] { ButTestPlayClick(); };
}

void TConfigDlg::FormCreate() {
  Frame.SetStayOnTop(main_.StayOnTop);
  Frame.SetVisible(false);
}

void TConfigDlg::Show() {
  TMainForm& m = main_;
  m.ConfigOpen = true;
  m.SpbWindwSize.SetCaption("<<");
  Frame.SetBounds(m.Frame.Left() + m.Frame.Width(), m.Frame.Top(), Frame.Width(), Frame.Height());
  CmbStartList.SetItems(m.CmbList.Items());
  ChkTop.SetChecked(m.StayOnTop);
  ChkStartList.SetChecked(m.UseStartList);
  ChkShow.SetChecked(m.ShowAtStart);
  ChkStatusBar.SetChecked(m.ShowStatusBar);
  if (m.StatusShowsTitle) RdoTitle.SetChecked(true);
  else RdoURL.SetChecked(true);
  RdoTitle.SetEnabled(ChkStatusBar.Checked());
  RdoURL.SetEnabled(ChkStatusBar.Checked());
  // The group holds four items: a stored value outside them selects the nearest one.
  int mode = m.AutoEditMode;
  if (mode < -1) mode = -1;
  if (mode >= static_cast<int>(RdoAutoEdit.Items.size())) mode = static_cast<int>(RdoAutoEdit.Items.size()) - 1;
  RdoAutoEdit.SetItemIndex(mode);
  CmbStartList.SetItemIndex(CmbStartList.IndexOfName(m.StartListName));
  CmbStartList.SetEnabled(ChkStartList.Checked());
  const bool hasEntries = !m.LstURL.Empty();
  ButEdit.SetEnabled(hasEntries);
  ButAppend.SetEnabled(hasEntries);
  ButDel.SetEnabled(hasEntries);
  ButHelp.SetEnabled(true);
  ChkLastTop.SetChecked(m.LastTop);
  ChkLastMess.SetChecked(m.LastMess);
  ChkLastSound.SetChecked(m.LastSound);
  ChkLastExit.SetChecked(m.LastExit);
  if (hasEntries && m.LstURL.Valid(m.CurrentIndex)) {
    EdtTitle.SetText(m.LstURL.Title(m.CurrentIndex));
    EdtURL.SetText(m.UrlOfEntry(m.CurrentIndex));
  } else {
    if (!hasEntries) m.CurrentIndex = 0;
    EdtTitle.SetText(std::string());
    EdtURL.SetText(std::string());
    if (hasEntries) {  // no current entry to edit
      ButDel.SetEnabled(false);
      SpbUP.SetEnabled(false);
      SpbDOWN.SetEnabled(false);
    }
  }
  EdtNtpServer.SetText(m.NtpServer);
  EdtSound.SetText(m.NtpSound);
  Frame.SetVisible(true);
}

void TConfigDlg::Close() {
  TMainForm& m = main_;
  if (!Frame.Visible() && !m.ConfigOpen) return;
  m.ConfigOpen = false;
  m.SpbWindwSize.SetCaption(">>");
  for (Button* b : {&ButEdit, &ButAppend, &ButDel, &ButHelp}) b->SetEnabled(false);
  m.StayOnTop = ChkTop.Checked();
  m.UseStartList = ChkStartList.Checked();
  m.ShowAtStart = ChkShow.Checked();
  m.ShowStatusBar = ChkStatusBar.Checked();
  m.StartListName = CmbStartList.ItemIndex() >= 0 ? CmbStartList.Text() : std::string();
  m.AutoEditMode = RdoAutoEdit.ItemIndex();
  m.Frame.SetStayOnTop(m.StayOnTop);
  Frame.SetStayOnTop(m.StayOnTop);
  m.NtpServer = EdtNtpServer.Text();
  m.NtpSound = EdtSound.Text();
  m.LastTop = ChkLastTop.Checked();
  m.LastMess = ChkLastMess.Checked();
  m.LastSound = ChkLastSound.Checked();
  m.LastExit = ChkLastExit.Checked();
  ApplyPendingEdit();
  Frame.SetVisible(false);
}

void TConfigDlg::ChkStartListClick() { CmbStartList.SetEnabled(ChkStartList.Checked()); }

void TConfigDlg::ChkStatusBarClick() {
  main_.StatusBar.SetVisible(ChkStatusBar.Checked());
  RdoTitle.SetEnabled(ChkStatusBar.Checked());
  RdoURL.SetEnabled(ChkStatusBar.Checked());
}

void TConfigDlg::RdoTitleClick() {
  if (RdoTitle.Checked()) main_.StatusShowsTitle = true;
  main_.RefreshStatusText();
}

void TConfigDlg::RdoURLClick() {
  if (RdoURL.Checked()) main_.StatusShowsTitle = false;
  main_.RefreshStatusText();
}

void TConfigDlg::EdtNtpServerChange() { ButSetTime.SetEnabled(!EdtNtpServer.Text().empty()); }

void TConfigDlg::ButSetTimeClick() {
  if (EdtNtpServer.Text().empty()) return;
  main_.StatusBar.SetText(main_.Platform().correctClock(EdtNtpServer.Text(), main_.NtpSound));
}

void TConfigDlg::ButSoundFileClick() {
  app::OpenFileRequest request;
  request.filter = "WAVEファイル(*.wav)|*.wav";
  request.defaultExtension = "*.wav";
  request.initialDirectory = main_.Platform().folders.WindowsDirectory() + "\\Media";
  if (std::optional<std::string> file = main_.Platform().dialogs.OpenFile(request)) EdtSound.SetText(*file);
}

void TConfigDlg::ButTestPlayClick() {
  ButTestPlay.SetEnabled(false);
  struct Enable {
    Button& b;
    ~Enable() { b.SetEnabled(true); }
  } enable{ButTestPlay};
  main_.Platform().sound.Play(EdtSound.Text(), app::ISound::Sync);
}

void TConfigDlg::ButHelpClick() { main_.Platform().help.Context(4); }

void TConfigDlg::ButReNameClick() {
  {
    TDlgReName dialog(main_);
    main_.Platform().modal.RunModal(dialog);
  }
  main_.CmbList.SetItemIndex(main_.OpenListItem());
}

void TConfigDlg::ButDelListClick() {
  TMainForm& m = main_;
  const std::string question = " リスト\"" + m.CurrentListName + "\" を削除していいですか？";
  if (m.Platform().dialogs.MessageBox(question, ApplicationTitle,
                                      app::MbOkCancel | app::MbIconExclamation | app::MbDefButton2) != app::IdOk) {  // 305
    return;
  }
  std::error_code ec;
  std::filesystem::remove(core::PathFromText(m.ListFilePath(m.CurrentListName)), ec);  // not reported
  m.CmbList.Delete(m.OpenListItem());
  if (m.CmbList.Count() == 0) {
    // Never without a list: the default list comes back, as at a first start.
    core::CreateEmptyFile(core::PathFromText(m.ListFilePath("List1")));
    m.CmbList.Add("List1");
  }
  m.CmbList.SetItemIndex(0);
  m.CurrentListName = m.CmbList.Text();
  m.ListDirty = false;  // the changes belonged to the deleted list
  m.LoadCurrentList();
}

}  // namespace ui
