// The main window: construction, start-up, shutdown and the open list's file.
#include "ui/main_form.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/error.h"
#include "core/file_io.h"
#include "core/line_file.h"
#include "core/text.h"
#include "core/text_path.h"
#include "ui/config_dlg.h"

namespace ui {

namespace fs = std::filesystem;

TMainForm::TMainForm(Ports& ports, std::string programDir) : ProgramDir(std::move(programDir)), ports_(ports) {
  Frame.SetCaption(ApplicationTitle);
  Frame.SetBounds(200, 200, 180, 375);
  CmbList.Sorted = true;
  CmbList.SetHint("リスト名BOX");
  ButNewList.SetCaption("新規");
  ButNewList.SetHint("リストの新規登録");
  SpbTop.SetHint("Top URL");
  SpbGo.SetHint("Go URL");
  SpbSkip.SetHint("Skip URL");
  SpeedButton1.SetHint("Get URL");
  SpbSetTime.SetHint("時刻修正");
  SpbWindwSize.SetCaption(">>");
  SpbWindwSize.SetHint("設定");
  StatusBar.SetVisible(false);

  MnuConfig.Caption = "設定(&C)...";
  MnuHide.Caption = "Tavrin を隠す";
  MnuExit.Caption = "終了(&X)";
  MnuHelpTopic.Caption = "トピック検索(&K)";
  MnuAbout.Caption = "Tavrinについて(&A)...";
  PMnuListDel.Caption = "削除";
  PMnuListRename.Caption = "名前の変更";
  PM_Show.Caption = "Tavrin を表示";
  PM_NextList.Caption = "次のリストへ";
  PM_NextURL.Caption = "次の URL へ";
  PM_SetTime.Caption = "時刻修正";
  PM_Help.Caption = "Tavrin ヘルプ";
  PM_About.Caption = "Tavrinについて...";
  PM_Exit.Caption = "終了";
  Get1.Caption = "Get";

  CmbList.OnChange = [this] { CmbListChange(); };
  ButNewList.OnClick = [this] { ButNewListClick(); };
  LstURL.OnChange = [this](int index) { LstURLChange(index); };
  SpbTop.OnClick = [this] { SpbTopClick(); };
  SpbGo.OnClick = [this] { SpbGoClick(); };
  SpbSkip.OnClick = [this] { SpbSkipClick(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  SpbSetTime.OnClick = [this] { SpbSetTimeClick(); };
  SpbWindwSize.OnClick = [this] { SpbWindwSizeClick(); };
  MnuConfig.OnClick = [this] { MnuConfigClick(); };
  MnuHide.OnClick = [this] { MnuHideClick(); };
  MnuExit.OnClick = [this] { MnuExitClick(); };
  MnuHelpTopic.OnClick = [this] { MnuHelpTopicClick(); };
  MnuAbout.OnClick = [this] { MnuAboutClick(); };
  PMnuListDel.OnClick = [this] { PMnuListDelClick(); };
  PMnuListRename.OnClick = [this] { PMnuListRenameClick(); };
  PM_Show.OnClick = [this] { PM_ShowClick(); };
  PM_NextList.OnClick = [this] { PM_NextListClick(); };
  PM_NextURL.OnClick = [this] { PM_NextURLClick(); };
  PM_SetTime.OnClick = [this] { PM_SetTimeClick(); };
  PM_Help.OnClick = [this] { PM_HelpClick(); };
  PM_About.OnClick = [this] { PM_AboutClick(); };
  PM_Exit.OnClick = [this] { PM_ExitClick(); };
  Get1.OnClick = [this] { Get1Click(); };
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  ListDirty = false;

  app::Settings s = ports_.settings.Load();
  Frame.SetBounds(s.X, s.Y, s.Width, s.Height);
  ShowStatusBar = s.StatusBar;
  StatusBar.SetVisible(ShowStatusBar);
  StatusShowsTitle = s.StatusText;
  StayOnTop = s.Top;
  UseStartList = s.Start;
  ShowAtStart = s.Show;
  CurrentListName = s.LastList;
  AutoEditMode = s.AutoEdit;
  NtpServer = s.NtpServer;
  NtpSound = s.NtpSound;
  LastTop = s.LastTop;
  LastMess = s.LastMess;
  LastSound = s.LastSound;
  LastExit = s.LastExit;
  StartListName = UseStartList ? CurrentListName : std::string();

  Frame.SetStayOnTop(StayOnTop);
  ports_.tray.Add(ApplicationTitle);
  trayTip_ = ApplicationTitle;

  // Every "*.ini" beside the program is a list, directories and hidden files included.
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(core::PathFromText(ProgramDir), ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = core::TextFromPath(it->path().filename());
    if (name.size() >= 4 && core::SameNameIgnoreCase(name.substr(name.size() - 4), ".ini")) {
      names.push_back(name.substr(0, name.size() - 4));
    }
  }
  if (names.empty()) {
    CurrentListName = "List1.ini";
    core::CreateEmptyFile(core::PathFromText(ProgramDir + "List1.ini"));  // a failure is ignored
    names.push_back("List1");
  }
  CmbList.SetItems(std::move(names));

  int index = CmbList.IndexOfName(CurrentListName);
  if (index >= 0) {
    CmbList.SetItemIndex(index);
  } else {
    CmbList.SetItemIndex(0);
    CurrentListName = CmbList.Text();
    StartListName.clear();
  }
  LoadCurrentList();
}

bool TMainForm::FormClose() {
  if (ConfigOpen && ConfigDlg) ConfigDlg->Close();
  ports_.tray.Remove();
  try {
    if (ListDirty) SaveCurrentList();
    WriteSettingsFile();
  } catch (const std::exception& e) {
    ports_.dialogs.ErrorBox(e.what());
    // A failed write must not trap the user: leave without it, or stay and keep the icon.
    if (ports_.dialogs.MessageBox("変更を保存できませんでした。保存せずに終了しますか？", ApplicationTitle,
                                  app::MbYesNo | app::MbIconExclamation) == app::IdYes) {
      return true;
    }
    ports_.tray.Add(trayTip_);
    return false;
  }
  return true;
}

void TMainForm::Close() {
  if (closed_) return;
  if (FormClose()) {
    closed_ = true;
    ports_.application.Terminate();
  }
}

void TMainForm::ApplicationMinimize() {
  if (ConfigOpen && ConfigDlg) ConfigDlg->Close();
  ports_.application.ShowApplicationWindow(app::IApplication::Hide);
}

void TMainForm::WriteSettingsFile() {
  app::Settings s;
  s.X = Frame.Left();
  s.Y = Frame.Top();
  s.Width = Frame.Width();
  s.Height = Frame.Height();
  s.Top = StayOnTop;
  s.Start = UseStartList;
  s.Show = ShowAtStart;
  s.StatusBar = ShowStatusBar;
  s.StatusText = StatusShowsTitle;
  s.AutoEdit = AutoEditMode;
  s.NtpServer = NtpServer;
  s.NtpSound = NtpSound;
  s.LastList = (UseStartList && !StartListName.empty()) ? StartListName : CurrentListName;
  s.LastTop = LastTop;
  s.LastMess = LastMess;
  s.LastSound = LastSound;
  s.LastExit = LastExit;
  ports_.settings.Save(s);
}

std::string TMainForm::ListFilePath(const std::string& name) const { return ProgramDir + name + ".ini"; }

void TMainForm::LoadCurrentList() {
  LstURL.Clear();
  std::string path = ListFilePath(CurrentListName);
  std::error_code ec;
  if (!CurrentListName.empty() && fs::exists(core::PathFromText(path), ec)) {
    std::optional<std::string> bytes = core::ReadWholeFile(core::PathFromText(path));
    if (!bytes) throw core::Error(core::Format1("ファイル %s を開けません", path));
    std::vector<std::string> lines = core::SplitLines(*bytes);
    // An unpaired last line is a title without a URL, unless it is blank (a trailing empty line).
    if (lines.size() % 2 == 1 && lines.back().empty()) lines.pop_back();
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      LstURL.AddSilently(std::move(lines[i]), i + 1 < lines.size() ? std::move(lines[i + 1]) : std::string());
    }
    if (LstURL.ViewReset) LstURL.ViewReset();
  }
  CurrentIndex = 0;
  if (!LstURL.Empty()) {
    LstURL.Select(0);
  } else {
    SetTrayTip(CurrentListName + " - ");
    CurrentIndex = -1;
  }
}

void TMainForm::SaveCurrentList() {
  std::string path = ListFilePath(CurrentListName);
  // A nameless list would be written as ".ini", which no list name can ever read back.
  if (CurrentListName.empty()) throw core::Error(core::Format1("ファイル %s を作成できません", path));
  std::size_t total = 0;
  for (int i = 0; i < LstURL.Count(); ++i) total += LstURL.Title(i).size() + LstURL.Url(i).size() + 4;
  std::string bytes;
  bytes.reserve(total);
  for (int i = 0; i < LstURL.Count(); ++i) {
    bytes += LstURL.Title(i);
    bytes += "\r\n";
    bytes += LstURL.Url(i);
    bytes += "\r\n";
  }
  if (!core::ReplaceFile(core::PathFromText(path), bytes)) {
    throw core::Error(core::Format1("ファイル %s を作成できません", path));
  }
  ListDirty = false;  // only once the file holds the entries
}

void TMainForm::AppendEntry(const std::string& title, const std::string& url) {
  ListDirty = true;
  int index = LstURL.Add(title);
  LstURL.SetUrl(index, url);
  LstURL.Select(index);
}

}  // namespace ui
